#pragma once

#include <cstdlib>

namespace i40::test {

// Sets SOURCE_DATE_EPOCH, which fixes the date of reports, or unsets it for nullptr.
inline void SetSourceDateEpoch(const char* value) {
#ifdef _WIN32
  _putenv_s("SOURCE_DATE_EPOCH", value ? value : "");
#else
  value ? setenv("SOURCE_DATE_EPOCH", value, 1) : unsetenv("SOURCE_DATE_EPOCH");
#endif
}

}  // namespace i40::test
