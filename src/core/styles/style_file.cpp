#include "styles/style_file.h"

#include "util/byte_io.h"

namespace i40 {

ReadResult ReadStyleFile(std::span<const std::uint8_t> bytes, StyleData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadResult::Failure("The file ends inside its header", 0);
  data.blockCount = 4;
  std::size_t p = kStyleDataOffset;
  for (std::size_t s = 0; s < data.slots.size(); ++s) {
    StyleSlot& slot = data.slots[s];
    const std::size_t entry = kStyleTableOffset + kStyleTableEntrySize * s;
    const auto index = in.U8(entry);
    const auto present = in.U8(entry + 1);
    const auto length = in.U16(entry + 2);
    if (!index || !present || !length) {
      return ReadResult::Failure("The file ends inside the Style table", in.size());
    }
    if (*index != s) {
      return ReadResult::Failure("Style table entry " + std::to_string(s + 1) + " holds slot " +
                                     std::to_string(*index + 1),
                                 entry);
    }
    slot.index = *index;
    slot.present = *present;
    if (*present == 0) {
      slot.length = 0;
      slot.record.SetName(kEmptyName);
      slot.data.clear();
      continue;
    }
    if (*length < kStyleRecordSpan) {
      return ReadResult::Failure("Style " + std::to_string(s + 1) + " is shorter than its record",
                                 entry + 2);
    }
    if (!in.Has(p, *length)) {
      return ReadResult::Failure("The file ends inside Style " + std::to_string(s + 1), p);
    }
    in.Read(p, slot.record.bytes);
    in.Read(p + kStyleRecordSpan, *length - kStyleRecordSpan, slot.data);
    slot.length = *length;
    p += *length;
  }
  return ReadResult::Success();
}

std::vector<std::uint8_t> WriteStyleFile(const StyleData& data) {
  ByteWriter out;
  out.Put(0, data.header);
  out.PutU16(kStyleCountOffset, static_cast<std::uint16_t>(4 * data.blockCount));
  out.ExtendTo(kStyleDataOffset);
  std::size_t p = kStyleDataOffset;
  for (std::size_t s = 0; s < data.slots.size(); ++s) {
    const StyleSlot& slot = data.slots[s];
    const std::size_t entry = kStyleTableOffset + kStyleTableEntrySize * s;
    out.PutU8(entry, slot.index);
    out.PutU8(entry + 1, slot.present);
    out.PutU16(entry + 2, static_cast<std::uint16_t>(slot.length));
    if (slot.present == 0) continue;
    out.Put(p, slot.record.bytes);
    out.PutU8(p + StyleRecord::kSize, 0);
    out.Put(p + kStyleRecordSpan, slot.data);
    p += static_cast<std::size_t>(slot.length);
    out.ExtendTo(p);
  }
  return out.Take();
}

std::variant<StyleBuffer, ReadResult> ReadIsfFile(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kRecordAt = 5;
  const ByteReader in(bytes);
  StyleBuffer style;
  if (!in.Read(kRecordAt, style.record.bytes) || !in.Has(kRecordAt, kStyleRecordSpan)) {
    return ReadResult::Failure("The file is shorter than one Style", bytes.size());
  }
  const std::size_t length = bytes.size() - kRecordAt;
  if (length > static_cast<std::size_t>(kMaxStyleLength)) {
    return ReadResult::Failure("The Style is longer than a Style file can hold", bytes.size());
  }
  in.Read(kRecordAt + kStyleRecordSpan, length - kStyleRecordSpan, style.data);
  style.length = static_cast<std::int32_t>(length);
  style.present = 1;
  style.sourceSet = StyleBuffer::kNotFromASet;
  style.sourceSlot = -1;
  return style;
}

}  // namespace i40
