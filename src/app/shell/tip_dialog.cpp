#include "shell/tip_dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/qt_text.h"

namespace i40::app {

std::optional<QStringList> ReadTips(const std::filesystem::path& file) {
  QFile in(PathToQString(file));
  if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
  QStringList tips;
  while (!in.atEnd()) {
    const QByteArray line = in.readLine().trimmed();
    if (!line.isEmpty()) tips << FromCore(line.toStdString());
  }
  return tips;
}

TipDialog::TipDialog(const std::optional<std::filesystem::path>& tipsFile, bool showAtStartup,
                     QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(this)),
      showTips_(new QCheckBox(tr("&Show Tips at Start-up"), this)),
      next_(new QPushButton(tr("&Next Tip"), this)),
      close_(new QPushButton(tr("&Close"), this)) {
  setObjectName("FTip");
  setWindowTitle(tr("Tip of the Day"));
  setWindowIcon(AppIcon());
  setModal(true);

  text_->setObjectName("lblTipText");
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setTextFormat(Qt::PlainText);
  text_->setMinimumSize(360, 110);
  text_->setMargin(12);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setAutoFillBackground(true);
  frame->setBackgroundRole(QPalette::Base);
  auto* frameLayout = new QVBoxLayout(frame);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  frameLayout->addWidget(text_);

  showTips_->setObjectName("chkTips");
  showTips_->setToolTip(tr("Uncheck to disable"));
  showTips_->setChecked(showAtStartup);
  next_->setObjectName("cmdNextTip");
  close_->setObjectName("cmdClose");
  close_->setDefault(true);
  connect(next_, &QPushButton::clicked, this, &TipDialog::NextTip);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(showTips_);
  buttons->addStretch();
  buttons->addWidget(next_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);

  const auto tips = tipsFile ? ReadTips(*tipsFile) : std::nullopt;
  if (!tips) {
    text_->setText(QStringLiteral("Can't find ") + QLatin1String(kTipsFileName));
    return;
  }
  tips_ = *tips;
  if (!tips_.isEmpty()) {
    current_ = static_cast<int>(QRandomGenerator::global()->bounded(tips_.size()));
    ShowCurrent();
  }
}

bool TipDialog::showAtStartup() const {
  return showTips_->isChecked();
}

void TipDialog::NextTip() {
  if (tips_.isEmpty()) return;
  current_ = (current_ + 1) % static_cast<int>(tips_.size());
  ShowCurrent();
}

void TipDialog::ShowCurrent() {
  text_->setText(tips_.at(current_));
}

void RunTipOfTheDay(const DataLocations& data, Settings& settings, QWidget* parent) {
  TipDialog dialog(data.Find(kTipsFileName), settings.ShowTips, parent);
  dialog.exec();
  settings.ShowTips = dialog.showAtStartup();
}

}  // namespace i40::app
