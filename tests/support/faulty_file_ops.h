#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "format/file_ops.h"

namespace i40::test {

// The real file system, with any step made to fail where a test says so: a full disk, a
// refused rename, a file that cannot be read back. Each `fail...` hook, when set, is
// asked with the path concerned (a rename: its destination) and fails that step when it
// answers true. A failing write leaves part of the bytes on disk first, as a full disk
// does.
class FaultyFileOps : public FileOps {
 public:
  using Path = std::filesystem::path;
  using Hook = std::function<bool(const Path&)>;

  Hook failWriteNew;
  Hook failReadAll;
  Hook failCopyPermissions;
  Hook failRename;
  Hook failSyncFolder;                       // asked with the folder
  bool shortWrites = false;                  // writes only half the bytes and says all went well
  std::function<void(const Path&)> renamed;  // told of every rename done, by destination

  // Every step of a kind fails.
  static Hook Always() {
    return [](const Path&) { return true; };
  }
  // Every step of a kind but the first fails (an empty probe still fits on a full disk).
  static Hook AllButFirst() {
    return [calls = 0](const Path&) mutable { return calls++ > 0; };
  }

  bool Exists(const Path& p) override { return real_.Exists(p); }
  FileType TypeOf(const Path& p) override { return real_.TypeOf(p); }
  std::optional<std::uintmax_t> SizeOf(const Path& p) override { return real_.SizeOf(p); }
  std::vector<std::string> List(const Path& dir) override { return real_.List(dir); }
  bool CreateDirectories(const Path& dir) override { return real_.CreateDirectories(dir); }
  bool Append(const Path& p, std::span<const std::uint8_t> bytes) override {
    return real_.Append(p, bytes);
  }
  bool IsReadOnly(const Path& p) override { return real_.IsReadOnly(p); }
  bool WriteNew(const Path& p, std::span<const std::uint8_t> bytes) override {
    if (Fails(failWriteNew, p)) {
      real_.WriteNew(p, bytes.first(bytes.size() / 3));  // something reached the disk
      return false;
    }
    return real_.WriteNew(p, shortWrites ? bytes.first(bytes.size() / 2) : bytes);
  }
  std::optional<std::vector<std::uint8_t>> ReadAll(const Path& p) override {
    if (Fails(failReadAll, p)) return std::nullopt;
    return real_.ReadAll(p);
  }
  std::optional<std::vector<std::uint8_t>> ReadPrefix(const Path& p, std::size_t limit) override {
    if (Fails(failReadAll, p)) return std::nullopt;
    return real_.ReadPrefix(p, limit);
  }
  bool CopyPermissions(const Path& from, const Path& to) override {
    return !Fails(failCopyPermissions, to) && real_.CopyPermissions(from, to);
  }
  bool Rename(const Path& from, const Path& to) override {
    if (Fails(failRename, to) || !real_.Rename(from, to)) return false;
    if (renamed) renamed(to);
    return true;
  }
  void Remove(const Path& p) override { real_.Remove(p); }
  bool SyncFolder(const Path& dir) override {
    return !Fails(failSyncFolder, dir) && real_.SyncFolder(dir);
  }

 private:
  static bool Fails(const Hook& hook, const Path& p) { return hook && hook(p); }

  FileOps& real_ = RealFileOps();
};

}  // namespace i40::test
