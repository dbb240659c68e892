#include "styles/style_ops.h"

#include <cmath>

#include "calls/calls_check.h"
#include "calls/duplicate_names.h"
#include "calls/item_lookup.h"
#include "setstore/component_file.h"
#include "setstore/edit_steps.h"
#include "setstore/undo.h"
#include "setstore/vocabulary.h"
#include "styles/style_blocks.h"
#include "ui/error_reports.h"
#include "util/text.h"

namespace i40 {
namespace {

bool IsSlot(int styleSlot) {
  return styleSlot >= 0 && styleSlot < kUserStyleCount;
}

StyleSlot& Slot(Workspace& ws, int slot, int styleSlot) {
  return ws.sets.Files(slot).styles.slots.at(static_cast<std::size_t>(styleSlot));
}

void CopySlotToBuffer(StyleBuffer& buffer, Workspace& ws, int slot, int styleSlot) {
  const StyleSlot& s = Slot(ws, slot, styleSlot);
  buffer.present = s.present;
  buffer.length = s.length;
  buffer.record = s.record;
  buffer.data = s.data;
  buffer.sourceSet = slot;
  buffer.sourceSlot = styleSlot;
}

void CopyBufferToSlot(const StyleBuffer& buffer, Workspace& ws, int slot, int styleSlot) {
  StyleSlot& s = Slot(ws, slot, styleSlot);
  s.present = buffer.present;
  s.length = buffer.length;
  s.record = buffer.record;
  s.data = buffer.data;
  MarkModified(ws, slot, Kind::Style);
}

void RestoreFrom(Workspace& ws, const StyleBuffer& buffer) {
  if (IsOpenSet(ws, buffer.sourceSet) && IsSlot(buffer.sourceSlot)) {
    CopyBufferToSlot(buffer, ws, buffer.sourceSet, buffer.sourceSlot);
  }
}

}  // namespace

int NeededEvents(std::int32_t length) {
  return static_cast<int>(std::nearbyint(static_cast<double>(length - kEmptyStyleLength) / 4.0));
}

std::vector<std::string> StyleCallers(const FileSet& set, int number) {
  std::vector<std::string> callers;
  for (int i = 0; i < kUserArrangementCount; ++i) {
    const ArrangementRecord& r = set.arrangements.records[static_cast<std::size_t>(i)];
    if (!r.IsEmpty() && r.Style() == number) callers.push_back("Arr " + ArrangementUserLabel(i));
  }
  for (int i = 0; i < kBsqCount; ++i) {
    const BsqRecord& r = set.backingSequences.records[static_cast<std::size_t>(i)];
    if (!r.IsEmpty() && r.Style() == number) callers.push_back("BSeq  " + std::to_string(i));
  }
  return callers;
}

void RedirectStyleCalls(Workspace& ws, int slot, int oldNumber, int newNumber) {
  FileSet& set = ws.sets.Files(slot);
  for (ArrangementRecord& r : set.arrangements.records) {
    if (!r.IsEmpty() && r.Style() == oldNumber) {
      r.SetStyle(newNumber);
      MarkModified(ws, slot, Kind::Arrangement);
    }
  }
  for (BsqRecord& r : set.backingSequences.records) {
    if (!r.IsEmpty() && r.Style() == oldNumber) {
      r.SetStyle(newNumber);
      MarkModified(ws, slot, Kind::BackingSequence);
    }
  }
}

ReferenceAnswer ConfirmStyleOverwrite(Workspace& ws, Prompter& prompter, int slot, int styleSlot) {
  const int number = StyleNumberOfSlot(styleSlot);
  return AskToRedirectCallers(
      ws, prompter, slot, !StyleCallers(ws.sets.Files(slot), number).empty(),
      TrimSpaces(Slot(ws, slot, styleSlot).record.Name()) +
          " Style is referenced by one\nor more Arrangements or Backing Sequences.\n"
          "Change references to another Style?",
      Kind::Style, number, [&](int chosen) { RedirectStyleCalls(ws, slot, number, chosen); });
}

void CopyStyle(Workspace& ws, int slot, int styleSlot) {
  if (IsSlot(styleSlot)) CopySlotToBuffer(ws.edits.styleClip, ws, slot, styleSlot);
}

bool CutStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot, bool quiet) {
  if (!IsSlot(styleSlot) || Slot(ws, slot, styleSlot).record.IsEmpty()) return false;
  if (!quiet && ConfirmStyleOverwrite(ws, prompter, slot, styleSlot) == ReferenceAnswer::Cancel) {
    return false;
  }
  CopySlotToBuffer(ws.edits.styleClip, ws, slot, styleSlot);
  ws.edits.styleMoved = ws.edits.styleClip;
  ws.edits.styleUndo.operation = kUndoCut;
  CopyBufferToSlot(ws.blanks.style, ws, slot, styleSlot);
  if (quiet) SetUndoMenu(ws, slot, true);
  return true;
}

