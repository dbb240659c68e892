#include "ui/error_reports.h"

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

}  // namespace

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
