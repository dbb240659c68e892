#include "format/kinds.h"

namespace i40 {
namespace {

struct KindRow {
  std::string_view name;
  std::string_view ext;
  int code;
  int sysExFunction;
  int headerSize;
};

constexpr std::array<KindRow, kKindCount> kKinds = {{
    {"Arrangement", ".ARR", 3, 100, 32},
    {"Style", ".STY", 4, 101, 21},
    {"Program", ".PRG", 0, 76, 48},
    {"Backing Sequence", ".BSQ", 5, 102, 16},
    {"Song", ".SNG", 1, 72, 0},
    {"KBD Set", ".KBS", 8, 105, 32},
    {"Arrangement Global", ".ARG", 7, 104, 32},
    {"Global", ".GBL", 6, 81, 32},
    {"IStyle Arrangement", ".IAF", -1, -1, 0},
    {"IStyle Style", ".ISF", -1, -1, 0},
    {"IStyle Program", ".IPF", -1, -1, 0},
    {"IStyle DrumKit", ".IDK", -1, -1, 0},
}};

const KindRow& Row(Kind kind) {
  return kKinds.at(static_cast<std::size_t>(KindIndex(kind)));
}

}  // namespace

std::string_view KindName(Kind kind) {
  return Row(kind).name;
}
std::string_view KindExt(Kind kind) {
  return Row(kind).ext;
}
int KindCode(Kind kind) {
  return Row(kind).code;
}
int KindSysExFunction(Kind kind) {
  return Row(kind).sysExFunction;
}
int ComponentHeaderSize(Kind kind) {
  return Row(kind).headerSize;
}

bool IsStoredKind(Kind kind) {
  return KindIndex(kind) <= KindIndex(Kind::Global) && kind != Kind::Song;
}

bool IsIStyleKind(Kind kind) {
  return KindIndex(kind) >= KindIndex(Kind::IStyleArrangement);
}

}  // namespace i40
