#include "session/session_log.h"

#include <span>

#include "util/bytes.h"
#include "version.h"

namespace i40 {

bool SessionLog::Open() {
  if (opened_) return true;
  if (path_.empty()) return false;
  if (!path_.parent_path().empty()) ops_->CreateDirectories(path_.parent_path());
  const std::string first = std::string(kProgramTitle) + " v." + VersionText() + "\n";
  // A fresh log for this run, replacing the previous run's in one step.
  opened_ = !ReplaceFileAtomically(*ops_, path_, AsBytes(first));
  return opened_;
}

void SessionLog::WriteLine(const std::string& line) {
  if (!Open()) return;
  ops_->Append(path_, AsBytes(line + "\n"));
}

}  // namespace i40
