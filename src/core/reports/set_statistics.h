#pragma once

#include <array>
#include <string>

#include "format/file_set.h"
#include "format/style_blocks.h"

// What a Set holds and how much room is left, as `i40set info` and the Set window show
// it: the items of each kind, the free events of each Style Block and the Backing
// Sequences' events.
namespace i40 {

// A Style Block: its number from 1, the Styles that share it ("C11-C14") and the events
// still free in it (negative when it holds more than it may).
struct BlockRoom {
  int block = 0;
  std::string styles;
  int freeEvents = 0;
};

struct SetStatistics {
  int arrangements = 0;      // of 64
  int styles = 0;            // of 16
  int programs = 0;          // of 64
  int drumKits = 0;          // of 2
  int backingSequences = 0;  // of 10
  std::array<BlockRoom, kStyleBlockCount> blocks{};
  int sequenceEvents = 0;
  int sequenceEventsFree = 0;
};

SetStatistics StatisticsOf(const FileSet& set);

// The Styles of a Block (0-3): "C11-C14".
std::string BlockStyles(int block);

}  // namespace i40
