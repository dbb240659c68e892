#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/global_records.h"
#include "format/read_error.h"

namespace i40 {

ReadOutcome ReadArrangementGlobalFile(std::span<const std::uint8_t> bytes,
                                      ArrangementGlobalData& data);
std::vector<std::uint8_t> WriteArrangementGlobalFile(const ArrangementGlobalData& data);

ReadOutcome ReadGlobalFile(std::span<const std::uint8_t> bytes, GlobalData& data);
std::vector<std::uint8_t> WriteGlobalFile(const GlobalData& data);

}  // namespace i40
