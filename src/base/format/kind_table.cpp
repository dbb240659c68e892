#include "format/kind_table.h"

#include <utility>

#include "format/arrangement_file.h"
#include "format/bsq_file.h"
#include "format/global_files.h"
#include "format/item_numbers.h"
#include "format/kbdset_file.h"
#include "format/program_file.h"
#include "format/style_file.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

constexpr std::array<BankRow, 3> kArrangementBanks = {
    {{"A", 0, 63}, {"B", 64, 63}, {"C", 256, 63}}};
constexpr std::array<BankRow, 3> kStyleBanks = {{{"A", 0, 63}, {"B", 64, 63}, {"C", 256, 15}}};
constexpr std::array<BankRow, 7> kProgramBanks = {{{"A", 0, 63},
                                                   {"B", 64, 63},
                                                   {"C", 256, 63},
                                                   {"D", 320, 63},
                                                   {"E", 512, 63},
                                                   {"F", 768, 63},
                                                   {"R", 1024, 15}}};

// Moves one member of the Set data from one Set to another.
template <auto Member>
void Take(FileSet& to, FileSet& from) {
  to.*Member = std::move(from.*Member);
}

void DescribeArrangements(KindFacts& arr) {
  arr.name = "Arrangement";
  arr.ext = ".ARR";
  arr.code = 3;
  arr.sysExFunction = 100;
  arr.headerSize = 32;
  arr.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadArrangementFile(b, s.arrangements);
  };
  arr.write = [](const FileSet& s) { return WriteArrangementFile(s.arrangements); };
  arr.take = Take<&FileSet::arrangements>;
  arr.positions = kUserArrangementCount;
  arr.recordSize = ArrangementRecord::kSize;
  arr.nameWidth = kNameWidth;
  arr.categoryOffset = ArrangementRecord::kCategoryOffset;
  arr.layout = {[](FileSet& s, std::size_t i) -> std::span<std::uint8_t> {
                  return s.arrangements.records.at(i).bytes;
                },
                nullptr,
                nullptr,
                nullptr,
                [](const FileSet& a, const FileSet& b) {
                  return a.arrangements.header == b.arrangements.header &&
                         a.arrangements.extra == b.arrangements.extra;
                },
                [](const BlankRecords& b, FileSet& s, std::size_t i) {
                  s.arrangements.records.at(i) = b.arrangement;
                }};
  arr.positionLabel = [](ItemIndex i) { return ItemUserLabel(Kind::Arrangement, i); };
  arr.banks = kArrangementBanks;
  arr.userBank = 2;
  arr.userCount = kUserArrangementCount;
  arr.categories = kArrCategoryName;
  arr.calls = ArrangementCallFields();
  arr.edit = {.editable = true,
              .shiftLast = kUserArrangementCount - 1,
              .cut = true,
              .called = true,
              .duplicates = true,
              .dragMoves = true,
              .pasteWithCalls = true,
              .oneItemFile = Kind::IStyleArrangement};
  arr.words = {.plural = "Arrangements",
               .shortName = "Arr",
               .trackOwner = "Arrangement",
               .callersSuffix =
                   " Arrangement is referenced by\none or more Backing Sequences.\n"
                   "Change references to another Arrangement?",
               .callersManyHead =
                   "These Arrangements are referenced by\n"
                   "one or more Backing Sequences:",
               .callersManyQuestion = "Change references to other Arrangements?",
               .pickerCaption = "Select an Arrangement",
               .pickerWithCaller = true,
               .pickerLabels = {"Bank", "Category", "Name"}};
}

