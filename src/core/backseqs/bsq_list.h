#pragma once

#include <string>

#include "format/bsq_record.h"
#include "format/ids.h"

// How the ten Backing Sequences are listed: the Set window's list and counters, and the
// section of the Set report.
namespace i40 {

// "BSeq 3: VERSE            :  100"
std::string BsqListEntry(const BsqData& data, ItemIndex index);
// "BackSeqs: " and "Free: " with the events counts.
std::string BsqUsedCounterText(const BsqData& data);
std::string BsqFreeCounterText(const BsqData& data);

// The Backing Sequence section of the Set report, CRLF line breaks.
std::string ReportBackingSequences(const BsqData& data, const std::string& setTitle);

}  // namespace i40
