#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace i40 {

enum class FileType { None, Regular, Directory, Other };

// Every step this program takes on the file system, behind one interface, so that tests
// can make any one of them fail (a full disk, a vanished folder, a refused rename).
class FileOps {
 public:
  virtual ~FileOps() = default;

  virtual bool Exists(const std::filesystem::path& path) = 0;
  // What the name stands for, links followed; None when it does not exist.
  virtual FileType TypeOf(const std::filesystem::path& path) = 0;
  virtual std::optional<std::uintmax_t> SizeOf(const std::filesystem::path& path) = 0;
  // The names in a folder (not the folder's path), in no particular order.
  virtual std::vector<std::string> List(const std::filesystem::path& dir) = 0;
  virtual bool CreateDirectories(const std::filesystem::path& dir) = 0;
  // Adds bytes at the end of a file, creating it when missing (the session log).
  virtual bool Append(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) = 0;
  // The file's own read-only attribute: no write permission bit at all.
  virtual bool IsReadOnly(const std::filesystem::path& path) = 0;
  // Creates a file that must not exist yet, writes the bytes and puts them on the device
  // (fsync), so that the file holds them whatever happens to the machine next.
  virtual bool WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) = 0;
  virtual std::optional<std::vector<std::uint8_t>> ReadAll(const std::filesystem::path& path) = 0;
  // The first bytes of a file, at most `limit` of them.
  virtual std::optional<std::vector<std::uint8_t>> ReadPrefix(const std::filesystem::path& path,
                                                              std::size_t limit) = 0;
  virtual bool CopyPermissions(const std::filesystem::path& from,
                               const std::filesystem::path& to) = 0;
  // Replaces the destination in one step.
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual void Remove(const std::filesystem::path& path) = 0;
  // Puts a folder's entries on the device (after a rename), where the system needs it.
  virtual bool SyncFolder(const std::filesystem::path& dir) = 0;
  // Why the last WriteNew, Rename or SyncFolder that failed did, in the system's words
  // ("Permission denied"); empty where the system said nothing.
  virtual std::string FailureReason() { return {}; }
};

// The real file system.
FileOps& RealFileOps();

// Why a file could not be replaced; the detail line of the save error message.
inline constexpr const char* kReadOnlyDetail = "Destination file is Read-Only!";

// Whether a new file can be made beside the destination (its folder takes new files), as
// ReplaceFileAtomically will need; tried with an empty temporary file, which is removed.
bool CanCreateFileFor(FileOps& ops, const std::filesystem::path& destination);

// Writes bytes to a new temporary file beside the destination, puts them on the device,
// reads them back and compares, only then renames it over the destination, and puts the
// folder on the device too. The destination itself is
// never opened for writing: on any failure before the rename it is as it was, and the
// temporary file is gone. A folder that cannot be synced after the rename fails the
// write too (the new bytes are in place but maybe not yet on the device). Returns the
// detail of the failure, or nothing on success.
std::optional<std::string> ReplaceFileAtomically(FileOps& ops,
                                                 const std::filesystem::path& destination,
                                                 std::span<const std::uint8_t> bytes);

}  // namespace i40
