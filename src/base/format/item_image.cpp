#include "format/item_image.h"

#include <algorithm>

#include "format/item_numbers.h"
#include "format/kind_table.h"

namespace i40 {
namespace {

constexpr std::size_t kStylePresentAt = StyleRecord::kSize;
constexpr std::size_t kStyleLengthAt = kStylePresentAt + 1;
constexpr std::size_t kStyleEventsAt = kStyleLengthAt + 4;
constexpr std::size_t kBsqLengthsAt = BsqRecord::kSize;
constexpr std::size_t kBsqEventsAt = kBsqLengthsAt + 2 * kBsqTrackCount;
constexpr std::size_t kDrumKitImageSize = ProgramRecord::kSize + kDrumKitDataSize;

std::size_t At(ItemIndex index) {
  return static_cast<std::size_t>(Value(index));
}

bool IsDrumKit(std::size_t index) {
  return index >= std::size_t{kUserProgramCount} && index < std::size_t{kUserProgramSlots};
}

void Append(ItemImage& image, std::span<const std::uint8_t> bytes) {
  image.insert(image.end(), bytes.begin(), bytes.end());
}

void AppendU16(ItemImage& image, std::uint16_t value) {
  image.push_back(static_cast<std::uint8_t>(value & 0xFF));
  image.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t U16At(std::span<const std::uint8_t> image, std::size_t at) {
  return static_cast<std::uint16_t>(image[at] | (image[at + 1] << 8));
}

template <std::size_t N>
void CopyPrefix(std::array<std::uint8_t, N>& out, std::span<const std::uint8_t> image,
                std::size_t from = 0) {
  std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), N, out.begin());
}

std::span<const std::uint8_t> Tail(std::span<const std::uint8_t> image, std::size_t from) {
  return from < image.size() ? image.subspan(from) : std::span<const std::uint8_t>();
}

}  // namespace

void ReadStyleTail(const FileSet& set, std::size_t i, ItemImage& image) {
  const StyleSlot& slot = set.styles.slots.at(i);
  image.push_back(slot.present);
  const auto length = static_cast<std::uint32_t>(slot.length);
  AppendU16(image, static_cast<std::uint16_t>(length & 0xFFFF));
  AppendU16(image, static_cast<std::uint16_t>(length >> 16));
  Append(image, slot.data);
}

void WriteStyleTail(FileSet& set, std::size_t i, std::span<const std::uint8_t> image) {
  StyleSlot& slot = set.styles.slots.at(i);
  slot.present = image[kStylePresentAt];
  slot.length = StyleImageLength(image);
  const auto events = Tail(image, kStyleEventsAt);
  slot.data.assign(events.begin(), events.end());
}

bool SameStyleTail(const FileSet& a, const FileSet& b, std::size_t i) {
  const StyleSlot& x = a.styles.slots.at(i);
  const StyleSlot& y = b.styles.slots.at(i);
  return x.present == y.present && x.length == y.length && x.data == y.data;
}

void ReadDrumKitTail(const FileSet& set, std::size_t i, ItemImage& image) {
  if (IsDrumKit(i)) Append(image, set.programs.drumKitData.at(i - kUserProgramCount));
}

void WriteDrumKitTail(FileSet& set, std::size_t i, std::span<const std::uint8_t> image) {
  if (IsDrumKit(i) && image.size() >= kDrumKitImageSize) {
    CopyPrefix(set.programs.drumKitData.at(i - kUserProgramCount), image, ProgramRecord::kSize);
  }
}

bool SameDrumKitTail(const FileSet& a, const FileSet& b, std::size_t i) {
  return !IsDrumKit(i) || a.programs.drumKitData.at(i - kUserProgramCount) ==
                              b.programs.drumKitData.at(i - kUserProgramCount);
}

void ReadSequenceTail(const FileSet& set, std::size_t i, ItemImage& image) {
  const BsqData& bsq = set.backingSequences;
  for (const std::int16_t length : bsq.trackLength.at(i))
    AppendU16(image, static_cast<std::uint16_t>(length));
  Append(image, bsq.data.at(i));
}

