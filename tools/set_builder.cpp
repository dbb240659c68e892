#include "set_builder.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>

#include "format/bsq_file.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "format/style_blocks.h"

namespace i40::build {

// ---------------------------------------------------------------------------------------
// Defaults of the empty template Set. Everything a new Set starts from is here.
// ---------------------------------------------------------------------------------------
namespace defaults {

constexpr std::uint8_t kHeaderByte5 = 0;             // not tested, carried
constexpr std::uint8_t kHeaderByte7 = 0;             // not tested, carried
constexpr std::uint16_t kArrangementLength = 10496;  // 64 records of 164 bytes, no extra
constexpr std::uint8_t kStylePresent = 1;

// Lower, Upper 1 and Upper 2 Programs of the 15 KBD Sets: preset Programs only, so a
// new Set calls nothing that it does not hold.
constexpr std::array<std::array<int, 3>, 15> kKbdSetPrograms = {{
    {32, 0, 64},
    {33, 1, 65},
    {34, 2, 66},
    {35, 3, 67},
    {36, 4, 68},
    {37, 8, 72},
    {38, 9, 73},
    {39, 10, 74},
    {40, 11, 75},
    {41, 12, 76},
    {256, 16, 80},
    {257, 17, 81},
    {258, 18, 82},
    {259, 19, 83},
    {260, 20, 84},
}};

// MIDI channel (0-15, 0xFF off) of each part: 0 -, 1 Upper1 (and L/Upp2 in bits 0-3),
// 2 L/Upp2, 3 Drums, 4 Perc, 5 Bass, 6-8 ACC1-3, 9-10 -, 11-12 Chord1-2, 13 -,
// 14 ArrChg, 15 KBDChg.
constexpr std::array<std::uint8_t, 16> kArrangementGlobalChannels = {
    0x00, 0x01, 0x01, 0x09, 0x08, 0x02, 0x03, 0x04, 0x05, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF,
};
constexpr std::uint8_t kChordRecognition = 1;  // "Normal"

constexpr std::uint8_t kDamperPolarity = 0;     // "KORG (-)"
constexpr std::uint8_t kAssignablePedal1 = 30;  // "VOLUME"
constexpr std::uint8_t kAssignablePedal2 = 0;   // "OFF"
constexpr std::uint8_t kVelocityCurve = 3;      // shown as "4"
constexpr std::uint8_t kAftertouchCurve = 3;

}  // namespace defaults

std::uint32_t Rng::Next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

void Rng::Fill(std::span<std::uint8_t> bytes) {
  for (auto& b : bytes)
    b = Byte();
}

std::vector<std::uint8_t> Rng::Bytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  Fill(bytes);
  return bytes;
}

std::vector<std::uint8_t> ComponentHeader(Kind kind, std::size_t size) {
  std::vector<std::uint8_t> header(size, 0);
  const std::uint8_t tested[] = {'K',
                                 'O',
                                 'R',
                                 'G',
                                 'M',
                                 defaults::kHeaderByte5,
                                 static_cast<std::uint8_t>(KindCode(kind)),
                                 defaults::kHeaderByte7};
  std::copy(std::begin(tested), std::end(tested), header.begin());
  return header;
}

namespace {

template <std::size_t N>
void SetHeader(std::array<std::uint8_t, N>& header, Kind kind) {
  const auto bytes = ComponentHeader(kind, N);
  std::copy(bytes.begin(), bytes.end(), header.begin());
}

void SetAllHeaders(FileSet& set) {
  SetHeader(set.arrangements.header, Kind::Arrangement);
  PutU16(set.arrangements.header, 24, defaults::kArrangementLength);
  SetHeader(set.styles.header, Kind::Style);
  SetHeader(set.programs.header, Kind::Program);
  SetHeader(set.backingSequences.header, Kind::BackingSequence);
  SetHeader(set.kbdSets.header, Kind::KbdSet);
  SetHeader(set.arrangementGlobal.header, Kind::ArrangementGlobal);
  SetHeader(set.global.header, Kind::Global);
}

void SetStyle(StyleSlot& slot, int events) {
  slot.present = defaults::kStylePresent;
  slot.length = kEmptyStyleLength + kBytesPerEvent * events;
  slot.data.assign(static_cast<std::size_t>(slot.length) - 70, 0);
}

void EraseBackingSequences(BsqData& bsq) {
  for (auto& record : bsq.records)
    record = EmptyBsqRecord();
  for (auto& starts : bsq.trackStart)
    starts.fill(kBsqBase);
  bsq.endStart = kBsqBase;
  for (auto& data : bsq.data)
    data.clear();
  DeriveBsqLengths(bsq);
}

}  // namespace

