#include "report/report_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>
#include <ranges>
#include <string_view>

#include "reports/set_report.h"
#include "shell/app_icon.h"
#include "shell/printing.h"
#include "shell/qt_text.h"

namespace i40::app {

ReportWindow::ReportWindow(Workspace& ws, Prompter& prompter, SetSlot slot,
                           const std::string& setTitle, std::string report, QWidget* parent)
    : QDialog(parent),
      ws_(ws),
      prompter_(prompter),
      slot_(slot),
      report_(std::move(report)),
      text_(new QPlainTextEdit(this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName("FReport");
  setWindowTitle(FromCore(ReportWindowCaption(setTitle)));
  setWindowIcon(AppIcon());
  text_->setObjectName("txtRep");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  text_->setFont(font);
  // The report's lines end in CR LF; between them every byte is one character, so a
  // line break inside a name shows as its picture and keeps the columns.
  QStringList lines;
  for (const auto line : std::views::split(std::string_view(report_), std::string_view("\r\n")))
    lines << FromName(std::string_view(line.begin(), line.end()));
  text_->setPlainText(lines.join('\n'));

  auto* buttons = new QHBoxLayout;
  auto add = [&](const char* name, const QString& caption, void (ReportWindow::*action)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    buttons->addWidget(button);
    connect(button, &QPushButton::clicked, this, action);
  };
  add("cmdSetPrnt", tr("Printer Set&up..."), &ReportWindow::SetUpPrinter);
  add("cmdPrint", tr("&Print Report"), &ReportWindow::Print);
  add("cmdSave", tr("Create Report &File..."), &ReportWindow::Save);
  add("cmdClose", tr("&Close"), &ReportWindow::CloseWindow);

  // Escape closes the window wherever the keyboard is in it.
  auto* escape = new QShortcut(QKeySequence::Cancel, this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &ReportWindow::CloseWindow);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  const int columns = static_cast<int>(kReportWidth) + 4;
  resize(text_->fontMetrics().horizontalAdvance(QString(columns, 'M')) + 40, 600);
}

std::optional<QString> ReportWindow::PrintTo(QPrinter& printer) const {
  printer.setPageMargins(QMarginsF(1.0 / 3.0, 0.5, 1.0 / 3.0, 0.5), QPageLayout::Inch);
  QTextDocument document;
  document.setDefaultFont(text_->font());
  document.setDocumentMargin(0);
  document.setPlainText("\n\n\n\n" + text_->toPlainText());
  return PrintDocument(document, printer);
}

void ReportWindow::SetUpPrinter() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.setWindowTitle(tr("Printer Setup"));
  dialog.exec();
}

// The print dialog every time: the printer or file is chosen where the report goes out.
void ReportWindow::Print() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.setObjectName("dlgPrint");
  if (dialog.exec() != QDialog::Accepted) return;
  if (const auto problem = PrintTo(*printer_)) {
    printer_ = FreshPrinter(*printer_);
    prompter_.Ask({"The report could not be printed: " + ToCore(*problem), "",
                   MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
    return;
  }
  prompter_.ShowOutcome("Report printed to " + ToCore(PrintedWhere(*printer_)));
}

void ReportWindow::CloseWindow() {
  close();
}

void ReportWindow::Save() {
  SaveReportFile(ws_, prompter_, slot_, report_);
}

}  // namespace i40::app