bool PasteStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot, bool move) {
  const StyleBuffer& clip = ws.edits.styleClip;
  if (!IsSlot(styleSlot) || clip.sourceSet == 0) return false;
  const StyleData& styles = ws.sets.Files(slot).styles;
  const bool sameBlock =
      IsSlot(clip.sourceSlot) && BlockOfSlot(clip.sourceSlot) == BlockOfSlot(styleSlot);
  if (!(move && sameBlock)) {
    const int needed = NeededEvents(clip.length);
    const int available = StyleEvents(styles, styleSlot) + BlockFree(styles, styleSlot);
    if (needed > available) {
      prompter.Ask({"Pasted Style (" + std::to_string(needed) +
                        " events) is too big for destination\nBlock, where only " +
                        std::to_string(available) + " events are available.",
                    "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
      return false;
    }
  }
  bool undoable = true;
  if (!Slot(ws, slot, styleSlot).record.IsEmpty()) {
    const ReferenceAnswer answer = ConfirmStyleOverwrite(ws, prompter, slot, styleSlot);
    if (answer == ReferenceAnswer::Cancel) return false;
    undoable = answer != ReferenceAnswer::GoRedirected;
  }
  if (move && IsSlot(clip.sourceSlot)) {
    RedirectStyleCalls(ws, slot, StyleNumberOfSlot(clip.sourceSlot), StyleNumberOfSlot(styleSlot));
  }
  const bool wasModified = ws.sets.Entry(slot).Modified[KindIndex(Kind::Style)];
  CopySlotToBuffer(ws.edits.styleUndo, ws, slot, styleSlot);
  ws.edits.styleUndo.operation = kUndoPaste;
  CopyBufferToSlot(clip, ws, slot, styleSlot);
  if (clip.sourceSet != slot && clip.sourceSet != StyleBuffer::kNotFromASet &&
      !CheckPastedStyleCalls(ws, prompter, clip.sourceSet, slot, styleSlot)) {
    CopyBufferToSlot(ws.edits.styleUndo, ws, slot, styleSlot);
    ws.sets.Entry(slot).Modified[KindIndex(Kind::Style)] = wasModified;
    return false;
  }
  SetUndoMenu(ws, slot, undoable);
  return true;
}

void EraseStyleBank(Workspace& ws, int slot, int bank) {
  if (StyleUserIndexOf(bank, 0) < 0) return;
  for (int s = 0; s < kUserStyleCount; ++s)
    CopyBufferToSlot(ws.blanks.style, ws, slot, s);
  SetUndoMenu(ws, slot, false);
}

bool DragStyle(Workspace& ws, Prompter& prompter, int fromSlot, int fromStyle, int toSlot,
               int toStyle) {
  if (!IsSlot(fromStyle) || !IsSlot(toStyle)) return false;
  if (fromSlot == toSlot && fromStyle == toStyle) return false;
  if (!CanStartDrag(ws, fromSlot, Kind::Style, fromStyle)) return false;
  CopyStyle(ws, fromSlot, fromStyle);
  return FinishDrag(
      ws, fromSlot == toSlot, toSlot,
      {[&](bool move) { return PasteStyle(ws, prompter, toSlot, toStyle, move); },
       [&] { return CutStyle(ws, prompter, fromSlot, fromStyle, true); },
       [&] { WarnDuplicateStyleNames(ws, prompter, toSlot); }, ws.edits.styleUndo.operation});
}

bool LoadOneStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot) {
  if (!IsSlot(styleSlot)) return false;
  const std::string ext(KindExt(Kind::IStyleStyle));
  const auto file = AskForComponentFile(ws, prompter, "Load one Style from " + ext + " file...",
                                        Kind::IStyleStyle);
  if (!file) return false;
  auto style = ReadIsfFile(file->bytes);
  if (auto* problem = std::get_if<ReadResult>(&style)) {
    ReportLoadError(prompter, Kind::Style, problem->detail);
    return false;
  }
  ws.edits.styleClip = std::get<StyleBuffer>(std::move(style));
  if (!PasteStyle(ws, prompter, slot, styleSlot, false)) return false;
  ws.edits.styleUndo.operation = kUndoPaste;
  WarnDuplicateStyleNames(ws, prompter, slot);
  return true;
}

bool CheckPastedStyleCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                           int styleSlot) {
  const StyleRecord& a = ws.edits.styleClip.record;
  StyleRecord b = Slot(ws, destSlot, styleSlot).record;
  const ItemSources source{ws.presets, ws.sets.Files(sourceSlot)};
  const std::string styleName = TrimSpaces(a.Name());
  for (int t = 0; t < kStyleTrackCallCount; ++t) {
    const int program = a.TrackProgram(t);
    if (ProgramUserIndex(program) < 0) continue;
    const std::string programName = ProgramName(source, program);
    const std::string track = TrimSpaces(kStyleTrackName[static_cast<std::size_t>(t)]);
    const CallResolution resolved = ResolveCallByName(
        ws, prompter, destSlot, Kind::Program, programName,
        "Track '" + track + "' of Style '" + styleName + "' calls Program '" +
            TrimSpaces(programName) + "' non-existent in '" + ws.sets.Entry(destSlot).Name +
            "'\n\nRedirect this track to an existing Program?",
        {Kind::Program, destSlot, 0, "for track '" + track + "'"});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetTrackProgram(t, resolved.number);
  }
  Slot(ws, destSlot, styleSlot).record = b;
  return true;
}

