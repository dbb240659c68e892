#include "format/style_file.h"

#include "util/byte_io.h"

namespace i40 {

ReadOutcome ReadStyleFile(std::span<const std::uint8_t> bytes, StyleData& data) {
  const ByteReader in(bytes);
  if (!in.Read(0, data.header)) return ReadError{ReadProblem::EndsInHeader, 0};
  data.blockCount = 4;
  std::size_t p = kStyleDataOffset;
  for (std::size_t s = 0; s < data.slots.size(); ++s) {
    StyleSlot& slot = data.slots[s];
    const std::size_t entry = kStyleTableOffset + kStyleTableEntrySize * s;
    const auto index = in.U8(entry);
    const auto present = in.U8(entry + 1);
    const auto length = in.U16(entry + 2);
    if (!index || !present || !length) {
      return ReadError{ReadProblem::EndsInTable, in.size(), ReadItemKind::Style};
    }
    if (*index != s) {
      return ReadError{ReadProblem::TableEntryOfOtherSlot, entry, ReadItemKind::Style,
                       static_cast<int>(s + 1), static_cast<std::size_t>(*index) + 1};
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
      return ReadError{ReadProblem::ItemShorterThanRecord, entry + 2, ReadItemKind::Style,
                       static_cast<int>(s + 1)};
    }
    if (!in.Has(p, *length)) {
      return ReadError{ReadProblem::EndsInItem, p, ReadItemKind::Style, static_cast<int>(s + 1)};
    }
    in.Read(p, slot.record.bytes);
    in.Read(p + kStyleRecordSpan, *length - kStyleRecordSpan, slot.data);
    slot.length = *length;
    p += *length;
  }
  return std::nullopt;
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

ReadOutcome ReadIsfFile(std::span<const std::uint8_t> bytes, StyleSlot& style) {
  constexpr std::size_t kRecordAt = 5;
  const ByteReader in(bytes);
  StyleSlot read;
  if (!in.Read(kRecordAt, read.record.bytes) || !in.Has(kRecordAt, kStyleRecordSpan)) {
    return ReadError{ReadProblem::ShorterThanOneItem, bytes.size(), ReadItemKind::Style};
  }
  const std::size_t length = bytes.size() - kRecordAt;
  if (length > static_cast<std::size_t>(kMaxStyleLength)) {
    return ReadError{ReadProblem::LongerThanAFileHolds, bytes.size(), ReadItemKind::Style};
  }
  in.Read(kRecordAt + kStyleRecordSpan, length - kStyleRecordSpan, read.data);
  read.length = static_cast<std::int32_t>(length);
  read.present = 1;
  read.index = style.index;
  style = std::move(read);
  return std::nullopt;
}

}  // namespace i40
