#include "format/kinds.h"

#include "format/kind_table.h"

namespace i40 {

std::string_view KindName(Kind kind) {
  return FactsOf(kind).name;
}
std::string_view KindExt(Kind kind) {
  return FactsOf(kind).ext;
}
int KindCode(Kind kind) {
  return FactsOf(kind).code;
}
int KindSysExFunction(Kind kind) {
  return FactsOf(kind).sysExFunction;
}
int ComponentHeaderSize(Kind kind) {
  return FactsOf(kind).headerSize;
}

bool IsStoredKind(Kind kind) {
  return FactsOf(kind).write != nullptr;
}

bool IsIStyleKind(Kind kind) {
  return KindIndex(kind) >= KindIndex(Kind::IStyleArrangement);
}

}  // namespace i40
