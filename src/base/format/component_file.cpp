#include "format/component_file.h"

#include "format/set_paths.h"

namespace fs = std::filesystem;

namespace i40 {

bool IsValidComponentHeader(std::span<const std::uint8_t> bytes, Kind kind) {
  if (bytes.size() < kTestedHeaderSize) return false;
  if (bytes[0] != 'K' || bytes[1] != 'O' || bytes[2] != 'R' || bytes[3] != 'G') return false;
  if (bytes[4] != 0x4D) return false;
  if (IsIStyleKind(kind)) return true;
  return bytes[6] == KindCode(kind);
}

std::variant<ComponentFile, ComponentError> ReadComponent(const fs::path& setPath, Kind kind,
                                                          FileOps& ops) {
  const std::optional<fs::path> found = FindComponentFile(setPath, kind, ops);
  if (!found) return ComponentError{ComponentProblem::NotFound, ComponentPath(setPath, kind)};
  return ReadComponentAt(*found, kind, ops);
}

std::variant<ComponentFile, ComponentError> ReadComponentAt(const fs::path& path, Kind kind,
                                                            FileOps& ops) {
  const std::optional<std::uintmax_t> size = ops.SizeOf(path);
  if (!size) {
    const bool file = ops.TypeOf(path) == FileType::Regular;
    return ComponentError{file ? ComponentProblem::CantOpen : ComponentProblem::NotFound, path};
  }
  if (*size < kTestedHeaderSize) return ComponentError{ComponentProblem::HeaderUnreadable, path};
  // Nothing larger than any component is read into memory; a file that is not one of
  // ours fails the header test whatever its size.
  const std::size_t wanted =
      *size <= kMaxComponentFileSize ? static_cast<std::size_t>(*size) : kTestedHeaderSize;
  std::optional<std::vector<std::uint8_t>> bytes = ops.ReadPrefix(path, wanted);
  if (!bytes) return ComponentError{ComponentProblem::CantOpen, path};
  // The size can change between the question and the read; take what is there.
  if (bytes->size() < kTestedHeaderSize) {
    return ComponentError{ComponentProblem::HeaderUnreadable, path};
  }
  if (!IsValidComponentHeader(*bytes, kind) || *size > kMaxComponentFileSize) {
    return ComponentError{ComponentProblem::NotValid, path};
  }
  return ComponentFile{kind, path, std::move(*bytes)};
}

}  // namespace i40
