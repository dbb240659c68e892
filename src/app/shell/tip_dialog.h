#pragma once

#include <QDialog>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "session/data_locations.h"
#include "session/settings.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace i40::app {

inline constexpr const char* kTipsFileName = "I40TIPS.TXT";

// The tips of a tips file, one a line, blank lines left out; nothing when the file
// cannot be read.
std::optional<QStringList> ReadTips(const std::filesystem::path& file);

// FTip: one tip at a time, starting at a random one; Next Tip goes round.
class TipDialog : public QDialog {
  Q_OBJECT

 public:
  TipDialog(const std::optional<std::filesystem::path>& tipsFile, bool showAtStartup,
            QWidget* parent = nullptr);

  bool showAtStartup() const;
  const QStringList& tips() const { return tips_; }
  int current() const { return current_; }  // -1 when there are no tips

  void NextTip();

 private:
  void ShowCurrent();

  QStringList tips_;
  int current_ = -1;
  QLabel* text_;
  QCheckBox* showTips_;
  QPushButton* next_;
  QPushButton* close_;
};

// Help > Tip of the Day...: the tip window, modal, its box read from and written back
// to the "Show Tips at Startup" option.
void RunTipOfTheDay(const DataLocations& data, Settings& settings, QWidget* parent);

}  // namespace i40::app
