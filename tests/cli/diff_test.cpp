// i40set diff over Sets written here: the demo Set and edited copies of it.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "dialogs/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/set_paths.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

class DiffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    build::WriteSet(build::DemoSet(), dir_ / "DEMO");
    demo_ = (dir_ / "DEMO").string();
  }

  // The demo Set with a tempo changed, an Arrangement renamed and Grand Piano dragged
  // from F11 to F73, written as EDITED.
  std::string Edited() {
    Workspace ws;
    ws.settings.WarnDupl = false;
    ScriptedPrompter prompter;
    const int slot = test::AddSet(ws, build::DemoSet(), "EDITED");
    auto arrangement = OpenItemDialog(ws, slot, Kind::Arrangement, 256);
    arrangement->SetText("txtTempo", "90");
    arrangement->Ok(prompter);
    arrangement = OpenItemDialog(ws, slot, Kind::Arrangement, 257);
    arrangement->SetText("txtNam", "Swing Time 2");
    arrangement->Ok(prompter);
    RunDrop(ws, prompter, Kind::Program, SetSlot{slot}, ItemIndex{0}, SetSlot{slot}, ItemIndex{50});
    build::WriteSet(ws.sets.Files(slot), dir_ / "EDITED");
    return (dir_ / "EDITED").string();
  }

  Result Diff(std::vector<std::string> args) {
    args.insert(args.begin(), "diff");
    args.push_back("--data");
    args.push_back(I40_SOURCE_DATA_DIR);
    std::ostringstream out, err;
    const int code = cli::Run(args, out, err);
    return {code, out.str(), err.str()};
  }

  test::TempDir dir_;
  std::string demo_;
};

TEST_F(DiffTest, EqualSetsSayNothing) {
  build::WriteSet(build::DemoSet(), dir_ / "COPY");
  for (const auto& args : {std::vector<std::string>{demo_, demo_},
                           std::vector<std::string>{demo_, (dir_ / "COPY.GBL").string()},
                           std::vector<std::string>{"--json", demo_, demo_}}) {
    const Result r = Diff(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
  }
}

TEST_F(DiffTest, EachDifferenceIsOneLine) {
  const std::string edited = Edited();
  Result r = Diff({demo_, edited});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Arrangements C11 'Pop Ballad': changed: Tempo 72 -> 90\n"
            "Arrangements C12 'Swing Time': renamed to 'Swing Time 2'\n"
            "Programs F11 'Grand Piano': moved to F73\n");

  r = Diff({"--json", demo_, edited});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out,
            R"({"kind":"Arrangements","what":"changed","position":"C11","name":"Pop Ballad",)"
            R"("newPosition":"C11","newName":"Pop Ballad","fields":[{"field":"Tempo",)"
            R"("before":"72","after":"90"}]})"
            "\n"
            R"({"kind":"Arrangements","what":"renamed","position":"C12","name":"Swing Time",)"
            R"("newPosition":"C12","newName":"Swing Time 2","fields":[]})"
            "\n"
            R"({"kind":"Programs","what":"moved","position":"F11","name":"Grand Piano",)"
            R"("newPosition":"F73","newName":"Grand Piano","fields":[]})"
            "\n");
}

TEST_F(DiffTest, UnreadableSetsAndUsageExitWithTwo) {
  Result r = Diff({demo_, (dir_ / "NOWHERE").string()});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("NOWHERE.ARR not found"), std::string::npos) << r.err;

  build::WriteSet(build::DemoSet(), dir_ / "SHORT");
  auto arr = test::ReadFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement));
  arr.resize(534);
  test::WriteFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement), arr);
  r = Diff({(dir_ / "SHORT").string(), demo_});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("The file ends inside Arrangement 4"), std::string::npos) << r.err;

  EXPECT_EQ(Diff({demo_}).code, 2);
  EXPECT_EQ(Diff({demo_, demo_, demo_}).code, 2);
}

}  // namespace
}  // namespace i40
