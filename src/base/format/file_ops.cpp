#include "format/file_ops.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "format/set_paths.h"
#include "util/windows_api.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

std::FILE* Open(const fs::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wide(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wide.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// The size of an open file, asked of the file itself: one question, and about the file
// that will be read, not whatever carries its name by now.
std::optional<std::size_t> SizeOfOpen(std::FILE* f) {
#ifdef _WIN32
  struct _stat64 status;
  if (_fstat64(_fileno(f), &status) != 0) return std::nullopt;
#else
  struct stat status;
  if (fstat(fileno(f), &status) != 0) return std::nullopt;
#endif
  if (status.st_size < 0) return std::nullopt;
  return static_cast<std::size_t>(status.st_size);
}

// The whole file, or its first `limit` bytes.
std::optional<std::vector<std::uint8_t>> Read(const fs::path& path,
                                              std::optional<std::size_t> limit) {
  std::FILE* f = Open(path, "rb");
  if (f == nullptr) return std::nullopt;
  const std::optional<std::size_t> length = SizeOfOpen(f);
  if (!length) {
    std::fclose(f);
    return std::nullopt;
  }
  const std::size_t size = std::min(*length, limit.value_or(SIZE_MAX));
  std::vector<std::uint8_t> bytes(size);
  // The file may have shrunk since its size was taken: keep what was there.
  bytes.resize(size == 0 ? 0 : std::fread(bytes.data(), 1, size, f));
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return bytes;
}

// The system's words for the error just reported through errno.
std::string ErrnoText() {
  return std::generic_category().message(errno);
}

#ifdef _WIN32
// The system's words for a Windows error, in UTF-8, without the closing full stop.
std::string SystemText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = length > 0 ? PathText(fs::path(std::wstring(text, length)))
                                  : "error " + std::to_string(error);
  LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason;
}
#endif

// Puts what the program wrote into a file on the device, past the system's caches.
bool SyncToDevice(std::FILE* f) {
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;  // FlushFileBuffers
#else
  return ::fsync(fileno(f)) == 0;
#endif
}

class RealOps : public FileOps {
 public:
  bool Exists(const fs::path& path) override {
    std::error_code ec;
    return fs::exists(path, ec);
  }

  FileType TypeOf(const fs::path& path) override {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return FileType::None;
    if (fs::is_regular_file(status)) return FileType::Regular;
    if (fs::is_directory(status)) return FileType::Directory;
    return FileType::Other;
  }

  std::optional<std::uintmax_t> SizeOf(const fs::path& path) override {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
  }

  std::vector<std::string> List(const fs::path& dir) override {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) break;
      names.push_back(PathText(it->path().filename()));
    }
    return names;
  }

  bool CreateDirectories(const fs::path& dir) override {
    std::error_code ec;
    fs::create_directories(dir, ec);
    return !ec && fs::is_directory(dir, ec);
  }

  bool Append(const fs::path& path, std::span<const std::uint8_t> bytes) override {
    std::FILE* f = Open(path, "ab");
    if (f == nullptr) return false;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
  }

  bool IsReadOnly(const fs::path& path) override {
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    if (ec) return false;
    constexpr fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (p & write) == fs::perms::none;
  }

  bool WriteNew(const fs::path& path, std::span<const std::uint8_t> bytes) override {
    // "x": fail if the file exists, so we never write through someone else's file or link.
    std::FILE* f = Open(path, "wbx");
    if (f == nullptr) return Failed(ErrnoText());
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (!written) reason_ = ErrnoText();
    const bool flushed = std::fflush(f) == 0 && SyncToDevice(f);
    if (written && !flushed) reason_ = ErrnoText();
    const bool closed = std::fclose(f) == 0;
    if (written && flushed && !closed) reason_ = ErrnoText();
    return written && flushed && closed;
  }

  std::string FailureReason() override { return reason_; }

  bool SyncFolder(const fs::path& dir) override {
#ifdef _WIN32
    static_cast<void>(dir);  // the rename above was written through
    return true;
#else
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Failed(ErrnoText());
    const bool synced = ::fsync(fd) == 0;
    if (!synced) reason_ = ErrnoText();
    return ::close(fd) == 0 && synced;
#endif
  }

  std::optional<std::vector<std::uint8_t>> ReadAll(const fs::path& path) override {
    return Read(path, std::nullopt);
  }

  std::optional<std::vector<std::uint8_t>> ReadPrefix(const fs::path& path,
                                                      std::size_t limit) override {
    return Read(path, limit);
  }

  bool CopyPermissions(const fs::path& from, const fs::path& to) override {
    std::error_code ec;
    const fs::perms p = fs::status(from, ec).permissions();
    if (ec) return false;
    fs::permissions(to, p, fs::perm_options::replace, ec);
    return !ec;
  }

  bool Rename(const fs::path& from, const fs::path& to) override {
#ifdef _WIN32
    // Replaces the file in one step and returns only once the move is on the disk; a
    // target that another program holds open without delete sharing is refused.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    return Failed(SystemText(GetLastError()));
#else
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec || Failed(ec.message());
#endif
  }

  void Remove(const fs::path& path) override {
    std::error_code ec;
    fs::remove(path, ec);
  }

 private:
  bool Failed(std::string reason) {
    reason_ = std::move(reason);
    return false;
  }

  std::string reason_;
};

