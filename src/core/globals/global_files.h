#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "globals/global_records.h"
#include "setstore/read_result.h"

namespace i40 {

ReadResult ReadArrangementGlobalFile(std::span<const std::uint8_t> bytes,
                                     ArrangementGlobalData& data);
std::vector<std::uint8_t> WriteArrangementGlobalFile(const ArrangementGlobalData& data);

ReadResult ReadGlobalFile(std::span<const std::uint8_t> bytes, GlobalData& data);
std::vector<std::uint8_t> WriteGlobalFile(const GlobalData& data);

}  // namespace i40
