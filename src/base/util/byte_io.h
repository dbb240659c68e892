#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace i40 {

// Reads fixed-size pieces out of a file's bytes. Every read is checked against the bytes
// actually present first, so a short or lying file can never make us read past its end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  template <std::size_t N>
  bool Read(std::size_t offset, std::array<std::uint8_t, N>& out) const {
    if (!Has(offset, N)) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), N, out.begin());
    return true;
  }

  bool Read(std::size_t offset, std::size_t count, std::vector<std::uint8_t>& out) const {
    if (!Has(offset, count)) return false;
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    out.assign(first, first + static_cast<std::ptrdiff_t>(count));
    return true;
  }

  std::optional<std::uint8_t> U8(std::size_t offset) const {
    if (!Has(offset, 1)) return std::nullopt;
    return bytes_[offset];
  }

  std::optional<std::uint16_t> U16(std::size_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
  }

  std::optional<std::int16_t> I16(std::size_t offset) const {
    const auto value = U16(offset);
    if (!value) return std::nullopt;
    return static_cast<std::int16_t>(*value);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Builds a file's bytes at explicit offsets; anything skipped over is zero.
class ByteWriter {
 public:
  explicit ByteWriter(std::size_t reserve = 0) { bytes_.reserve(reserve); }

  void Put(std::size_t offset, std::span<const std::uint8_t> data) {
    if (bytes_.size() < offset + data.size()) bytes_.resize(offset + data.size(), 0);
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  }

  void PutU8(std::size_t offset, std::uint8_t value) { Put(offset, std::span(&value, 1)); }

  void PutU16(std::size_t offset, std::uint16_t value) {
    const std::array<std::uint8_t, 2> le = {static_cast<std::uint8_t>(value & 0xFF),
                                            static_cast<std::uint8_t>(value >> 8)};
    Put(offset, le);
  }

  // Makes the image at least this long, zero-filling.
  void ExtendTo(std::size_t size) {
    if (bytes_.size() < size) bytes_.resize(size, 0);
  }

  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace i40
