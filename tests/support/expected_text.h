#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace i40::test {

// The lines of a text whose every line ends in CRLF. A last line without its CRLF is
// marked, so that a missing line end shows.
inline std::vector<std::string> CrlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start != text.size()) lines.push_back("<unterminated>" + text.substr(start));
  return lines;
}

// The lines of an expected file under tests/data, kept byte for byte as the program
// writes it (tests/data/.gitattributes keeps git off its CRLF line ends); a missing file
// has none.
inline std::vector<std::string> ExpectedLines(const std::string& name) {
  return CrlfLines(ReadTextFile(std::filesystem::path(I40_TEST_DATA_DIR) / name));
}

}  // namespace i40::test
