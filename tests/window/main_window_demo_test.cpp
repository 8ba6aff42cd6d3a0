// The Demo items through the window with the document subsystem's own File
// commands: a sample opens as File > Open opens a file, after the question
// whether to save the shown graphs, and a sample that is missing or refused
// leaves the open document as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "documents/file_commands.h"
#include "graphs/graph.h"
#include "platform/file_replace.h"
#include "support/temp_folder.h"
#include "window/demo_samples.h"
#include "window/document_program.h"

namespace qv {
namespace {

using test::Program;

// The committed samples the cases copy into their program folder.
std::string CommittedSample(std::string_view file) {
  return std::string(QV_SOURCE_DIR) + "/resources/samples/" + std::string(file);
}

// What lies in the program folder's samples under the Demo item's name.
enum class SampleFile { Missing, Valid, Corrupt };

struct DemoCase {
  const char* name;
  SampleFile file;
  bool graphsShown;  // the window shows changed graphs of another document first
  std::vector<MsgAnswer> answers;
  bool saveChosen;                 // the save dialog, if it comes, is given a file name
  bool opened;                     // the sample replaced the document
  std::vector<std::string> texts;  // the boxes shown, by their leading text
};

void PrintTo(const DemoCase& c, std::ostream* out) { *out << c.name; }

const std::string kQuestion = kSaveGraphsQuestion;
const std::string kRefused = "The document ";

const DemoCase kCases[] = {
    {"IntoANewDocument", SampleFile::Valid, false, {}, false, true, {}},
    {"AfterNo", SampleFile::Valid, true, {MsgAnswer::No}, false, true, {kQuestion}},
    {"AfterASavedYes", SampleFile::Valid, true, {MsgAnswer::Yes}, true, true, {kQuestion}},
    {"NotAfterCancel", SampleFile::Valid, true, {MsgAnswer::Cancel}, false, false, {kQuestion}},
    {"NotAfterAYesWhoseSaveWasCancelled",
     SampleFile::Valid,
     true,
     {MsgAnswer::Yes},
     false,
     false,
     {kQuestion}},
    // Asking to save first would only lead to the message.
    {"MissingSampleIsReportedWithoutTheQuestion",
     SampleFile::Missing,
     true,
     {},
     false,
     false,
     {kRefused}},
    {"MissingSampleKeepsANewDocument", SampleFile::Missing, false, {}, false, false, {kRefused}},
    {"RefusedSampleKeepsTheDocument",
     SampleFile::Corrupt,
     true,
     {MsgAnswer::No},
     false,
     false,
     {kQuestion, kRefused}},
};

// A change that a save would write: the first graph's name.
void ChangeAGraph(MainWindowCore& core) {
  static_cast<Graph&>(*core.Shared().allGraphs.Items.Item(1)).NameS += " changed";
}

class MainWindowDemoTest : public testing::TestWithParam<DemoCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(std::filesystem::path(ProgramFolder()) / kSamplesFolder);
  }

  std::string ProgramFolder() const { return temp_.File("program"); }

  test::TempFolder temp_;
};

