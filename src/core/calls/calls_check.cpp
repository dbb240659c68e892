#include "calls/calls_check.h"

#include <string>
#include <vector>

#include "calls/item_lookup.h"
#include "format/call_table.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "util/text.h"

namespace i40 {
namespace {

// How a caller names itself in the question: "Arrangement 'POP'", and for a track,
// "Track 'BASS' of Arrangement 'POP'" (a Backing Sequence's track is of "BackSeq").
std::string CallerWord(Kind kind, bool ofTrack) {
  return std::string(ofTrack ? FactsOf(kind).words.trackOwner : KindName(kind));
}

std::string Question(Kind kind, const CallField& field, const std::string& callerName,
                     const std::string& calledName, const std::string& destName) {
  const bool ofTrack = !field.trackName.empty();
  const std::string calledKind(KindName(field.called));
  std::string text;
  if (ofTrack) text = "Track '" + TrimSpaces(field.trackName) + "' of ";
  text += CallerWord(kind, ofTrack) + " '" + callerName + "' calls " + calledKind + " '" +
          NameText(TrimSpaces(calledName)) + "' non-existent in '" + destName + "'\n\n";
  text += "Redirect this " + (ofTrack ? std::string("track") : CallerWord(kind, false)) +
          " to an existing " + calledKind + "?";
  return text;
}

}  // namespace

bool CheckPastedCalls(Workspace& ws, Prompter& prompter, Kind kind, SetSlot sourceSlot,
                      SetSlot destSlot, ItemIndex index,
                      std::span<const std::uint8_t> sourceRecord) {
  FileSet& dest = ws.sets.Files(destSlot);
  const std::span<const std::uint8_t> current = RecordBytes(dest, kind, index);
  std::vector<std::uint8_t> record(current.begin(), current.end());
  const ItemSources source{ws.presets, ws.sets.Files(sourceSlot)};
  // A KBD Set has no name: the questions name it by the position it goes to.
  const std::string callerName =
      kind == Kind::KbdSet ? KbdSetLabel(index) : ShownName(kind, sourceRecord);
  for (const CallField& field : CallFieldsOf(kind)) {
    const ItemNumber number = ReadCall(sourceRecord, field);
    // Presets mean the same everywhere.
    if (ItemUserIndex(field.called, number) == kNoIndex) continue;
    const std::string name = ItemName(source, field.called, number);
    const ItemNumber match = FindItemByName(dest, field.called, name);
    if (match != kNoNumber) {
      WriteCall(record, field, match);
      continue;
    }
    const Message question{Question(kind, field, callerName, name, ws.sets.Entry(destSlot).Name),
                           "", MessageIcon::Exclamation, MessageButtons::YesNoCancel,
                           Answer::Cancel};
    const Answer answer = prompter.Ask(question);
    if (answer == Answer::No) continue;
    if (answer != Answer::Yes) return false;
    const std::string caption =
        field.trackName.empty() ? "" : "for track '" + TrimSpaces(field.trackName) + "'";
    const ItemNumber chosen = prompter.Pick({field.called, destSlot, field.pickStart, caption, ""});
    if (Value(chosen) < 0) return false;
    WriteCall(record, field, chosen);
  }
  const std::span<std::uint8_t> target = RecordBytes(dest, kind, index);
  std::copy(record.begin(), record.end(), target.begin());
  return true;
}

}  // namespace i40
