#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "format/file_ops.h"
#include "format/kinds.h"

namespace i40 {

// A Set path is a folder and a Set name without extension; each component file is the
// Set path followed by the kind's extension.

// The Set name: the last component of the path.
std::string SetNameOf(const std::filesystem::path& setPath);

// A name no Set may take, on any system: the instrument's disks are DOS disks, and
// Windows reserves the device names (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any
// case, with or without an extension) and the characters < > : " / \ | ? *.
bool IsReservedSetName(std::string_view name);
// What the user is told when a name is refused.
std::string ReservedSetNameText(const std::string& name);

// The folder: the path up to, not including, its last separator; empty when the path
// has no separator.
std::filesystem::path ParentDirOf(const std::filesystem::path& path);

// The component file name of a kind as this program writes it (upper-case extension).
std::filesystem::path ComponentPath(const std::filesystem::path& setPath, Kind kind);

// Whether the file system takes "SET.ARR" and "set.arr" for one name (Windows).
#ifdef _WIN32
inline constexpr bool kCaseBlindFileNames = true;
#else
inline constexpr bool kCaseBlindFileNames = false;
#endif

// The component file as it stands on disk: the exact name when it exists, else a file
// whose extension differs only in case (Sets copied from the instrument's FAT disks may
// carry "set.arr"). Nothing when there is no such regular file.
std::optional<std::filesystem::path> FindComponentFile(const std::filesystem::path& setPath,
                                                       Kind kind, FileOps& ops = RealFileOps());

// A Set path from any one of its component files: the file name loses its extension.
std::filesystem::path SetPathFromComponent(const std::filesystem::path& componentFile);

// Text of a path for messages, in UTF-8, as the file system spells it.
std::string PathText(const std::filesystem::path& path);
// The path that UTF-8 text names. Paths are UTF-8 text everywhere in the program; on
// Windows a path built from a plain string would read it in the ANSI code page, and
// names such as "Gig Übung" would not be found, so every text becomes a path here.
std::filesystem::path PathOfText(std::string_view utf8);

// The file a component is first written to before it replaces the destination: in the
// destination's own folder, so the final rename never crosses file systems.
std::filesystem::path TempFilePathFor(const std::filesystem::path& destination);

// The empty template Set inside a data folder: <data>/I40EMPTY/I40EMPTY (no extension).
std::filesystem::path EmptyTemplatePath(const std::filesystem::path& dataDir);

}  // namespace i40
