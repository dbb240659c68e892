#include "host/error_reports.h"

#include <string>

namespace i40 {
namespace {

std::string KindErrorText(std::string_view verb, Kind kind, std::string_view detail) {
  std::string text = "Error ";
  text += verb;
  text += ' ';
  text += KindName(kind);
  text += " data.";
  text += kLineBreak;
  text += detail;
  return text;
}

std::string ItemNoun(ReadItemKind item) {
  switch (item) {
    case ReadItemKind::Arrangement:
      return "Arrangement";
    case ReadItemKind::Style:
      return "Style";
    case ReadItemKind::Program:
      return "Program";
    case ReadItemKind::DrumKit:
      return "Drum Kit";
    case ReadItemKind::BackingSequence:
      return "Backing Sequence";
    case ReadItemKind::KbdSet:
      return "KBD Set";
    case ReadItemKind::None:
      break;
  }
  return "item";
}

std::string WhatWasRead(const ReadError& e) {
  const std::string item = ItemNoun(e.itemKind) + " " + std::to_string(e.item);
  switch (e.what) {
    case ReadProblem::EndsInHeader:
      return "The file ends inside its header";
    case ReadProblem::EndsInItem:
      return "The file ends inside " + item;
    case ReadProblem::EndsInItemData:
      return "The file ends inside the data of " + item;
    case ReadProblem::ExtraBytesMissing:
      return "The header promises " + std::to_string(e.count) + " bytes after the " +
             ItemNoun(e.itemKind) + "s, the file ends before them";
    case ReadProblem::EndsInTable:
      return "The file ends inside the " + ItemNoun(e.itemKind) + " table";
    case ReadProblem::TableEntryOfOtherSlot:
      return ItemNoun(e.itemKind) + " table entry " + std::to_string(e.item) + " holds slot " +
             std::to_string(e.count);
    case ReadProblem::ItemShorterThanRecord:
      return item + " is shorter than its record";
    case ReadProblem::EndsInTrackStarts:
      return "The file ends inside the track starts";
    case ReadProblem::TrackEndsBeforeStart:
      return "Track " + std::to_string(e.count) + " of " + item + " ends before it starts";
    case ReadProblem::ItemTooLong:
      return item + " is too long";
    case ReadProblem::EndsInEvents:
      return "The file ends inside the events of " + item;
    case ReadProblem::EndsInRecord:
      return "The file ends inside its record";
    case ReadProblem::ShorterThanOneItem:
      return "The file is shorter than one " + ItemNoun(e.itemKind);
    case ReadProblem::LongerThanAFileHolds:
      return "The " + ItemNoun(e.itemKind) + " is longer than a " + ItemNoun(e.itemKind) +
             " file can hold";
  }
  return "The file cannot be read";
}

}  // namespace

std::string DescribeReadError(const ReadError& error) {
  return WhatWasRead(error) + " (byte " + std::to_string(error.offset) + ")";
}

void ReportLoadError(Prompter& prompter, Kind kind, const ReadError& error) {
  ReportLoadError(prompter, kind, DescribeReadError(error));
}

std::string LoadErrorText(Kind kind, std::string_view detail) {
  return KindErrorText("getting", kind, detail);
}

std::string SaveErrorText(Kind kind, std::string_view detail) {
  return KindErrorText("saving", kind, detail);
}

void ReportLoadError(Prompter& prompter, Kind kind, std::string_view detail) {
  prompter.ShowError(LoadErrorText(kind, detail));
}

void ReportSaveError(Prompter& prompter, Kind kind, std::string_view detail) {
  prompter.ShowError(SaveErrorText(kind, detail));
}

}  // namespace i40
