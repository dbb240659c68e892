#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "format/ids.h"
#include "format/kinds.h"

namespace i40 {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// One message box: the text and title exactly as the user sees them (an empty title
// stays empty), the icon, the buttons and the button that Enter presses.
struct Message {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  Answer defaultButton = Answer::Ok;
};

// One entry of a file dialog's type list: "Arrangement" with pattern "*.ARR".
struct FileFilter {
  std::string name;
  std::string pattern;
};

struct FileRequest {
  std::string title;
  std::filesystem::path initialDir;
  std::string initialName;
  std::vector<FileFilter> filters;
  int selectedFilter = 0;
  std::string defaultExt;
};

// A request to choose an Arrangement, a Style or a Program of a Set by bank, category
// and name, opening on the start number.
struct PickRequest {
  Kind kind = Kind::Arrangement;
  SetSlot slot = kNoSet;
  ItemNumber start{0};
  std::string caption;  // what the caller adds to the picker's own caption
  std::string item;     // the item it chooses for, when one question covered several
};

// A small modal choice from a list (the destination bank of an export, say): the
// caption, the label of the list, its items and the item first selected.
struct ListChoice {
  std::string caption;
  std::string label;
  std::vector<std::string> items;
  int selected = 0;
  std::string formName = "FInPrset";  // the names the desktop gives the window and its list
  std::string listName = "cboBnk";
};

// The MIDI setup: one output and one input device from the lists, opening on the entries
// given.
struct MidiSetupRequest {
  std::vector<std::string> outputs;
  std::vector<std::string> inputs;
  int output = 0;
  int input = 0;
};

struct MidiDevices {
  int output = 0;
  int input = 0;
};

// Everything the core asks of the person at the keyboard goes through here, so the
// desktop shows real dialogs while tests and scripted sessions answer from a queue.
class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual Answer Ask(const Message& message) = 0;

  // The system's open and save dialogs; nothing when cancelled.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest& request) = 0;
  virtual std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest& request) = 0;

  // The Arrangement, Style and Program pickers: the chosen number, or kNoNumber when
  // cancelled.
  virtual ItemNumber Pick(const PickRequest& request) = 0;

  // The chosen item's index, or -1 when cancelled.
  virtual int ChooseFromList(const ListChoice& choice) = 0;

  // The MIDI setup dialog: the devices chosen, or nothing when cancelled.
  virtual std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest& request) = 0;

  // A modeless progress window over [minimum, maximum]; the desktop shows it only when
  // the work lasts long enough for a person to notice.
  virtual void BeginProgress(const std::string& caption, const std::string& label, double minimum,
                             double maximum) = 0;
  virtual void SetProgress(double value) = 0;
  virtual void EndProgress() = 0;

  // A progress window with Cancel, for work the person may stop (a transfer); EndProgress
  // ends it too. An update sets the value and the line under the caption, and tells
  // whether to go on (false once Cancel was pressed).
  virtual void BeginCancellableProgress(const std::string& caption, const std::string& label,
                                        double minimum, double maximum) {
    BeginProgress(caption, label, minimum, maximum);
  }
  virtual bool UpdateCancellableProgress(double value, const std::string& label) {
    static_cast<void>(label);
    SetProgress(value);
    return true;
  }

  // What a finished command did ("DEMO saved"), shown for a few seconds where the
  // desktop keeps such news; a command that did nothing says nothing.
  virtual void ShowOutcome(const std::string& text) { static_cast<void>(text); }

  // Conveniences for the common boxes.
  void ShowError(const std::string& text);
  void ShowWarning(const std::string& text);
};

}  // namespace i40