void DescribeStyles(KindFacts& sty) {
  sty.name = "Style";
  sty.ext = ".STY";
  sty.code = 4;
  sty.sysExFunction = 101;
  sty.headerSize = 21;
  sty.read = [](std::span<const std::uint8_t> b, FileSet& s) { return ReadStyleFile(b, s.styles); };
  sty.write = [](const FileSet& s) { return WriteStyleFile(s.styles); };
  sty.take = Take<&FileSet::styles>;
  sty.positions = kUserStyleCount;
  sty.recordSize = StyleRecord::kSize;
  sty.nameWidth = kNameWidth;
  sty.categoryOffset = StyleRecord::kCategoryOffset;
  sty.layout = {
      [](FileSet& s, std::size_t i) -> std::span<std::uint8_t> {
        return s.styles.slots.at(i).record.bytes;
      },
      ReadStyleTail,
      WriteStyleTail,
      SameStyleTail,
      [](const FileSet& a, const FileSet& b) {
        return a.styles.header == b.styles.header && a.styles.blockCount == b.styles.blockCount;
      },
      [](const BlankRecords& b, FileSet& s, std::size_t i) { s.styles.slots.at(i) = b.style; }};
  sty.positionLabel = [](ItemIndex i) { return ItemUserLabel(Kind::Style, i); };
  sty.banks = kStyleBanks;
  sty.userBank = 2;
  sty.userCount = kUserStyleCount;
  sty.categories = kStyleCategoryName;
  sty.calls = StyleCallFields();
  sty.edit = {.editable = true,
              .cut = true,
              .called = true,
              .duplicates = true,
              .dragMoves = true,
              .pasteWithCalls = true,
              .oneItemFile = Kind::IStyleStyle};
  sty.words = {.plural = "Styles",
               .shortName = "Sty",
               .trackOwner = "Style",
               .carried = "events",
               .callersSuffix =
                   " Style is referenced by one\nor more Arrangements or Backing "
                   "Sequences.\nChange references to another Style?",
               .callersManyHead =
                   "These Styles are referenced by one\n"
                   "or more Arrangements or Backing Sequences:",
               .callersManyQuestion = "Change references to other Styles?",
               .pickerCaption = "Select a Style",
               .pickerLabels = {"Style Bank", "Style Category", "Style Reference and Name"}};
}

void DescribePrograms(KindFacts& prg) {
  prg.name = "Program";
  prg.ext = ".PRG";
  prg.code = 0;
  prg.sysExFunction = 76;
  prg.headerSize = 48;
  prg.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadProgramFile(b, s.programs);
  };
  prg.write = [](const FileSet& s) { return WriteProgramFile(s.programs); };
  prg.take = Take<&FileSet::programs>;
  prg.positions = kUserProgramSlots;
  prg.recordSize = ProgramRecord::kSize;
  prg.nameWidth = kNameWidth;
  prg.categoryOffset = ProgramRecord::kCategoryOffset;
  prg.layout = {
      [](FileSet& s, std::size_t i) -> std::span<std::uint8_t> {
        return s.programs.records.at(i).bytes;
      },
      ReadDrumKitTail,
      WriteDrumKitTail,
      SameDrumKitTail,
      [](const FileSet& a, const FileSet& b) { return a.programs.header == b.programs.header; },
      [](const BlankRecords& b, FileSet& s, std::size_t i) {
        s.programs.records.at(i) = b.program;
      }};
  prg.positionLabel = [](ItemIndex i) { return ItemUserLabel(Kind::Program, i); };
  prg.banks = kProgramBanks;
  prg.userBank = 5;
  prg.userCount = kUserProgramSlots;
  prg.extraUserBank = 6;  // R27 and R28: the Set's own Drum Kits
  prg.extraUserFirst = 14;
  prg.extraUserCount = kUserDrumKitCount;
  prg.categories = kProgramCategoryName;
  prg.edit = {.editable = true,
              .shiftLast = kUserProgramCount - 1,  // the Drum Kits stay where they are
              .cut = true,
              .called = true,
              .duplicates = true,
              .dragMoves = true,
              .oneItemFile = Kind::IStyleProgram};
  prg.words = {.plural = "Programs",
               .carried = "Drum Kit data",
               .callersPrefix = "Program '",
               .callersSuffix =
                   "' is referenced by one or more\nArrangements, Styles, Backing "
                   "Sequences, etc.\n\nRedirect them to another Program?",
               .callersManyHead =
                   "These Programs are referenced by one or more\n"
                   "Arrangements, Styles, Backing Sequences, etc.:",
               .callersManyQuestion = "\nRedirect them to other Programs?",
               .pickerCaption = "Select a Program ",
               .pickerWithCaller = true,
               .pickerLabels = {"Program Bank", "Program Category", "Program Reference and Name"}};
}

