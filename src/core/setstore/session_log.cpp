#include "setstore/session_log.h"

#include <fstream>
#include <system_error>

#include "version.h"

namespace i40 {

bool SessionLog::Open() {
  if (opened_) return true;
  if (path_.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  std::ofstream out(path_, std::ios::trunc);
  if (!out) return false;
  out << kProgramTitle << " v." << VersionText() << '\n';
  opened_ = static_cast<bool>(out);
  return opened_;
}

void SessionLog::WriteLine(const std::string& line) {
  if (!Open()) return;
  std::ofstream out(path_, std::ios::app);
  out << line << '\n';
}

}  // namespace i40
