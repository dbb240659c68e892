#include "setstore/component_io.h"

#include <stdexcept>
#include <string>

#include "arrangements/arrangement_file.h"
#include "backseqs/bsq_file.h"
#include "globals/global_files.h"
#include "kbdsets/kbdset_file.h"
#include "programs/program_file.h"
#include "styles/style_file.h"
#include "ui/error_reports.h"

namespace i40 {

ReadResult ReadComponentBytes(Kind kind, std::span<const std::uint8_t> bytes, FileSet& set) {
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

bool LoadComponent(const ComponentFile& file, FileSet& set, Prompter& prompter) {
  const ReadResult result = ReadComponentBytes(file.kind, file.bytes, set);
  if (file.kind == Kind::BackingSequence) set.backingSequences.path = file.path;
  if (!result.ok) ReportLoadError(prompter, file.kind, result.detail);
  return result.ok;
}

}  // namespace i40