void DescribeBackingSequences(KindFacts& bsq) {
  bsq.name = "Backing Sequence";
  bsq.ext = ".BSQ";
  bsq.code = 5;
  bsq.sysExFunction = 102;
  bsq.headerSize = 16;
  bsq.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadBsqFile(b, s.backingSequences);
  };
  bsq.write = [](const FileSet& s) { return WriteBsqFile(s.backingSequences); };
  bsq.take = [](FileSet& to, FileSet& from) {
    const auto path = to.backingSequences.path;  // where this Set's sequences are saved
    to.backingSequences = std::move(from.backingSequences);
    to.backingSequences.path = path;
  };
  bsq.positions = kBsqCount;
  bsq.recordSize = BsqRecord::kSize;
  bsq.nameWidth = kBsqNameWidth;
  bsq.layout = {[](FileSet& s, std::size_t i) -> std::span<std::uint8_t> {
                  return s.backingSequences.records.at(i).bytes;
                },
                ReadSequenceTail,
                WriteSequenceTail,
                SameSequenceTail,
                [](const FileSet& a, const FileSet& b) {
                  return a.backingSequences.header == b.backingSequences.header;
                },
                [](const BlankRecords& b, FileSet& s, std::size_t i) {
                  s.backingSequences.records.at(i) = b.bsq;
                }};
  bsq.positionLabel = [](ItemIndex i) { return std::to_string(Value(i)); };
  bsq.calls = BsqCallFields();
  bsq.edit = {.editable = true,
              .shiftLast = kBsqCount - 1,
              .cut = true,
              .cutsEmpty = true,
              .pasteWithCalls = true,
              .sequences = true};
  bsq.words = {.plural = "Backing Sequences",
               .shortName = "BSeq",
               .trackOwner = "BackSeq",
               .carried = "events"};
}

void DescribeSongs(KindFacts& song) {
  song.name = "Song";
  song.ext = ".SNG";
  song.code = 1;
  song.sysExFunction = 72;
}

void DescribeKbdSets(KindFacts& kbd) {
  kbd.name = "KBD Set";
  kbd.ext = ".KBS";
  kbd.code = 8;
  kbd.sysExFunction = 105;
  kbd.headerSize = 32;
  kbd.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadKbdSetFile(b, s.kbdSets);
  };
  kbd.write = [](const FileSet& s) { return WriteKbdSetFile(s.kbdSets); };
  kbd.take = Take<&FileSet::kbdSets>;
  kbd.positions = kKbdSetCount;
  kbd.recordSize = KbdSetRecord::kSize;
  kbd.layout = {
      [](FileSet& s, std::size_t i) -> std::span<std::uint8_t> {
        return s.kbdSets.records.at(i).bytes;
      },
      nullptr,
      nullptr,
      nullptr,
      [](const FileSet& a, const FileSet& b) { return a.kbdSets.header == b.kbdSets.header; },
      [](const BlankRecords& b, FileSet& s, std::size_t i) { s.kbdSets.records.at(i) = b.kbdSet; }};
  kbd.positionLabel = KbdSetLabel;
  kbd.calls = KbdSetCallFields();
  kbd.edit = {.editable = true, .pasteWithCalls = true};
  kbd.words = {.plural = "KBD Sets", .shortName = "KSet", .trackOwner = "KBD Set"};
}

