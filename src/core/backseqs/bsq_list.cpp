#include "backseqs/bsq_list.h"

#include "format/bsq_file.h"
#include "util/bytes.h"

namespace i40 {

std::string BsqListEntry(const BsqData& data, ItemIndex index) {
  const auto i = static_cast<std::size_t>(Value(index));
  std::string events = std::to_string(data.size.at(i) * kBsqEventsPerUnit);
  if (events.size() < 5) events.insert(0, 5 - events.size(), ' ');
  return "BSeq " + std::to_string(Value(index)) + ": " + PadText(data.records.at(i).Name(), 16) +
         " :" + events;
}

std::string BsqUsedCounterText(const BsqData& data) {
  return "BackSeqs: " + std::to_string(BsqTotalUnits(data) * kBsqEventsPerUnit);
}

std::string BsqFreeCounterText(const BsqData& data) {
  return "Free: " + std::to_string(BsqFreeUnits(data) * kBsqEventsPerUnit);
}

std::string ReportBackingSequences(const BsqData& data, const std::string& setTitle) {
  constexpr const char* kCrLf = "\r\n";
  std::string text = kCrLf;
  text += "BACKING SEQUENCES in " + setTitle + kCrLf + kCrLf;
  for (int i = 0; i < kBsqCount; ++i) {
    text += std::to_string(i) + ": " + data.records[static_cast<std::size_t>(i)].Name() + " ";
    if (i % 5 == 4) text += kCrLf;
  }
  text += std::string(100, '_') + kCrLf;
  return text;
}

}  // namespace i40