void WriteSequenceTail(FileSet& set, std::size_t i, std::span<const std::uint8_t> image) {
  BsqData& bsq = set.backingSequences;
  const auto lengths = BsqImageLengths(image);
  bsq.trackLength.at(i) = lengths;
  int size = 0;
  for (const std::int16_t length : lengths)
    size += length;
  bsq.size.at(i) = static_cast<std::int16_t>(size);
  const auto events = Tail(image, kBsqEventsAt);
  bsq.data.at(i).assign(events.begin(), events.end());
}

bool SameSequenceTail(const FileSet& a, const FileSet& b, std::size_t i) {
  return a.backingSequences.trackLength.at(i) == b.backingSequences.trackLength.at(i) &&
         a.backingSequences.data.at(i) == b.backingSequences.data.at(i);
}

ItemImage ReadItem(const FileSet& set, Kind kind, ItemIndex index) {
  ItemImage image;
  Append(image, RecordBytes(set, kind, index));
  if (const auto readTail = FactsOf(kind).layout.readTail) readTail(set, At(index), image);
  return image;
}

void WriteItem(FileSet& set, Kind kind, ItemIndex index, std::span<const std::uint8_t> image) {
  const std::span<std::uint8_t> record = RecordBytes(set, kind, index);
  std::copy_n(image.begin(), record.size(), record.begin());
  if (const auto writeTail = FactsOf(kind).layout.writeTail) writeTail(set, At(index), image);
}

bool SameItem(const FileSet& a, const FileSet& b, Kind kind, ItemIndex index) {
  return SameItemBeside(a, b, kind, index, {});
}

bool SameItemBeside(const FileSet& a, const FileSet& b, Kind kind, ItemIndex index,
                    std::span<const std::size_t> ignored) {
  const auto recordA = RecordBytes(a, kind, index);
  const auto recordB = RecordBytes(b, kind, index);
  if (recordA.size() != recordB.size()) return false;
  for (std::size_t k = 0; k < recordA.size(); ++k) {
    if (recordA[k] != recordB[k] && std::find(ignored.begin(), ignored.end(), k) == ignored.end())
      return false;
  }
  const auto sameTail = FactsOf(kind).layout.sameTail;
  return sameTail == nullptr || sameTail(a, b, At(index));
}

ItemImage BlankItem(const BlankRecords& blanks, Kind kind, ItemIndex index) {
  const auto blank = FactsOf(kind).layout.blank;
  if (blank == nullptr) return {};
  FileSet set;
  blank(blanks, set, At(index));
  return ReadItem(set, kind, index);
}

std::int32_t StyleImageLength(std::span<const std::uint8_t> image) {
  if (image.size() < kStyleEventsAt) return 0;
  return static_cast<std::int32_t>(U16At(image, kStyleLengthAt) |
                                   (std::uint32_t{U16At(image, kStyleLengthAt + 2)} << 16));
}

std::array<std::int16_t, kBsqTrackCount> BsqImageLengths(std::span<const std::uint8_t> image) {
  std::array<std::int16_t, kBsqTrackCount> lengths{};
  if (image.size() < kBsqEventsAt) return lengths;
  for (std::size_t j = 0; j < lengths.size(); ++j)
    lengths[j] = static_cast<std::int16_t>(U16At(image, kBsqLengthsAt + 2 * j));
  return lengths;
}

void TakeIntoClipboard(Kind kind, ItemImage& clipboard, std::span<const std::uint8_t> item) {
  if (kind != Kind::Program) {
    clipboard.assign(item.begin(), item.end());
    return;
  }
  if (clipboard.size() < kDrumKitImageSize) clipboard.resize(kDrumKitImageSize, 0);
  std::copy(item.begin(), item.end(), clipboard.begin());
}

ItemImage ReadBsqLayout(const BsqData& bsq) {
  ItemImage image;
  for (const auto& starts : bsq.trackStart) {
    for (const std::int16_t start : starts)
      AppendU16(image, static_cast<std::uint16_t>(start));
  }
  AppendU16(image, static_cast<std::uint16_t>(bsq.endStart));
  return image;
}

void WriteBsqLayout(BsqData& bsq, std::span<const std::uint8_t> image) {
  std::size_t at = 0;
  for (auto& starts : bsq.trackStart) {
    for (std::int16_t& start : starts) {
      start = static_cast<std::int16_t>(U16At(image, at));
      at += 2;
    }
  }
  bsq.endStart = static_cast<std::int16_t>(U16At(image, at));
}

}  // namespace i40
