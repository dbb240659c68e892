#pragma once

#include <filesystem>
#include <string>

#include "format/file_ops.h"

namespace i40 {

// "I40SETED.LOG", the MIDI diagnostics of one run: re-created on first use in each run,
// so a run that never writes to it leaves the previous run's log in place.
class SessionLog {
 public:
  static constexpr const char* kFileName = "I40SETED.LOG";

  explicit SessionLog(FileOps& ops = RealFileOps()) : ops_(&ops) {}

  void SetPath(std::filesystem::path path) { path_ = std::move(path); }
  const std::filesystem::path& path() const { return path_; }

  // Creates the log on first call, with the program and its version as first line.
  bool Open();
  void WriteLine(const std::string& line);

 private:
  FileOps* ops_;
  std::filesystem::path path_;
  bool opened_ = false;
};

}  // namespace i40
