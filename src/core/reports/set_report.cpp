#include "reports/set_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "backseqs/bsq_list.h"
#include "calls/callers.h"
#include "format/bsq_file.h"
#include "format/item_numbers.h"
#include "format/set_paths.h"
#include "util/bytes.h"
#include "version.h"

namespace i40 {
namespace {

constexpr const char* kCrLf = "\r\n";

// Entries per line in the item lists; callers on the first line of a group and on each
// line after it.
constexpr std::size_t kEntriesPerLine = 4;
constexpr std::size_t kCallersOnFirstLine = 10;
constexpr std::size_t kCallersPerLine = 11;
constexpr std::size_t kTitleIndent = 40;
constexpr const char* kContinuationIndent = "     ";

// The bar: one step for each of the first three lists, then 15 steps spread over the
// search of the 66 Programs' callers.
constexpr double kListSteps = 3;
constexpr double kProgramSearchSteps = 15;

// 9999-12-31 23:59:59 UTC: the last instant whose year still has four digits.
constexpr long long kLastReportableSecond = 253402300799LL;

constexpr std::array<const char*, 12> kMonthAbbreviation = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
};

std::string Separator() {
  return std::string(kReportWidth, '_') + kCrLf;
}

// An empty line, the header with the Set's title, an empty line.
std::string SectionStart(std::string_view header, const std::string& setTitle) {
  return std::string(kCrLf) + std::string(header) + setTitle + kCrLf + kCrLf;
}

std::string ListEntry(const std::string& label, const std::string& name) {
  return label + " " + name + "     ";
}

// Four entries to a line; a shorter last line still ends before the separator.
std::string ListSection(std::string_view header, const std::string& setTitle,
                        const std::vector<std::string>& entries) {
  std::string text = SectionStart(header, setTitle);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    text += entries[i];
    if (i % kEntriesPerLine == kEntriesPerLine - 1) text += kCrLf;
  }
  if (entries.size() % kEntriesPerLine != 0) text += kCrLf;
  return text + Separator();
}

// "F11: Arr C11, Arr C12, ..." ten callers on the first line, then eleven per line, each
// further line indented to where the callers start. A line is broken only where another
// caller follows, so a group never ends in an empty continuation line.
std::string CallerGroup(const std::string& label, const std::vector<std::string>& callers) {
  std::string text = label + ": ";
  for (std::size_t i = 0; i < callers.size(); ++i) {
    text += callers[i];
    if (i + 1 == callers.size()) break;
    text += ", ";
    if (i % kCallersPerLine == kCallersOnFirstLine - 1) {
      text += kCrLf;
      text += kContinuationIndent;
    }
  }
  return text + kCrLf;
}

std::string Heading(const std::string& setTitle, const std::string& date) {
  std::string text = std::string(kTitleIndent, ' ') + std::string(kInstrumentName) + " Set Report";
  text += kCrLf + Separator() + kCrLf;
  // The date ends in the last column; a title too long for that still gets one space
  // before the date rather than running into it.
  const std::size_t used = setTitle.size() + date.size();
  const std::size_t gap = used < kReportWidth ? kReportWidth - used : 1;
  text += setTitle + std::string(gap, ' ') + date + kCrLf;
  return text + Separator();
}

// Opens the progress window when there is someone to show it to, and closes it on every
// way out.
class ReportProgress {
 public:
  explicit ReportProgress(Prompter* prompter) : prompter_(prompter) {
    if (prompter_ != nullptr) {
      prompter_->BeginProgress(kSetReportProgressCaption, "", 0, kListSteps + kProgramSearchSteps);
    }
  }
  ~ReportProgress() {
    if (prompter_ != nullptr) prompter_->EndProgress();
  }
  ReportProgress(const ReportProgress&) = delete;
  ReportProgress& operator=(const ReportProgress&) = delete;

  void Set(double value) {
    if (prompter_ != nullptr) prompter_->SetProgress(value);
  }

 private:
  Prompter* prompter_;
};

std::optional<long long> SourceDateEpoch() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr) return std::nullopt;
  const std::string_view text(value);
  // Digits only: from_chars would take a leading minus sign.
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  long long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (seconds > kLastReportableSecond) return std::nullopt;
  return seconds;
}

// Civil UTC time by calendar arithmetic: no shared buffer, no time zone database.
std::tm UtcTime(long long secondsSinceEpoch) {
  using namespace std::chrono;
  const sys_seconds instant{seconds{secondsSinceEpoch}};
  const sys_days day = floor<days>(instant);
  const year_month_day date{day};
  const long long secondOfDay = (instant - day).count();
  std::tm when{};
  when.tm_year = static_cast<int>(date.year()) - 1900;
  when.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  when.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  when.tm_hour = static_cast<int>(secondOfDay / 3600);
  when.tm_min = static_cast<int>(secondOfDay / 60 % 60);
  when.tm_sec = static_cast<int>(secondOfDay % 60);
  when.tm_wday = static_cast<int>(weekday{day}.c_encoding());
  when.tm_yday = static_cast<int>((day - sys_days{date.year() / January / 1}).count());
  when.tm_isdst = 0;
  return when;
}

}  // namespace