FileSet TemplateSet() {
  FileSet set;
  SetAllHeaders(set);
  for (auto& r : set.arrangements.records)
    r = BlankItemRecord<ArrangementRecord>();
  for (auto& slot : set.styles.slots) {
    slot.record = BlankItemRecord<StyleRecord>();
    SetStyle(slot, 0);
  }
  for (auto& r : set.programs.records)
    r = BlankItemRecord<ProgramRecord>();
  EraseBackingSequences(set.backingSequences);
  for (std::size_t k = 0; k < set.kbdSets.records.size(); ++k) {
    for (int s = 0; s < kKbdSectionCount; ++s) {
      set.kbdSets.records[k].SetSectionProgram(
          s, defaults::kKbdSetPrograms[k][static_cast<std::size_t>(s)]);
    }
  }
  auto& arg = set.arrangementGlobal.record;
  std::copy(defaults::kArrangementGlobalChannels.begin(),
            defaults::kArrangementGlobalChannels.end(), arg.begin());
  arg[ArrangementGlobalData::kRecognitionOffset] = defaults::kChordRecognition;
  auto& gbl = set.global.record;
  gbl[GlobalData::kDamperPolarityOffset] = defaults::kDamperPolarity;
  gbl[GlobalData::kPedal1Offset] = defaults::kAssignablePedal1;
  gbl[GlobalData::kPedal2Offset] = defaults::kAssignablePedal2;
  gbl[GlobalData::kVelocityCurveOffset] = defaults::kVelocityCurve;
  gbl[GlobalData::kAftertouchCurveOffset] = defaults::kAftertouchCurve;
  return set;
}

