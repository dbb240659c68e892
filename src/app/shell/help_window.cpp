#include "shell/help_window.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/qt_text.h"
#include "version.h"

namespace i40::app {

HelpWindow::HelpWindow(const std::optional<std::filesystem::path>& helpDir, QWidget* parent)
    : QWidget(parent, Qt::Window), helpDir_(helpDir), browser_(new QTextBrowser(this)) {
  setObjectName("FHelp");
  setWindowTitle(FromCore(kProgramTitle) + tr(" Help"));
  setWindowIcon(AppIcon());
  resize(720, 560);

  browser_->setObjectName("txtHelp");
  browser_->setOpenExternalLinks(true);
  if (helpDir_) browser_->setSearchPaths({PathToQString(*helpDir_)});

  auto makeButton = [this](const QString& name, const QString& text) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
  };
  QToolButton* contents = makeButton("cmdContents", tr("&Contents"));
  QToolButton* index = makeButton("cmdIndex", tr("&Index"));
  QToolButton* back = makeButton("cmdBack", tr("&Back"));
  QToolButton* forward = makeButton("cmdForward", tr("&Forward"));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QToolButton::clicked, this, &HelpWindow::ShowContents);
  connect(index, &QToolButton::clicked, this, &HelpWindow::ShowIndex);
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);

  auto* escape = new QShortcut(QKeySequence::Cancel, this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(index);
  buttons->addSpacing(12);
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
}

void HelpWindow::ShowContents() {
  ShowPage(kHelpContentsPage);
}

void HelpWindow::ShowIndex() {
  ShowPage(kHelpIndexPage);
}

void HelpWindow::ShowPage(const QString& page) {
  if (!helpDir_) {
    browser_->setPlainText(
        tr("The help pages cannot be found: the folder \"help\" is missing "
           "from the program's data folder."));
    return;
  }
  const qsizetype hash = page.indexOf('#');
  QUrl url = QUrl::fromLocalFile(PathToQString(*helpDir_ / QStringToPath(page.left(hash))));
  if (hash >= 0) url.setFragment(page.mid(hash + 1));
  browser_->setSource(url);
}

}  // namespace i40::app