// The sample of "3D Vertex + Grid" (two graphs, a 3D document) opened over
// the 4D vector sample (one graph).
TEST_P(MainWindowDemoTest, OpensTheSampleOrKeepsTheDocument) {
  const DemoCase& c = GetParam();
  const MenuItem item = MenuItem::mnuDemoVG;
  const std::string sample = DemoSamplePath(ProgramFolder(), *DemoSampleFile(item));
  if (c.file == SampleFile::Valid) {
    std::filesystem::copy_file(CommittedSample(*DemoSampleFile(item)), sample);
  } else if (c.file == SampleFile::Corrupt) {
    std::ofstream(sample, std::ios::binary) << "not a document";
  }
  Program program(temp_.Path(), ProgramFolder());
  MainWindowCore& core = program.core;
  if (c.graphsShown) {
    core.OpenDocumentPath(CommittedSample("4dvector.qrv"));
    ASSERT_EQ(core.Shared().shownGraphs.Items.Count(), 1);
    ChangeAGraph(core);
  }
  const Workspace& ws = core.Shared();
  const Long viewBefore = ws.settings.ViewCode;
  const Long graphsBefore = ws.allGraphs.Items.Count();
  const std::string saved = temp_.File("saved.qrv");
  if (c.saveChosen) {
    program.dialogs.Choose(saved);
  } else {
    program.dialogs.Cancel();
  }
  program.messages.Script(c.answers);

  EXPECT_TRUE(core.RunDemoCommand(item));

  const std::vector<std::string> texts = program.messages.Texts();
  ASSERT_EQ(texts.size(), c.texts.size()) << (texts.empty() ? "" : texts.front());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].rfind(c.texts[i], 0), 0u) << texts[i];
    if (c.texts[i] == kRefused) {
      EXPECT_NE(texts[i].find("grid_vertex.qrv"), std::string::npos) << texts[i];
    }
  }
  if (c.opened) {
    EXPECT_EQ(ws.settings.ViewCode, kViewCode3D);
    EXPECT_EQ(ws.allGraphs.Items.Count(), 2);
    EXPECT_EQ(ws.shownGraphs.Items.Count(), 2);
    EXPECT_EQ(core.List().ListCount(), 2);
    EXPECT_EQ(ws.documentFolder, std::filesystem::path(sample).parent_path().string());
  } else {
    EXPECT_EQ(ws.settings.ViewCode, viewBefore);
    EXPECT_EQ(ws.allGraphs.Items.Count(), graphsBefore);
    EXPECT_EQ(ws.shownGraphs.Items.Count(), graphsBefore);
    EXPECT_EQ(core.List().ListCount(), graphsBefore);
  }
  // A Yes that was saved wrote the graphs it replaced.
  EXPECT_EQ(std::filesystem::exists(saved), c.saveChosen);
}

INSTANTIATE_TEST_SUITE_P(Demo, MainWindowDemoTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DemoCase>& info) {
                           return info.param.name;
                         });

// What the user does between opening the first sample and the command.
enum class Between { Nothing, ChangeAGraph, EditTheSheet, UncheckAGraph, ChangeAndSave };
// The command that may ask.
enum class Then { Demo, New3D, Open, Close };

struct QuestionCase {
  const char* name;
  Between between;
  Then then;
  bool asked;
};

void PrintTo(const QuestionCase& c, std::ostream* out) { *out << c.name; }

class DemoQuestionTest : public testing::TestWithParam<QuestionCase> {
 protected:
  test::TempFolder temp_;
};