// ---------------------------------------------------------------------------------------
// The demo Set: what a musician's Set looks like, for trying the editor and screenshots.
// ---------------------------------------------------------------------------------------
namespace {

struct DemoArrangement {
  const char* name;
  int category;
  int style;                    // Style number
  std::array<int, 9> programs;  // DRUMS .. Lower
  int tempo;
};

// Programs 768+ are the Set's own, 1038/1039 its Drum Kits.
constexpr DemoArrangement kDemoArrangements[] = {
    {"Pop Ballad", 0, 256, {1038, 1024, 770, 771, 772, 0, 768, 769, 800}, 72},
    {"Swing Time", 7, 257, {1025, 1026, 12, 773, 774, 20, 775, 8, 30}, 132},
    {"Bossa Nova", 4, 258, {1039, 1027, 776, 777, 13, 14, 778, 9, 31}, 128},
    {"Rock'n'Roll", 10, 259, {1028, 1029, 779, 780, 15, 16, 781, 10, 32}, 168},
    {"Disco Fever", 3, 260, {1030, 1031, 782, 783, 784, 17, 785, 11, 33}, 120},
    {"Country Road", 5, 261, {1032, 1033, 786, 787, 18, 19, 788, 64, 34}, 104},
    {"Tango Argentino", 2, 262, {1034, 1035, 789, 790, 21, 22, 791, 65, 35}, 116},
    {"Salsa Caliente", 4, 263, {1036, 1037, 792, 793, 23, 24, 794, 66, 36}, 184},
    {"Blues Shuffle", 8, 264, {1038, 1024, 795, 796, 25, 26, 797, 67, 37}, 96},
    {"Funky Groove", 9, 265, {1039, 1025, 798, 799, 27, 28, 800, 68, 38}, 108},
    {"Slow Waltz", 2, 266, {1038, 1026, 801, 802, 29, 30, 803, 69, 39}, 84},
    {"Polka Party", 6, 267, {1039, 1027, 804, 805, 31, 32, 806, 70, 40}, 126},
    {"Pop Ballad Slow", 0, 268, {1038, 1024, 770, 771, 772, 0, 768, 769, 800}, 70},
    {"Reggae Island", 11, 269, {1039, 1028, 807, 808, 33, 34, 809, 71, 41}, 90},
    {"8 Beat Rock", 0, 5, {1024, 1025, 12, 13, 14, 15, 768, 769, 16}, 124},
    {"16 Beat Pop", 1, 20, {1026, 1027, 17, 18, 19, 20, 770, 771, 21}, 100},
    {"Jazz Waltz", 7, 70, {1028, 1029, 22, 23, 24, 25, 772, 773, 26}, 150},
    {"Cha Cha", 4, 36, {1030, 1031, 27, 28, 29, 30, 774, 775, 31}, 124},
    {"Big Band", 7, 270, {1032, 1033, 32, 33, 34, 35, 776, 777, 36}, 140},
    {"Gospel Train", 8, 270, {1034, 1035, 37, 38, 39, 40, 778, 779, 41}, 112},
};

struct DemoStyle {
  const char* name;  // nullptr: the slot holds no Style data
  int category;
  int events;
  std::array<int, 6> programs;
};

// Block 0 (C11-C14) is filled almost to its 15200 events.
constexpr DemoStyle kDemoStyles[16] = {
    {"Ballad Style", 0, 5200, {1038, 1024, 770, 771, 772, 0}},
    {"Swing Style", 7, 4800, {1025, 1026, 12, 773, 774, 20}},
    {"Bossa Style", 4, 3900, {1039, 1027, 776, 777, 13, 14}},
    {"Rock Style", 10, 1250, {1028, 1029, 779, 780, 15, 16}},
    {"Disco Style", 3, 2400, {1030, 1031, 782, 783, 784, 17}},
    {"Country Style", 5, 1800, {1032, 1033, 786, 787, 18, 19}},
    {"Tango Style", 2, 2100, {1034, 1035, 789, 790, 21, 22}},
    {"Salsa Style", 4, 3300, {1036, 1037, 792, 793, 23, 24}},
    {"Blues Style", 8, 1500, {1038, 1024, 795, 796, 25, 26}},
    {"Funk Style", 9, 2750, {1039, 1025, 798, 799, 27, 28}},
    {"Waltz Style", 2, 900, {1038, 1026, 801, 802, 29, 30}},
    {"Polka Style", 6, 1100, {1039, 1027, 804, 805, 31, 32}},
    {"Slow Ballad", 0, 600, {1038, 1024, 770, 771, 772, 0}},
    {"Reggae Style", 11, 1700, {1039, 1028, 807, 808, 33, 34}},
    {"Big Band Style", 7, 4000, {1032, 1033, 32, 33, 34, 35}},
    {nullptr, 15, 0, {0, 0, 0, 0, 0, 0}},
};

struct DemoProgram {
  const char* name;
  int category;
};

constexpr DemoProgram kDemoPrograms[] = {
    {"Grand Piano", 0},  {"E.Piano Soft", 0},  {"Finger Bass", 3},  {"Nylon Guitar", 2},
    {"Jazz Guitar", 2},  {"Brass Section", 6}, {"Warm Strings", 4}, {"Choir Aahs", 5},
    {"Tenor Sax", 7},    {"Church Organ", 8},  {"Analog Lead", 9},  {"Soft Pad", 10},
    {"Vibraphone", 11},  {"Harp", 12},         {"Thunder", 13},     {"Tom Fill", 14},
    {"Jazz Organ", 1},   {"Fretless Bass", 3}, {"Steel Guitar", 2}, {"Muted Trumpet", 6},
    {"Pizzicato", 4},    {"Flute", 7},         {"Accordion", 1},    {"Marimba", 11},
    {"Synth Brass", 9},  {"Sweep Pad", 10},    {"Banjo", 12},       {"Slap Bass", 3},
    {"Bright Piano", 0}, {"Rock Organ", 1},    {"Clean Guitar", 2}, {"My Sound", 15},
    {"Pan Flute", 7},    {"Clavinet", 0},      {"Mandolin", 12},    {"Tuba", 6},
    {"Celesta", 11},     {"Whistle", 5},       {"Sitar", 12},       {"Harmonica", 7},
    {"Steel Drums", 11}, {"Cello", 4},
};

constexpr const char* kDemoDrumKits[2] = {"Studio Kit", "Jazz Brush Kit"};

struct DemoSequence {
  const char* name;
  int arrangement;
  int style;
  std::array<int, 11> programs;  // Upper1, Upper2, Lower, Extra 1-8
  int next;
  bool chain;
  std::array<int, kBsqTrackCount> units;  // length of each track in units
};

constexpr DemoSequence kDemoSequences[] = {
    {"INTRO",
     256,
     256,
     {768, 769, 800, 770, 771, 0, 0, 0, 0, 0, 0},
     1,
     true,
     {40, 12, 20, 8, 8, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}},
    {"VERSE",
     256,
     256,
     {768, 769, 800, 770, 771, 772, 0, 0, 0, 0, 0},
     2,
     true,
     {120, 60, 80, 40, 40, 30, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10}},
    {"CHORUS",
     257,
     257,
     {775, 8, 30, 773, 774, 20, 0, 0, 0, 0, 0},
     3,
     true,
     {150, 80, 90, 60, 50, 40, 30, 10, 0, 0, 0, 0, 0, 0, 0, 0, 12}},
    {"ENDING",
     256,
     5,
     {768, 769, 800, 0, 0, 0, 0, 0, 0, 0, 0},
     0,
     false,
     {30, 10, 15, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
    {"SAMBA",
     258,
     258,
     {776, 777, 9, 31, 0, 0, 0, 0, 0, 0, 0},
     0,
     false,
     {90, 45, 60, 30, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6}},
};

// Plausible values for the fields an Arrangement's dialog shows; the carried bytes are
// random, as on a real disk.
void FillDemoArrangement(ArrangementRecord& r, const DemoArrangement& a, Rng& rng) {
  rng.Fill(r.bytes);
  r.SetName(a.name);
  r.SetCategory(static_cast<std::uint8_t>(a.category));
  r.SetStyle(a.style);
  r.bytes[20] = static_cast<std::uint8_t>(rng.Below(8));        // start variation
  r.bytes[22] = static_cast<std::uint8_t>(a.tempo - 30);        // tempo
  r.bytes[23] = static_cast<std::uint8_t>(rng.Below(11));       // keyboard mode
  r.bytes[24] = static_cast<std::uint8_t>(36 + rng.Below(13));  // split key
  r.bytes[25] = static_cast<std::uint8_t>(rng.Below(10));       // ensemble
  r.bytes[26] = static_cast<std::uint8_t>(rng.Below(5) - 2);    // transpose
  for (int v = 0; v < 4; ++v)
    r.bytes[30 + static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(rng.Below(8));
  r.bytes[34] = static_cast<std::uint8_t>(rng.Below(4));
  r.bytes[35] = static_cast<std::uint8_t>(rng.Below(4));
  r.bytes[38] = static_cast<std::uint8_t>(rng.Below(13));
  r.bytes[39] = static_cast<std::uint8_t>(rng.Below(13));
  for (int t = 0; t < kArrangementTrackCount; ++t) {
    r.SetTrackProgram(t, a.programs[static_cast<std::size_t>(t)]);
  }
}

void FillDemoBackingSequences(BsqData& bsq, Rng& rng) {
  EraseBackingSequences(bsq);
  for (std::size_t i = 0; i < std::size(kDemoSequences); ++i) {
    const DemoSequence& d = kDemoSequences[i];
    BsqRecord& r = bsq.records[i];
    rng.Fill(r.bytes);
    r.SetName(d.name);
    r.SetArrangement(d.arrangement);
    r.SetStyle(d.style);
    for (int t = 0; t < kBsqProgramTrackCount; ++t) {
      r.SetTrackProgram(t, d.programs[static_cast<std::size_t>(t)]);
    }
    r.SetNext(static_cast<std::uint8_t>(d.next));
    r.bytes[BsqRecord::kFlagsOffset] = static_cast<std::uint8_t>(d.chain ? 0x02 : 0x00);
    int units = 0;
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      bsq.trackLength[i][j] = static_cast<std::int16_t>(d.units[j]);
      units += d.units[j];
    }
    bsq.size[i] = static_cast<std::int16_t>(units);
    bsq.data[i] = rng.Bytes(static_cast<std::size_t>(units) * kBsqUnitBytes);
  }
  RebuildTrackStarts(bsq);
}

}  // namespace

FileSet DemoSetWithDuplicates() {
  FileSet set = DemoSet();
  set.arrangements.records[12].SetName(set.arrangements.records[0].Name());
  set.styles.slots[12].record.SetName(set.styles.slots[0].record.Name());
  set.programs.records[28].SetName(set.programs.records[0].Name());
  return set;
}

FileSet DemoSet() {
  Rng rng(40);
  FileSet set = TemplateSet();
  for (std::size_t i = 0; i < std::size(kDemoArrangements); ++i) {
    FillDemoArrangement(set.arrangements.records[i], kDemoArrangements[i], rng);
  }
  for (std::size_t s = 0; s < std::size(kDemoStyles); ++s) {
    const DemoStyle& d = kDemoStyles[s];
    StyleSlot& slot = set.styles.slots[s];
    if (d.name == nullptr) {
      slot.present = 0;
      slot.length = 0;
      slot.data.clear();
      continue;
    }
    rng.Fill(slot.record.bytes);
    slot.record.SetName(d.name);
    slot.record.SetCategory(static_cast<std::uint8_t>(d.category));
    for (int t = 0; t < kStyleTrackCallCount; ++t) {
      slot.record.SetTrackProgram(t, d.programs[static_cast<std::size_t>(t)]);
    }
    SetStyle(slot, d.events);
    rng.Fill(slot.data);
  }
  for (std::size_t p = 0; p < std::size(kDemoPrograms); ++p) {
    ProgramRecord& r = set.programs.records[p];
    rng.Fill(r.bytes);
    r.SetName(kDemoPrograms[p].name);
    r.SetCategory(static_cast<std::uint8_t>(kDemoPrograms[p].category));
  }
  for (std::size_t k = 0; k < 2; ++k) {
    ProgramRecord& r = set.programs.records[kUserProgramCount + k];
    rng.Fill(r.bytes);
    r.SetName(kDemoDrumKits[k]);
    r.SetCategory(14);
    rng.Fill(set.programs.drumKitData[k]);
  }
  FillDemoBackingSequences(set.backingSequences, rng);
  for (std::size_t k = 0; k < 5; ++k) {  // A1-A5 play the Set's own sounds
    KbdSetRecord& r = set.kbdSets.records[k];
    r.SetSectionProgram(0, 770 + static_cast<int>(k));
    r.SetSectionProgram(1, 768 + static_cast<int>(k));
    r.SetSectionProgram(2, 775 + static_cast<int>(k));
  }
  return set;
}

// ---------------------------------------------------------------------------------------
// Random Sets for tests.
// ---------------------------------------------------------------------------------------
FileSet RandomSet(std::uint32_t seed) {
  Rng rng(seed);
  FileSet set;
  auto randomHeader = [&](auto& header, Kind kind) {
    rng.Fill(header);
    const std::uint8_t tested[] = {'K', 'O', 'R', 'G', 'M'};
    std::copy(std::begin(tested), std::end(tested), header.begin());
    header[6] = static_cast<std::uint8_t>(KindCode(kind));
  };

  randomHeader(set.arrangements.header, Kind::Arrangement);
  const int extra = rng.Below(3) == 0 ? 0 : rng.Below(40);
  PutU16(set.arrangements.header, 24, static_cast<std::uint16_t>(10496 + extra));
  set.arrangements.extra = rng.Bytes(static_cast<std::size_t>(extra));
  for (auto& r : set.arrangements.records)
    rng.Fill(r.bytes);

  randomHeader(set.styles.header, Kind::Style);
  for (std::size_t s = 0; s < set.styles.slots.size(); ++s) {
    StyleSlot& slot = set.styles.slots[s];
    slot.index = static_cast<std::uint8_t>(s);
    rng.Fill(slot.record.bytes);
    if (rng.Below(4) == 0) {
      slot.present = 0;
      slot.length = 0;
      slot.record.SetName(kEmptyName);
      slot.data.clear();
    } else {
      slot.present = static_cast<std::uint8_t>(1 + rng.Below(255));
      slot.length = 70 + rng.Below(3000);
      slot.data = rng.Bytes(static_cast<std::size_t>(slot.length) - 70);
    }
  }

  randomHeader(set.programs.header, Kind::Program);
  for (auto& r : set.programs.records)
    rng.Fill(r.bytes);
  for (auto& kit : set.programs.drumKitData)
    rng.Fill(kit);

  BsqData& bsq = set.backingSequences;
  randomHeader(bsq.header, Kind::BackingSequence);
  for (auto& r : bsq.records)
    rng.Fill(r.bytes);
  bsq.trackStart[0][0] = static_cast<std::int16_t>(rng.Below(6000));
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    int units = 0;
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      const int length = rng.Below(3) == 0 ? rng.Below(20) : 0;
      bsq.trackLength[i][j] = static_cast<std::int16_t>(length);
      units += length;
    }
    bsq.size[i] = static_cast<std::int16_t>(units);
    bsq.data[i] = rng.Bytes(static_cast<std::size_t>(units) * kBsqUnitBytes);
  }
  RebuildTrackStarts(bsq);

  randomHeader(set.kbdSets.header, Kind::KbdSet);
  for (auto& r : set.kbdSets.records)
    rng.Fill(r.bytes);
  randomHeader(set.arrangementGlobal.header, Kind::ArrangementGlobal);
  rng.Fill(set.arrangementGlobal.record);
  randomHeader(set.global.header, Kind::Global);
  rng.Fill(set.global.record);
  return set;
}

void WriteSet(const FileSet& set, const std::filesystem::path& setPath) {
  for (Kind kind : kStoredKinds) {
    const std::vector<std::uint8_t> bytes = WriteComponentBytes(kind, set);
    const std::filesystem::path file = ComponentPath(setPath, kind);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace i40::build