std::string ReportWindowCaption(const std::string& setTitle) {
  return "Report on " + setTitle;
}

std::tm ReportTime() {
  if (const auto epoch = SourceDateEpoch()) return UtcTime(*epoch);
  const std::time_t now = std::time(nullptr);
  // localtime's buffer is shared, but reports are made on the one user-interface thread.
  if (const std::tm* local = std::localtime(&now)) return *local;
  return UtcTime(static_cast<long long>(now));
}

std::string ReportDateText(const std::tm& when) {
  const auto month = static_cast<std::size_t>(std::clamp(when.tm_mon, 0, 11));
  char text[80];
  std::snprintf(text, sizeof text, "%d-%s-%04d %02d:%02d:%02d", when.tm_mday,
                kMonthAbbreviation[month], when.tm_year + 1900, when.tm_hour, when.tm_min,
                when.tm_sec);
  return text;
}

std::string SetReportText(const Workspace& ws, SetSlot slot, const std::string& setTitle,
                          const std::tm& when, Prompter* progress) {
  const FileSet& set = ws.sets.Files(slot);
  ReportProgress bar(progress);
  std::string text = Heading(setTitle, ReportDateText(when));
  text.reserve(12000);

  std::vector<std::string> entries;
  for (int i = 0; i < kUserArrangementCount; ++i) {
    entries.push_back(ListEntry(ItemUserLabel(Kind::Arrangement, ItemIndex{i}),
                                set.arrangements.records[static_cast<std::size_t>(i)].Name()));
  }
  text += ListSection("User ARRANGEMENTS in ", setTitle, entries);
  bar.Set(1);

  entries.clear();
  for (int i = 0; i < kUserProgramSlots; ++i) {
    entries.push_back(ListEntry(ItemUserLabel(Kind::Program, ItemIndex{i}),
                                set.programs.records[static_cast<std::size_t>(i)].Name()));
  }
  text += ListSection("User PROGRAMS in ", setTitle, entries);
  bar.Set(2);

  entries.clear();
  for (int s = 0; s < kUserStyleCount; ++s) {
    entries.push_back(ListEntry(ItemUserLabel(Kind::Style, ItemIndex{s}),
                                set.styles.slots[static_cast<std::size_t>(s)].record.Name()));
  }
  text += ListSection("User STYLES in ", setTitle, entries);
  bar.Set(kListSteps);

  text += ReportBackingSequences(set.backingSequences, setTitle);

  const CallIndex calls(set);
  text += SectionStart("CALLS to User PROGRAMS in ", setTitle);
  for (int i = 0; i < kUserProgramSlots; ++i) {
    const auto callers =
        calls.CallerTexts(Kind::Program, ItemNumberOfUserIndex(Kind::Program, ItemIndex{i}));
    if (!callers.empty()) text += CallerGroup(ItemUserLabel(Kind::Program, ItemIndex{i}), callers);
    bar.Set(kListSteps + kProgramSearchSteps * (i + 1) / kUserProgramSlots);
  }
  text += Separator();

  text += SectionStart("CALLS to User STYLES in ", setTitle);
  for (int s = 0; s < kUserStyleCount; ++s) {
    const auto callers =
        calls.CallerTexts(Kind::Style, ItemNumberOfUserIndex(Kind::Style, ItemIndex{s}));
    if (!callers.empty()) text += CallerGroup(ItemUserLabel(Kind::Style, ItemIndex{s}), callers);
  }
  text += Separator();

  text += SectionStart("CALLS to User ARRANGEMENTS in ", setTitle);
  bool anyCalled = false;
  for (int i = 0; i < kUserArrangementCount; ++i) {
    const auto callers = calls.CallerTexts(Kind::Arrangement,
                                           ItemNumberOfUserIndex(Kind::Arrangement, ItemIndex{i}));
    if (callers.empty()) continue;
    text += CallerGroup(ItemUserLabel(Kind::Arrangement, ItemIndex{i}), callers);
    anyCalled = true;
  }
  if (!anyCalled) text += std::string("None") + kCrLf;
  text += Separator();
  return text;
}

bool SaveReportFile(Workspace& ws, Prompter& prompter, SetSlot slot, const std::string& text,
                    FileOps& ops) {
  const SetEntry& entry = ws.sets.Entry(slot);
  FileRequest request;
  request.title = "Save Report to File...";
  request.initialDir = entry.Dir;
  request.initialName = entry.Name + ".TXT";
  request.defaultExt = ".TXT";
  request.filters = {{"Report (*.TXT)", "*.TXT"}};
  const auto chosen = prompter.ChooseSaveFile(request);
  if (!chosen) return false;
  if (ops.Exists(*chosen) && prompter.Ask({"Overwrite existing file?", "", MessageIcon::Question,
                                           MessageButtons::YesNo, Answer::No}) != Answer::Yes) {
    return false;
  }
  const std::string content = text + "\r\n";
  if (ReplaceFileAtomically(ops, *chosen, AsBytes(content))) {
    prompter.ShowError("Error saving Report to file " + PathText(*chosen));
    return false;
  }
  prompter.ShowOutcome("Report saved as " + PathText(*chosen));
  return true;
}

}  // namespace i40