// Regression: every Demo item asked "Do you want to save the graphs?", even
// right after another sample was opened with nothing changed. The question
// (and New's and the close's) comes only when a save would write something
// other than what was opened or saved last.
TEST_P(DemoQuestionTest, AsksOnlyWhenTheDocumentChanged) {
  const QuestionCase& c = GetParam();
  const std::string programFolder = temp_.File("program");
  std::filesystem::create_directories(std::filesystem::path(programFolder) / kSamplesFolder);
  const MenuItem item = MenuItem::mnuDemoVG;
  for (const MenuItem sample : {MenuItem::mnuDemoCC, item}) {
    std::filesystem::copy_file(CommittedSample(*DemoSampleFile(sample)),
                               DemoSamplePath(programFolder, *DemoSampleFile(sample)));
  }
  Program program(temp_.Path(), programFolder);
  MainWindowCore& core = program.core;
  ASSERT_TRUE(core.RunDemoCommand(MenuItem::mnuDemoCC));
  ASSERT_TRUE(program.messages.Shown().empty()) << program.messages.Texts().front();
  ASSERT_EQ(core.Shared().settings.ViewCode, kViewCode2D);
  ASSERT_GE(core.Shared().allGraphs.Items.Count(), 1);
  switch (c.between) {
    case Between::Nothing: break;
    case Between::ChangeAGraph: ChangeAGraph(core); break;
    case Between::EditTheSheet: core.Sheet().CellEdited(3, 3, "0.75"); break;
    case Between::UncheckAGraph: core.SetListChecked(0, false); break;
    case Between::ChangeAndSave:
      ChangeAGraph(core);
      program.dialogs.Choose(temp_.File("saved.qrv"));
      core.RunFileCommand(MenuItem::mnuFileSave);
      ASSERT_TRUE(std::filesystem::exists(temp_.File("saved.qrv")));
      break;
  }
  program.messages.Clear();
  program.messages.Script({MsgAnswer::No});
  program.dialogs.Cancel();  // Open's dialog
  switch (c.then) {
    case Then::Demo: ASSERT_TRUE(core.RunDemoCommand(item)); break;
    case Then::New3D: core.RunFileCommand(MenuItem::mnuFileNew3D); break;
    case Then::Open: core.RunFileCommand(MenuItem::mnuFileOpen); break;
    case Then::Close: ASSERT_TRUE(core.ConfirmClose()); break;
  }
  EXPECT_EQ(program.messages.Shown().size(), c.asked ? 1u : 0u)
      << (program.messages.Shown().empty() ? "" : program.messages.Texts().front());
  // Asked or not, the command went on (No was the answer).
  switch (c.then) {
    case Then::Demo: EXPECT_EQ(core.Shared().settings.ViewCode, kViewCode3D); break;
    case Then::New3D: EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 0); break;
    case Then::Open: EXPECT_EQ(program.dialogs.Shown().back().request.title, "Open File"); break;
    case Then::Close: break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemoQuestionTest,
    testing::Values(
        QuestionCase{"SampleAfterSample", Between::Nothing, Then::Demo, false},
        QuestionCase{"SampleAfterAChangedGraph", Between::ChangeAGraph, Then::Demo, true},
        QuestionCase{"SampleAfterASheetEdit", Between::EditTheSheet, Then::Demo, true},
        QuestionCase{"SampleAfterAnUncheckedGraph", Between::UncheckAGraph, Then::Demo, true},
        QuestionCase{"SampleAfterASave", Between::ChangeAndSave, Then::Demo, false},
        QuestionCase{"NewAfterSample", Between::Nothing, Then::New3D, false},
        QuestionCase{"NewAfterAChange", Between::ChangeAGraph, Then::New3D, true},
        QuestionCase{"NewAfterASave", Between::ChangeAndSave, Then::New3D, false},
        QuestionCase{"OpenAfterSample", Between::Nothing, Then::Open, false},
        QuestionCase{"OpenAfterAChange", Between::ChangeAGraph, Then::Open, true},
        QuestionCase{"CloseAfterSample", Between::Nothing, Then::Close, false},
        QuestionCase{"CloseAfterAChange", Between::ChangeAGraph, Then::Close, true},
        QuestionCase{"CloseAfterASheetEdit", Between::EditTheSheet, Then::Close, true},
        QuestionCase{"CloseAfterASave", Between::ChangeAndSave, Then::Close, false}),
    [](const testing::TestParamInfo<QuestionCase>& info) { return info.param.name; });

// Items that open no sample run nothing: the submenu's own item, and the
// commands of the other menus.
TEST(MainWindowDemoItemTest, OtherItemsOpenNothing) {
  const test::TempFolder folder;
  Program program(folder.Path(), folder.Path());
  for (const MenuItem item : {MenuItem::mnuDemo3C, MenuItem::mnuFileOpen, MenuItem::mnuHelpAbout})
    EXPECT_FALSE(program.core.RunDemoCommand(item)) << MenuItemName(item);
  EXPECT_TRUE(program.messages.Shown().empty());
  EXPECT_TRUE(program.dialogs.Shown().empty());
}

}  // namespace
}  // namespace qv
