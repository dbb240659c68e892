#pragma once

#include <array>
#include <string>
#include <vector>

#include "format/item_numbers.h"
#include "format/vocabulary.h"
#include "host/prompter.h"
#include "set_builder.h"

namespace i40::test {

// Answers whatever it is asked at random (Yes, No or Cancel, any pick or a cancelled
// picker), keeping every question and the answer given.
class RandomPrompter : public Prompter {
 public:
  struct Asked {
    std::string text;
    Answer answer;
  };

  explicit RandomPrompter(build::Rng& rng) : rng_(rng) {}

  Answer Ask(const Message& message) override {
    Answer answer = Answer::Ok;
    switch (message.buttons) {
      case MessageButtons::Ok:
        break;
      case MessageButtons::OkCancel:
        answer = rng_.Below(2) ? Answer::Ok : Answer::Cancel;
        break;
      case MessageButtons::YesNo:
        answer = rng_.Below(4) ? Answer::Yes : Answer::No;
        break;
      case MessageButtons::YesNoCancel:
        answer = std::array{Answer::Yes, Answer::No, Answer::Cancel}[Below(3)];
        ++counts[static_cast<std::size_t>(answer)];
        break;
    }
    asked.push_back({message.text, answer});
    return answer;
  }
  std::optional<std::filesystem::path> ChooseOpenFile(const FileRequest&) override { return {}; }
  std::optional<std::filesystem::path> ChooseSaveFile(const FileRequest&) override { return {}; }
  ItemNumber Pick(const PickRequest& request) override {
    if (rng_.Below(4) == 0) return kNoNumber;
    const BankNo bank{rng_.Below(BankCount(request.kind))};
    return NumberAt(request.kind, {bank, rng_.Below(BankLastIndex(request.kind, bank) + 1)});
  }
  int ChooseFromList(const ListChoice&) override { return -1; }
  std::optional<MidiDevices> ChooseMidiDevices(const MidiSetupRequest&) override {
    return std::nullopt;
  }
  void BeginProgress(const std::string&, const std::string&, double, double) override {}
  void SetProgress(double) override {}
  void EndProgress() override {}

  std::vector<Asked> asked;
  std::array<int, 4> counts{};  // Yes/No/Cancel questions answered, by Answer

 private:
  std::size_t Below(int n) { return static_cast<std::size_t>(rng_.Below(n)); }
  build::Rng& rng_;
};

}  // namespace i40::test