// A name beside the destination that no other writer (another copy of the program, an
// earlier crash) is using.
fs::path FreshTempPath(FileOps& ops, const fs::path& destination) {
  static std::mt19937 random{std::random_device{}()};
  const fs::path base = TempFilePathFor(destination);
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = base;
    candidate += "." + std::to_string(random() % 1000000);
    if (!ops.Exists(candidate)) return candidate;
  }
  return base;
}

}  // namespace

FileOps& RealFileOps() {
  static RealOps ops;
  return ops;
}

bool CanCreateFileFor(FileOps& ops, const fs::path& destination) {
  const fs::path probe = FreshTempPath(ops, destination);
  const bool created = ops.WriteNew(probe, {});
  ops.Remove(probe);
  return created;
}

std::optional<std::string> ReplaceFileAtomically(FileOps& ops, const fs::path& destination,
                                                 std::span<const std::uint8_t> bytes) {
  const bool replacing = ops.Exists(destination);
  if (replacing && ops.IsReadOnly(destination)) return kReadOnlyDetail;

  // A failure's detail ends with the system's reason, where it gives one.
  const auto failed = [&ops](std::string detail) {
    const std::string reason = ops.FailureReason();
    return reason.empty() ? detail : detail + ": " + reason;
  };
  const fs::path temp = FreshTempPath(ops, destination);
  if (!ops.WriteNew(temp, bytes)) {
    const std::string detail = failed("Cannot write the file " + PathText(temp));
    ops.Remove(temp);
    return detail;
  }
  const auto back = ops.ReadAll(temp);
  if (!back || !std::equal(back->begin(), back->end(), bytes.begin(), bytes.end())) {
    ops.Remove(temp);
    return "The file written differs from the data: " + PathText(temp);
  }
  if (replacing && !ops.CopyPermissions(destination, temp)) {
    ops.Remove(temp);
    return "Cannot give the new file the permissions of " + PathText(destination);
  }
  if (!ops.Rename(temp, destination)) {
    const std::string detail = failed("Cannot replace " + PathText(destination));
    ops.Remove(temp);
    return detail;
  }
  // The new name is on the device only once its folder is: until then a power cut or a
  // stick pulled out can bring the old file back, or none.
  if (!ops.SyncFolder(destination.parent_path())) {
    return failed("Cannot write the folder of " + PathText(destination) + " to the disk");
  }
  return std::nullopt;
}

}  // namespace i40
