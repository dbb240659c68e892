#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "format/blank_records.h"
#include "format/call_table.h"
#include "format/file_set.h"
#include "format/ids.h"
#include "format/item_image.h"
#include "format/kinds.h"
#include "format/read_error.h"

// Everything the program knows of a kind, one row per kind: its file and how it is read
// and written; how many items a Set holds of it, how each record is laid out and what
// travels with it as an item; how its items are numbered, labelled and named; and what
// the editor may do with them. The format, the engine, the pickers and the reports read
// this table instead of asking which kind they hold.
namespace i40 {

// A bank of a callable kind: its letter, the item number of its first position and its
// last index.
struct BankRow {
  std::string_view letter;
  int firstNumber;
  int lastIndex;
};

// How the items of a kind sit in a Set: the record at a position, and what travels with
// it in an item image (a Style's events, a Drum Kit's block, a sequence's tracks).
struct ItemLayout {
  std::span<std::uint8_t> (*record)(FileSet& set, std::size_t index);
  void (*readTail)(const FileSet& set, std::size_t index, ItemImage& image);
  void (*writeTail)(FileSet& set, std::size_t index, std::span<const std::uint8_t> image);
  bool (*sameTail)(const FileSet& a, const FileSet& b, std::size_t index);
  // The component's leading bytes and what its reader keeps beside them, equal in two
  // Sets.
  bool (*sameHeader)(const FileSet& a, const FileSet& b);
  void (*blank)(const BlankRecords& blanks, FileSet& set, std::size_t index);
};

// What the Edit menu, drag and drop and the warnings do with a kind's items.
struct EditRules {
  bool editable = false;          // the kind has an Edit menu of its own
  int shiftLast = -1;             // Delete and Insert move positions up to this one; -1: neither
  bool cut = false;               // KBD Sets are only copied and pasted
  bool cutsEmpty = false;         // an empty sequence can be cut; an empty named item not
  bool called = false;            // overwriting an item asks about its callers
  bool duplicates = false;        // Set-wide duplicate-name warnings
  bool dragMoves = false;         // a drag inside a Set moves onto the target, else before it
  bool pasteWithCalls = false;    // Paste with Calls brings what the item calls
  bool sequences = false;         // the items must keep fitting one file (Backing Sequences)
  Kind oneItemFile = Kind::Song;  // Load one: the file it reads (Song: none)
};

// The words the program uses for a kind beyond its name.
struct KindWords {
  std::string_view plural{};      // "Arrangements", "KBD Sets"
  std::string_view shortName{};   // in callers lists: "Arr", "Sty", "BSeq", "KSet"
  std::string_view trackOwner{};  // "Track 'BASS' of BackSeq 'X'": whose track it is
  std::string_view carried{};     // what travels with a record: "events", "Drum Kit data"
  // Asked before an item with callers goes: prefix, the item's name, suffix.
  std::string_view callersPrefix{};
  std::string_view callersSuffix{};
  // The same asked once for several items: the head, a line per item, the question.
  std::string_view callersManyHead{};
  std::string_view callersManyQuestion{};
  // The picker's caption (the caller's text follows when `pickerWithCaller`) and the
  // captions of its bank list, category list and item list.
  std::string_view pickerCaption{};
  bool pickerWithCaller = false;
  std::array<std::string_view, 3> pickerLabels{};
};

struct KindFacts {
  Kind kind;
  // The file.
  std::string_view name;
  std::string_view ext;
  int code = -1;           // header byte 6; -1 for the one-item files, not tested
  int sysExFunction = -1;  // function byte of the data dump; -1 for none
  int headerSize = 0;      // leading bytes kept verbatim; 0 for kinds not stored
  // A stored component: read into a Set, written from it, and handed over whole from one
  // Set's data to another's (Import). A one-item file: read into position
  // `oneItemIndex` of `oneItemOf` in a scratch Set.
  ReadOutcome (*read)(std::span<const std::uint8_t> bytes, FileSet& set) = nullptr;
  std::vector<std::uint8_t> (*write)(const FileSet& set) = nullptr;
  void (*take)(FileSet& to, FileSet& from) = nullptr;
  Kind oneItemOf = Kind::Song;
  int oneItemIndex = 0;
  // The items.
  int positions = 0;  // user positions in a Set; 0 for a kind that holds no items
  std::size_t recordSize = 0;
  std::size_t nameWidth = 0;  // 16; 10 for a sequence; 0 for a KBD Set, which has none
  int categoryOffset = -1;
  ItemLayout layout{};
  std::string (*positionLabel)(ItemIndex index) = nullptr;  // "C12", "3", "A1"
  // The numbers: banks, the user bank and its count, and a second user range inside a
  // preset bank (the two user Drum Kits at R27 and R28).
  std::span<const BankRow> banks;
  int userBank = -1;
  int userCount = 0;
  int extraUserBank = -1;
  int extraUserFirst = 0;
  int extraUserCount = 0;
  std::span<const std::string_view> categories;
  std::span<const CallField> calls;  // what the kind's records call
  EditRules edit{};
  KindWords words{};
};

// Built once, on the first look.
std::array<KindFacts, kKindCount> MakeKindTable();

// Inline: loops over every position of a Set look a kind up for each of them.
inline const KindFacts& FactsOf(Kind kind) {
  static const std::array<KindFacts, kKindCount> table = MakeKindTable();
  return table.at(static_cast<std::size_t>(KindIndex(kind)));
}

}  // namespace i40
