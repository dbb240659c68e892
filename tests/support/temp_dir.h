#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace i40::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteTextFile(const std::filesystem::path& path, std::string_view text);
// A file's bytes, or its text; empty when there is no such file.
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
std::string ReadTextFile(const std::filesystem::path& path);
// The names of the files in a folder, sorted; none for a folder that does not exist.
std::vector<std::string> FileNamesIn(const std::filesystem::path& dir);

// The first eight bytes of a component file: "KORG", "M", byte 5, the code, byte 7.
std::vector<std::uint8_t> ComponentHeaderBytes(int code, std::uint8_t byte5 = 0,
                                               std::uint8_t byte7 = 0);
// Writes a 16-bit number into a file's bytes, low byte first.
void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value);
// A one-item file (.IAF, .ISF, .IPF, .IDK): "KORGM", then the item's bytes.
std::vector<std::uint8_t> OneItemFile(std::vector<std::uint8_t> item);

}  // namespace i40::test
