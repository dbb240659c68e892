// Writes the empty template Set and the demo Set into a data folder:
//   make_sets DATA_DIR   ->  DATA_DIR/I40EMPTY/I40EMPTY.*  and  DATA_DIR/demo/DEMO.*
#include <filesystem>
#include <iostream>

#include "set_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sets DATA_DIR\n";
    return 2;
  }
  const std::filesystem::path data = argv[1];
  try {
    std::filesystem::create_directories(data / "I40EMPTY");
    std::filesystem::create_directories(data / "demo");
    i40::build::WriteSet(i40::build::TemplateSet(), data / "I40EMPTY" / "I40EMPTY");
    i40::build::WriteSet(i40::build::DemoSet(), data / "demo" / "DEMO");
  } catch (const std::exception& e) {
    std::cerr << "make_sets: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
