#include "format/component_io.h"

#include <stdexcept>
#include <string>

#include "format/arrangement_file.h"
#include "format/bsq_file.h"
#include "format/global_files.h"
#include "format/kbdset_file.h"
#include "format/program_file.h"
#include "format/style_file.h"

namespace i40 {

ReadOutcome ReadComponentBytes(Kind kind, std::span<const std::uint8_t> bytes, FileSet& set) {
  switch (kind) {
    case Kind::Arrangement:
      return ReadArrangementFile(bytes, set.arrangements);
    case Kind::Style:
      return ReadStyleFile(bytes, set.styles);
    case Kind::Program:
      return ReadProgramFile(bytes, set.programs);
    case Kind::BackingSequence:
      return ReadBsqFile(bytes, set.backingSequences);
    case Kind::KbdSet:
      return ReadKbdSetFile(bytes, set.kbdSets);
    case Kind::ArrangementGlobal:
      return ReadArrangementGlobalFile(bytes, set.arrangementGlobal);
    case Kind::Global:
      return ReadGlobalFile(bytes, set.global);
    default:
      throw std::invalid_argument("not a stored kind: " + std::string(KindName(kind)));
  }
}

std::vector<std::uint8_t> WriteComponentBytes(Kind kind, const FileSet& set) {
  switch (kind) {
    case Kind::Arrangement:
      return WriteArrangementFile(set.arrangements);
    case Kind::Style:
      return WriteStyleFile(set.styles);
    case Kind::Program:
      return WriteProgramFile(set.programs);
    case Kind::BackingSequence:
      return WriteBsqFile(set.backingSequences);
    case Kind::KbdSet:
      return WriteKbdSetFile(set.kbdSets);
    case Kind::ArrangementGlobal:
      return WriteArrangementGlobalFile(set.arrangementGlobal);
    case Kind::Global:
      return WriteGlobalFile(set.global);
    default:
      throw std::invalid_argument("not a stored kind: " + std::string(KindName(kind)));
  }
}

}  // namespace i40
