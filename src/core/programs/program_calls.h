#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calls/item_lookup.h"
#include "setstore/workspace.h"
#include "ui/cell_colour.h"

namespace i40 {

// A call of a Program: the caller's text ("Arr C12", "Sty C15", "BSeq  3", "KSet B2")
// and the track or keyboard section that makes it.
struct ProgramCall {
  std::string caller;
  std::string track;

  bool operator==(const ProgramCall&) const = default;
};

// Every call of a Program number in a Set: named Arrangements (9 tracks), named Styles
// (6 tracks), named Backing Sequences (11 tracks) and the 15 KBD Sets (3 sections), in
// that order, item by item and track by track.
std::vector<ProgramCall> ProgramCallers(const FileSet& set, int number);

// Every one of those calls that equals the old number gets the new one; the kinds that
// changed are marked modified.
void RedirectProgramCalls(Workspace& ws, int slot, int oldNumber, int newNumber);

// The cells of one Program bank (64, or 16 for bank R), with callers highlighted when
// asked. One pass over the Set's calls serves all the cells.
std::vector<CellLook> FillProgramGrid(const ItemSources& from, int bank, bool highlightCalls);

}  // namespace i40
