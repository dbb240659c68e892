#include "calls/calls_check.h"

#include "calls/item_lookup.h"
#include "kbdsets/kbdset_grid.h"
#include "setstore/vocabulary.h"
#include "util/text.h"

namespace i40 {
namespace {

ItemSources SourcesOf(const Workspace& ws, int slot) {
  return {ws.presets, ws.sets.Files(slot)};
}

std::string NotInSet(const std::string& calledKind, const std::string& name, const Workspace& ws,
                     int destSlot) {
  return " calls " + calledKind + " '" + TrimSpaces(name) + "' non-existent in '" +
         ws.sets.Entry(destSlot).Name + "'\n\n";
}

}  // namespace

CallResolution ResolveCallByName(Workspace& ws, Prompter& prompter, int destSlot, Kind calledKind,
                                 const std::string& sourceName, const std::string& question,
                                 const PickRequest& picker) {
  const int match = FindItemByName(ws.sets.Files(destSlot), calledKind, sourceName);
  if (match >= 0) return {CallResolution::Redirected, match};
  const Message message{question, "", MessageIcon::Exclamation, MessageButtons::YesNoCancel,
                        Answer::Cancel};
  switch (prompter.Ask(message)) {
    case Answer::No:
      return {CallResolution::Kept, 0};
    case Answer::Yes: {
      const int chosen = prompter.Pick(picker);
      if (chosen < 0) return {CallResolution::Cancelled, 0};
      return {CallResolution::Redirected, chosen};
    }
    default:
      return {CallResolution::Cancelled, 0};
  }
}

bool CheckArrangementCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                           int destIndex) {
  const ArrangementRecord& a = ws.edits.arrangementClip.record;
  ArrangementRecord b =
      ws.sets.Files(destSlot).arrangements.records.at(static_cast<std::size_t>(destIndex));
  const ItemSources source = SourcesOf(ws, sourceSlot);
  const std::string name = TrimSpaces(a.Name());

  const int style = a.Style();
  if (StyleSlotOfNumber(style) >= 0) {
    const std::string styleName = StyleName(source, style);
    const CallResolution resolved = ResolveCallByName(
        ws, prompter, destSlot, Kind::Style, styleName,
        "Arrangement '" + name + "'" + NotInSet("Style", styleName, ws, destSlot) +
            "Redirect this Arrangement to an existing Style?",
        {Kind::Style, destSlot, 0, ""});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetStyle(resolved.number);
  }

  for (int t = 0; t < kArrangementTrackCount; ++t) {
    const int program = a.TrackProgram(t);
    if (ProgramUserIndex(program) < 0) continue;
    const std::string programName = ProgramName(source, program);
    const std::string track = TrimSpaces(kStyleTrackName[static_cast<std::size_t>(t)]);
    const int pickStart = t < 2 ? ProgramNumber(6, 0) : ProgramNumber(5, 0);
    const CallResolution resolved =
        ResolveCallByName(ws, prompter, destSlot, Kind::Program, programName,
                          "Track '" + track + "' of Arrangement '" + name + "'" +
                              NotInSet("Program", programName, ws, destSlot) +
                              "Redirect this track to an existing Program?",
                          {Kind::Program, destSlot, pickStart, "for track '" + track + "'"});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetTrackProgram(t, resolved.number);
  }
  ws.sets.Files(destSlot).arrangements.records.at(static_cast<std::size_t>(destIndex)) = b;
  return true;
}

bool CheckKbdSetCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                      int destIndex) {
  const KbdSetRecord& a = ws.edits.kbdSetClip.record;
  KbdSetRecord b = ws.sets.Files(destSlot).kbdSets.records.at(static_cast<std::size_t>(destIndex));
  const ItemSources source = SourcesOf(ws, sourceSlot);
  for (int s = 0; s < kKbdSectionCount; ++s) {
    const int program = a.SectionProgram(s);
    if (ProgramUserIndex(program) < 0) continue;
    const std::string programName = ProgramName(source, program);
    const std::string section = TrimSpaces(kKbdSectionName[static_cast<std::size_t>(s)]);
    const CallResolution resolved =
        ResolveCallByName(ws, prompter, destSlot, Kind::Program, programName,
                          "Track '" + section + "' of KBD Set '" + KbdSetLabel(destIndex) + "'" +
                              NotInSet("Program", programName, ws, destSlot) +
                              "Redirect this track to an existing Program?",
                          {Kind::Program, destSlot, 0, "for track '" + section + "'"});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetSectionProgram(s, resolved.number);
  }
  ws.sets.Files(destSlot).kbdSets.records.at(static_cast<std::size_t>(destIndex)) = b;
  return true;
}

}  // namespace i40
