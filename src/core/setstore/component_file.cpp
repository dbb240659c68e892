#include "setstore/component_file.h"

#include <fstream>
#include <system_error>

#include "setstore/set_paths.h"

namespace fs = std::filesystem;

namespace i40 {

bool IsValidComponentHeader(std::span<const std::uint8_t> bytes, Kind kind) {
  if (bytes.size() < kTestedHeaderSize) return false;
  if (bytes[0] != 'K' || bytes[1] != 'O' || bytes[2] != 'R' || bytes[3] != 'G') return false;
  if (bytes[4] != 0x4D) return false;
  if (IsIStyleKind(kind)) return true;
  return bytes[6] == KindCode(kind);
}

std::string ComponentErrorText(const ComponentError& error) {
  const std::string name = PathText(error.path);
  switch (error.problem) {
    case ComponentProblem::NotFound:
      return "File " + name + " not found";
    case ComponentProblem::CantOpen:
      return "Can't open file " + name;
    case ComponentProblem::HeaderUnreadable:
      return "Error reading " + name + " file header";
    case ComponentProblem::NotValid:
      return name + " is not a valid file";
  }
  return {};
}

std::variant<ComponentFile, ComponentError> ReadComponent(const fs::path& setPath, Kind kind) {
  const std::optional<fs::path> found = FindComponentFile(setPath, kind);
  if (!found) return ComponentError{ComponentProblem::NotFound, ComponentPath(setPath, kind)};
  return ReadComponentAt(*found, kind);
}

std::variant<ComponentFile, ComponentError> ReadComponentAt(const fs::path& path, Kind kind) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return ComponentError{ComponentProblem::NotFound, path};
  std::ifstream in(path, std::ios::binary);
  if (!in) return ComponentError{ComponentProblem::CantOpen, path};

  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return ComponentError{ComponentProblem::CantOpen, path};
  if (size < kTestedHeaderSize) return ComponentError{ComponentProblem::HeaderUnreadable, path};

  std::vector<std::uint8_t> head(kTestedHeaderSize);
  if (!in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()))) {
    return ComponentError{ComponentProblem::HeaderUnreadable, path};
  }
  if (!IsValidComponentHeader(head, kind) || size > kMaxComponentFileSize) {
    return ComponentError{ComponentProblem::NotValid, path};
  }

  // The size can change between the question and the read; take what is there.
  std::vector<std::uint8_t> bytes = std::move(head);
  bytes.resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data() + kTestedHeaderSize),
          static_cast<std::streamsize>(size - kTestedHeaderSize));
  bytes.resize(kTestedHeaderSize + static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return ComponentError{ComponentProblem::CantOpen, path};
  return ComponentFile{kind, path, std::move(bytes)};
}

namespace {

std::optional<ComponentFile> ShowingErrors(std::variant<ComponentFile, ComponentError> result,
                                           Prompter& prompter) {
  if (auto* error = std::get_if<ComponentError>(&result)) {
    prompter.ShowError(ComponentErrorText(*error));
    return std::nullopt;
  }
  return std::get<ComponentFile>(std::move(result));
}

}  // namespace

std::optional<ComponentFile> OpenComponent(const fs::path& setPath, Kind kind, Prompter& prompter) {
  return ShowingErrors(ReadComponent(setPath, kind), prompter);
}

std::optional<ComponentFile> OpenComponentFile(const fs::path& file, Kind kind,
                                               Prompter& prompter) {
  return ShowingErrors(ReadComponentAt(file, kind), prompter);
}

}  // namespace i40