bool WarnDuplicateStyleNames(Workspace& ws, Prompter& prompter, int slot) {
  if (!ws.settings.WarnDupl) return false;
  std::vector<std::string> names;
  for (const auto& s : ws.sets.Files(slot).styles.slots)
    names.push_back(s.record.Name());
  return WarnDuplicateNames(prompter, "Style", names, AllEarlierPairs(0, kUserStyleCount),
                            StyleUserLabel);
}

void UndoStyle(Workspace& ws) {
  StyleBuffer& undo = ws.edits.styleUndo;
  const StyleBuffer& moved = ws.edits.styleMoved;
  switch (undo.operation) {
    case kUndoCut:
      RestoreFrom(ws, moved);
      break;
    case kUndoPaste:
    case kUndoCopyByDrag:
      RestoreFrom(ws, undo);
      break;
    case kUndoMoveByDrag:
      RestoreFrom(ws, undo);
      RestoreFrom(ws, moved);
      if (IsOpenSet(ws, undo.sourceSet) && undo.sourceSet == moved.sourceSet &&
          IsSlot(undo.sourceSlot) && IsSlot(moved.sourceSlot)) {
        RedirectStyleCalls(ws, undo.sourceSet, StyleNumberOfSlot(undo.sourceSlot),
                           StyleNumberOfSlot(moved.sourceSlot));
      }
      break;
    default:
      break;
  }
  undo.operation = kUndoNone;
}

}  // namespace i40
