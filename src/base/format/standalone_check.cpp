// Links the format layer alone: reads and writes a component of every stored kind in
// memory. Built with the core so that a dependency of the format layer on anything above
// it fails the build, not a review.
#include <cstdio>

#include "format/blank_records.h"
#include "format/component_io.h"

int main() {
  const i40::FileSet set = i40::BlankFileSet(i40::BlankRecords{});
  for (const i40::Kind kind : i40::kStoredKinds) {
    const auto bytes = i40::WriteComponentBytes(kind, set);
    i40::FileSet again = i40::BlankFileSet(i40::BlankRecords{});
    if (i40::ReadComponentBytes(kind, bytes, again).has_value()) {
      std::puts("a blank component does not read back");
      return 1;
    }
  }
  return 0;
}
