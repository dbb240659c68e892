#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace i40 {

// Every kind of data the instrument keeps in a Set, plus the four one-item
// ("IStyle") files. The numbers are the ones stored and shown everywhere: the tab
// index of a Set window equals the kind number for kinds 0-5.
enum class Kind : int {
  Arrangement = 0,
  Style = 1,
  Program = 2,
  BackingSequence = 3,
  Song = 4,
  KbdSet = 5,
  ArrangementGlobal = 6,
  Global = 7,
  IStyleArrangement = 8,
  IStyleStyle = 9,
  IStyleProgram = 10,
  IStyleDrumKit = 11,
};

inline constexpr int kKindCount = 12;

constexpr int KindIndex(Kind kind) {
  return static_cast<int>(kind);
}

// The seven kinds that make up a Set on disk, in kind order. A Set's Song file is
// never opened, tested, read or written.
inline constexpr std::array<Kind, 7> kStoredKinds = {
    Kind::Arrangement,       Kind::Style,  Kind::Program, Kind::BackingSequence, Kind::KbdSet,
    Kind::ArrangementGlobal, Kind::Global,
};

std::string_view KindName(Kind kind);
std::string_view KindExt(Kind kind);

// Header byte 6 of a component file; -1 for the IStyle kinds, whose byte 6 is not tested.
int KindCode(Kind kind);

// Function byte of the kind's SysEx data dump; -1 for the IStyle kinds.
int KindSysExFunction(Kind kind);

// Leading bytes of a stored kind's component file, header included, that are kept
// verbatim and written back unchanged; 0 for kinds that are not stored.
int ComponentHeaderSize(Kind kind);

bool IsStoredKind(Kind kind);
bool IsIStyleKind(Kind kind);

}  // namespace i40
