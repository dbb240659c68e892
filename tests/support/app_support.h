#pragma once

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string_view>

#include "shell/main_window.h"
#include "shell/qt_settings_store.h"
#include "shell/qt_text.h"
#include "support/app_suites.h"

namespace i40::app::test {

inline std::filesystem::path SourceData() {
  return std::filesystem::path(I40_SOURCE_DATA_DIR);
}

inline std::filesystem::path DemoSet() {
  return SourceData() / "demo" / "DEMO";
}

// A copy of the demo Set's files in a folder of the test's: the same Set name elsewhere,
// or a Set that may be saved.
inline std::filesystem::path CopyOfDemo(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  fs::create_directories(dir);
  for (const auto& file : fs::directory_iterator(DemoSet().parent_path()))
    fs::copy_file(file.path(), dir / file.path().filename(), fs::copy_options::overwrite_existing);
  return dir / "DEMO";
}

// A file's bytes; none when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves a picture of a widget into the build folder (I40_SCREENSHOT_DIR in the environment
// names another, for the runs at another scale).
inline void Picture(QWidget& widget, const QString& file) {
  const QString dir = qEnvironmentVariable("I40_SCREENSHOT_DIR", I40_SCREENSHOT_DIR);
  QDir().mkpath(dir);
  const QString path = dir + '/' + file;
  QFile::remove(path);
  QVERIFY2(widget.grab().save(path), qPrintable(file));
  QVERIFY2(!QImage(path).isNull(), qPrintable(file));
}

// The controls under a window that take the keyboard but that a screen reader could not
// name (the editors inside spin and combo boxes belong to them).
inline QStringList Unnamed(const QWidget& root) {
  QStringList unnamed;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&root)) continue;
    if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr ||
        qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr) {
      continue;
    }
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
    if (spoken == nullptr || spoken->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << widget->metaObject()->className() + (":" + widget->objectName());
  }
  return unnamed;
}

// The controls of a window that answer the same Alt+letter at once: "Alt+A: &Arrangements,
// &Arrangement Global". Reachable at once: shown (a hidden tab's page is not), in the
// window itself (a Set window inside the frame: only the one in front), the frame's menu
// bar included.
inline QStringList MnemonicClashes(const QWidget& window) {
  std::map<QString, QStringList> byKey;
  const auto add = [&byKey](const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty()) byKey[key.toString()] << text;
  };
  auto* area = window.findChild<QMdiArea*>();
  const QMdiSubWindow* front = area != nullptr ? area->activeSubWindow() : nullptr;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window) || widget->window() != &window) continue;
    bool inFront = true;
    for (QWidget* up = widget; up != nullptr && up != &window; up = up->parentWidget()) {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(up)) inFront = sub == front;
    }
    if (!inFront) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      add(button->text());
    } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
      add(label->text());
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      add(frame->title());
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i)
        add(tabs->tabText(i));
    } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
      for (QAction* action : bar->actions()) {
        if (action->isVisible()) add(action->text());
      }
    }
  }
  QStringList clashes;
  for (const auto& [key, texts] : byKey) {
    if (texts.size() > 1) clashes << key + ": " + texts.join(", ");
  }
  return clashes;
}

// A window's object name and title, to compare in one go: "FMain: Korg-i40 Set Editor".
inline QString NameAndTitle(const QWidget& window) {
  return window.objectName() + ": " + window.windowTitle();
}

inline QString Canonical(const QString& path) {
  return QFileInfo(path).canonicalFilePath();
}

// What a named child of root shows as its caption: a button's, label's or action's text,
// a frame's or menu's title.
inline QString Caption(const QObject& root, const char* name) {
  const QObject* child = root.findChild<QObject*>(name);
  if (const auto* button = qobject_cast<const QAbstractButton*>(child)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(child)) return label->text();
  if (const auto* action = qobject_cast<const QAction*>(child)) return action->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(child)) return frame->title();
  if (const auto* menu = qobject_cast<const QMenu*>(child)) return menu->title();
  return QStringLiteral("<no caption for %1>").arg(name);
}

inline void CheckCaptions(const QObject& root,
                          std::initializer_list<std::pair<const char*, QString>> captions) {
  for (const auto& [name, caption] : captions)
    QCOMPARE(Caption(root, name), caption);
}

