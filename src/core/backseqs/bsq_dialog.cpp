#include "backseqs/bsq_dialog.h"

#include <string>
#include <utility>

#include "dialog_model/dialog_model.h"
#include "format/bsq_record.h"
#include "format/positions.h"
#include "format/vocabulary.h"
#include "util/text.h"

namespace i40 {

std::optional<DialogModel> BsqDialog(Workspace& ws, SetSlot slot, ItemIndex sequence) {
  if (!IsPosition(Kind::BackingSequence, sequence)) return std::nullopt;
  FileSet& set = ws.sets.Files(slot);
  const std::span<const std::uint8_t> record =
      RecordBytes(std::as_const(set), Kind::BackingSequence, sequence);
  if (IsEmptyRecord(Kind::BackingSequence, record)) return std::nullopt;

  DialogModel m(ws, slot, Kind::BackingSequence, sequence, true);
  m.formName = "FParBsq";
  m.title =
      "Backing Sequence " + std::to_string(Value(sequence)) + " in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraBsq", "Backing Sequence"}, {"fraLinks", "Links"}, {"fraChain", "Chaining"}};

  DialogControl name = MakeControl(ControlType::Text, "txtNam", "fraBsq", "Name",
                                   RecordField::Text(0, kBsqNameWidth), "Type new name here");
  name.textLimit = kBsqNameWidth;
  m.Fill(name, record);
  name.text = TrimSpaces(name.text);
  m.controls.push_back(std::move(name));

  m.controls.push_back(
      MakeCallPicker(m, Kind::Arrangement, "lblArr", "fraLinks", "Arrangement called", record));
  m.controls.push_back(
      MakeCallPicker(m, Kind::Style, "lblSty", "fraLinks", "Style called", record));
  DialogControl programs = MakeControl(ControlType::List, "lstPrg", "fraLinks", "Programs called",
                                       {}, "DoubleClick to Edit");
  FillProgramLines(m, programs, ": ", record);
  m.controls.push_back(std::move(programs));

  DialogControl chain =
      MakeControl(ControlType::Check, "chkChain", "fraChain", "Chain  to  next  BSeq",
                  RecordField::Bits(BsqRecord::kFlagsOffset, 0x02));
  DialogControl autoStart = MakeControl(ControlType::Check, "chkAuto", "fraChain", "AutoStart",
                                        RecordField::Bits(BsqRecord::kFlagsOffset, 0x01));
  DialogControl next =
      MakeControl(ControlType::Text, "txtNxt", "fraChain", "Next BSeq",
                  RecordField::Bits(BsqRecord::kNextOffset), "In automatic chaining mode");
  for (DialogControl* c : {&chain, &autoStart, &next}) {
    m.Fill(*c, record);
    m.controls.push_back(std::move(*c));
  }

  // AutoStart and the next sequence mean something only while chaining is on.
  m.afterChange = [](DialogModel& model) {
    const bool chained = model.Find("chkChain")->value != 0;
    model.Find("chkAuto")->enabled = chained;
    model.Find("txtNxt")->enabled = chained;
  };
  // Only the ten sequences that exist can follow.
  m.checkOk = [](const DialogModel& model) -> std::optional<Message> {
    const DialogControl& box = *model.Find("txtNxt");
    const auto number = WholeNumber(box.text);
    if (!box.Changed() || (number && *number >= 0 && *number < kBsqCount)) return std::nullopt;
    return Message{"Next Backing Sequence must be a number from 0 to 9", "",
                   MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok};
  };
  m.MarkOpened();
  return m;
}

}  // namespace i40