void DescribeArrangementGlobal(KindFacts& arg) {
  arg.name = "Arrangement Global";
  arg.ext = ".ARG";
  arg.code = 7;
  arg.sysExFunction = 104;
  arg.headerSize = 32;
  arg.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadArrangementGlobalFile(b, s.arrangementGlobal);
  };
  arg.write = [](const FileSet& s) { return WriteArrangementGlobalFile(s.arrangementGlobal); };
  arg.take = Take<&FileSet::arrangementGlobal>;
  arg.layout.sameHeader = [](const FileSet& a, const FileSet& b) {
    return a.arrangementGlobal.header == b.arrangementGlobal.header;
  };
}

void DescribeGlobal(KindFacts& gbl) {
  gbl.name = "Global";
  gbl.ext = ".GBL";
  gbl.code = 6;
  gbl.sysExFunction = 81;
  gbl.headerSize = 32;
  gbl.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadGlobalFile(b, s.global);
  };
  gbl.write = [](const FileSet& s) { return WriteGlobalFile(s.global); };
  gbl.take = Take<&FileSet::global>;
  gbl.layout.sameHeader = [](const FileSet& a, const FileSet& b) {
    return a.global.header == b.global.header;
  };
}

// The one-item files: each reads its item into the first position of its kind (a Drum
// Kit into the first Drum Kit position) of a scratch Set.
void DescribeIStyleArrangement(KindFacts& iaf) {
  iaf.name = "IStyle Arrangement";
  iaf.ext = ".IAF";
  iaf.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadIafFile(b, s.arrangements.records[0]);
  };
  iaf.oneItemOf = Kind::Arrangement;
}

void DescribeIStyleStyle(KindFacts& isf) {
  isf.name = "IStyle Style";
  isf.ext = ".ISF";
  isf.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadIsfFile(b, s.styles.slots[0]);
  };
  isf.oneItemOf = Kind::Style;
}

void DescribeIStyleProgram(KindFacts& ipf) {
  ipf.name = "IStyle Program";
  ipf.ext = ".IPF";
  ipf.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    return ReadIpfFile(b, s.programs.records[0]);
  };
  ipf.oneItemOf = Kind::Program;
}

void DescribeIStyleDrumKit(KindFacts& idk) {
  idk.name = "IStyle DrumKit";
  idk.ext = ".IDK";
  idk.read = [](std::span<const std::uint8_t> b, FileSet& s) {
    DrumKit kit;
    const ReadOutcome problem = ReadIdkFile(b, kit);
    s.programs.records[kUserProgramCount] = kit.record;
    s.programs.drumKitData[0] = kit.data;
    return problem;
  };
  idk.oneItemOf = Kind::Program;
  idk.oneItemIndex = kUserProgramCount;
}

}  // namespace

std::array<KindFacts, kKindCount> MakeKindTable() {
  std::array<KindFacts, kKindCount> t{};
  const auto row = [&t](Kind kind) -> KindFacts& {
    KindFacts& f = t[static_cast<std::size_t>(KindIndex(kind))];
    f.kind = kind;
    return f;
  };
  DescribeArrangements(row(Kind::Arrangement));
  DescribeStyles(row(Kind::Style));
  DescribePrograms(row(Kind::Program));
  DescribeBackingSequences(row(Kind::BackingSequence));
  DescribeSongs(row(Kind::Song));
  DescribeKbdSets(row(Kind::KbdSet));
  DescribeArrangementGlobal(row(Kind::ArrangementGlobal));
  DescribeGlobal(row(Kind::Global));
  DescribeIStyleArrangement(row(Kind::IStyleArrangement));
  DescribeIStyleStyle(row(Kind::IStyleStyle));
  DescribeIStyleProgram(row(Kind::IStyleProgram));
  DescribeIStyleDrumKit(row(Kind::IStyleDrumKit));
  return t;
}

}  // namespace i40