// Checks a listing under tests/data/app, one control a line, tab-separated: its object
// name, what is checked ("caption", "tip" or "keys") and the text it shows.
inline void CheckListing(const QObject& root, const char* listing) {
  QFile file(QStringLiteral(I40_TEST_DATA_DIR "/app/") + listing);
  QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), listing);
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  QVERIFY2(!lines.isEmpty(), listing);
  for (const QString& line : lines) {
    const QStringList field = line.split('\t');
    QVERIFY2(field.size() == 3, qPrintable(line));
    QString shown = Caption(root, qPrintable(field[0]));
    if (field[1] == "tip") shown = root.findChild<QWidget*>(field[0])->toolTip();
    if (field[1] == "keys") shown = root.findChild<QAction*>(field[0])->shortcut().toString();
    QVERIFY2(shown == field[2], qPrintable(line + " shows " + shown));
  }
}

// Answers the modal windows that come up while a test runs, one handler each, in the
// order they appear. A window left open by its handler (a failed check) is dismissed,
// and so is a window nobody expected, so a test never hangs on a dialog.
class ModalWatcher : public QObject {
 public:
  using Handler = std::function<void(QWidget*)>;

  ModalWatcher() { qApp->installEventFilter(this); }
  ~ModalWatcher() override { qApp->removeEventFilter(this); }

  ModalWatcher& Then(Handler handler) {
    handlers_.push_back({std::move(handler), true});
    return *this;
  }
  // A handler for a window the work under way closes itself (a progress window): it is
  // left open when the handler returns.
  ModalWatcher& ThenLeaveOpen(Handler handler) {
    handlers_.push_back({std::move(handler), false});
    return *this;
  }

  // The object names of the modal windows seen, in order.
  const QStringList& seen() const { return seen_; }
  // Windows that came up with no handler left.
  int unexpected() const { return unexpected_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget->isWindow() && widget->isModal()) {
        QPointer<QWidget> window(widget);
        QTimer::singleShot(0, this, [this, window] { Answer(window); });
      }
    }
    return false;
  }

 private:
  static void Dismiss(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) return dialog->reject();
    window->close();
  }

  void Answer(const QPointer<QWidget>& window) {
    if (window.isNull() || !window->isVisible()) return;
    seen_ << window->objectName();
    if (handlers_.empty()) {
      ++unexpected_;
      Dismiss(window);
      return;
    }
    auto [handler, dismiss] = std::move(handlers_.front());
    handlers_.pop_front();
    handler(window);
    if (dismiss && !window.isNull() && window->isVisible() && window->isModal()) Dismiss(window);
  }

  std::deque<std::pair<Handler, bool>> handlers_;
  QStringList seen_;
  int unexpected_ = 0;
};

// Handlers for the common answers.
inline ModalWatcher::Handler ClickButton(const char* name) {
  return [name](QWidget* window) {
    if (auto* button = window->findChild<QAbstractButton*>(name)) button->click();
  };
}

inline ModalWatcher::Handler ClickMessageButton(QMessageBox::StandardButton which) {
  return [which](QWidget* window) {
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
      if (QAbstractButton* button = box->button(which)) button->click();
    }
  };
}

inline ModalWatcher::Handler RejectDialog() {
  return [](QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
  };
}

// A run of the editor that touches nothing of the real user: settings in an INI file of
// a temporary folder, an empty per-user data folder there, the shipped data read from
// the source tree. The tip of the day shows at start-up only when asked for.
struct TestEnvironment {
  QTemporaryDir dir;
  QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
  QtSettingsStore store{settings};
  StartOptions options;

  explicit TestEnvironment(bool tips = false) {
    if (!tips) Store("Show Tips at Startup", "0");
    options.programDir = QStringToPath(QCoreApplication::applicationDirPath());
    options.documentsDir = QStringToPath(dir.filePath("Documents"));
    options.data.userDir = QStringToPath(dir.filePath("user"));
    options.data.shippedDirs = {SourceData()};
    // Not a first run, unless the test says so.
    std::filesystem::create_directories(setsFolder());
  }

  // The folder of the user's Sets in the test's documents folder.
  std::filesystem::path setsFolder() const { return options.documentsDir / "i40 Sets"; }
  // A run as if the editor had never run for this user.
  void FirstRun() { std::filesystem::remove_all(setsFolder()); }

  std::filesystem::path path() const { return QStringToPath(dir.path()); }

  void Store(std::string_view key, const QString& value) {
    settings.setValue(QtSettingsStore::KeyOf(key), value);
  }
  QString Stored(std::string_view key) const {
    return settings.value(QtSettingsStore::KeyOf(key)).toString();
  }
};

}  // namespace i40::app::test
