// Runs a fuzz target over the files of its corpus kept in the repository, so that every
// input that once found a fault, and every input that reaches a new corner of a reader,
// is read again by each test run, sanitizers included.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int files = 0;
  for (int a = 1; a < argc; ++a) {
    std::vector<fs::path> inputs;
    if (fs::is_directory(argv[a])) {
      for (const auto& entry : fs::directory_iterator(argv[a]))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.emplace_back(argv[a]);
    }
    for (const fs::path& input : inputs) {
      std::ifstream in(input, std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++files;
    }
  }
  std::printf("%d inputs read\n", files);
  return files > 0 ? 0 : 1;  // an empty corpus replays nothing: say so
}
