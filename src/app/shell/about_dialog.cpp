#include "shell/about_dialog.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/qt_text.h"
#include "version.h"

namespace i40::app {

QString AboutCaption() {
  return QStringLiteral("About ") + FromCore(kProgramTitle);
}

QString AboutVersionText() {
  return QStringLiteral("Version ") + FromCore(VersionText());
}

QString AboutDescription() {
  return QStringLiteral("This Program helps customizing ") + FromCore(kInstrumentName) +
         QStringLiteral(
             " file sets, e.g. clear, copy, paste and move Arrangements, Styles, Programs etc. "
             "inside a file set or between different file sets, while preserving calls "
             "consistency inside each set - and much more!");
}

QString AboutCaution() {
  return QStringLiteral("CAUTION: Apply this program to COPIES, never to original files!");
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("FAbout");
  setWindowTitle(AboutCaption());
  setWindowIcon(AppIcon());
  setModal(true);

  auto* icon = new QLabel(this);
  icon->setObjectName("imgIcon");
  icon->setPixmap(AppIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(FromCore(kProgramTitle), this);
  title->setObjectName("lblTitle");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);

  auto* version = new QLabel(AboutVersionText(), this);
  version->setObjectName("lblVersion");

  auto* description = new QLabel(AboutDescription(), this);
  description->setObjectName("lblDescription");
  description->setWordWrap(true);
  description->setMinimumWidth(380);

  auto* caution = new QLabel(AboutCaution(), this);
  caution->setObjectName("lblCaution");
  caution->setWordWrap(true);
  QFont bold = caution->font();
  bold.setBold(true);
  caution->setFont(bold);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(description);
  texts->addSpacing(8);
  texts->addWidget(caution);
  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(12);
  body->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addLayout(buttons);
}

void AboutDialog::ShowBriefly() {
  brief_ = true;
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  // Any key or click anywhere in the program ends it, as does the time.
  qApp->installEventFilter(this);
  QTimer::singleShot(kShownBrieflyMs, this, &QWidget::close);
  show();
  if (QWidget* over = parentWidget()) {
    adjustSize();
    move(over->geometry().center() - rect().center());
  }
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (brief_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)) {
    brief_ = false;
    qApp->removeEventFilter(this);
    QTimer::singleShot(0, this, &QWidget::close);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace i40::app
