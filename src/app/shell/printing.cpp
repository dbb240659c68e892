#include "shell/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace i40::app {
namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("Printing", text);
}

// Qt's printers say only that they did not start; the file system can say why a file
// could not be written.
QString StartProblem(const QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::PdfFormat) {
    return Tr("the printer %1 did not start.").arg(printer.printerName());
  }
  const QString file = printer.outputFileName();
  if (file.isEmpty()) return Tr("there is no printer, and no file was chosen to print to.");
  const bool existed = QFileInfo::exists(file);
  QFile probe(file);
  if (!probe.open(QIODevice::Append)) return file + ": " + probe.errorString();
  probe.close();
  if (!existed) QFile::remove(file);
  return Tr("%1 could not be written.").arg(file);
}

}  // namespace

std::optional<QString> PrintDocument(QTextDocument& document, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return StartProblem(printer);
  // Laid out for the printer's resolution, one page of the document a sheet.
  document.documentLayout()->setPaintDevice(&printer);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  document.setPageSize(page.size());
  const int pages = document.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) printer.newPage();
    painter.save();
    painter.translate(0, -i * page.height());
    document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
    painter.restore();
  }
  painter.end();
  return std::nullopt;
}

std::unique_ptr<QPrinter> FreshPrinter(const QPrinter& old) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(old.outputFormat());
  if (old.outputFormat() == QPrinter::NativeFormat) printer->setPrinterName(old.printerName());
  printer->setOutputFileName(old.outputFileName());
  printer->setPageLayout(old.pageLayout());
  printer->setCopyCount(old.copyCount());
  return printer;
}

QString PrintedWhere(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
  return Tr("the printer %1").arg(printer.printerName());
}

}  // namespace i40::app
