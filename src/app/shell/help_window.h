#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

class QTextBrowser;
class QToolButton;

namespace i40::app {

inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kHelpContentsPage = "index.html";
inline constexpr const char* kHelpIndexPage = "keywords.html";

// The help pages: contents, keyword index, and the pages they lead to.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // helpDir is the folder of the pages; nothing when they cannot be found.
  explicit HelpWindow(const std::optional<std::filesystem::path>& helpDir,
                      QWidget* parent = nullptr);

  void ShowContents();
  void ShowIndex();
  // A page of the help folder, with an anchor if given ("editing.html#details").
  void ShowPage(const QString& page);

  QTextBrowser* browser() const { return browser_; }

 private:
  std::optional<std::filesystem::path> helpDir_;
  QTextBrowser* browser_;
};

}  // namespace i40::app
