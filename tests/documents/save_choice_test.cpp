// The file a save writes: a name typed without an extension gets the chosen
// filter's, and a completed name that would replace a file asks first.
#include "save_choice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document_builder.h"
#include "documents/data_file_commands.h"
#include "documents/file_commands.h"
#include "platform/file_replace.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

std::string ReplaceQuestion(const std::string& path) {
  return "The file \"" + path + "\" already exists. Do you want to replace it?";
}

struct ChoiceCase {
  const char* name;
  const char* typed;     // "" for a cancelled dialog
  const char* existing;  // a file there before, "" for none
  MsgAnswer answer;      // to the replace question, if it comes
  const char* chosen;    // "" for nothing to save
  bool asked;
};

class SaveChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(SaveChoiceTest, CompletesTheNameAndAsksBeforeReplacingAnotherFile) {
  const ChoiceCase& c = GetParam();
  test::TempFolder folder;
  test::ScriptedFileDialog dialogs;
  test::ScriptedMessageBox messages;
  if (*c.existing != '\0') {
    ASSERT_EQ(ReplaceFile(folder.File(c.existing), "old"), "");
  }
  dialogs.Choose(*c.typed != '\0' ? folder.File(c.typed) : "");
  messages.Script({c.answer});
  FileDialogRequest request;
  request.title = "Output";
  request.filter = kTextDataFilter;
  const FileDialogResult result = ChooseFileToSave(dialogs, messages, request);
  EXPECT_EQ(result.fileName, *c.chosen != '\0' ? folder.File(c.chosen) : "");
  if (c.asked) {
    ASSERT_EQ(messages.Shown().size(), 1u);
    const test::ShownMessage& question = messages.Shown().front();
    EXPECT_EQ(question.text, ReplaceQuestion(folder.File(c.existing)));
    EXPECT_EQ(question.title, "Note");
    EXPECT_EQ(question.icon, MsgIcon::Exclamation);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  } else {
    EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  }
  if (*c.existing != '\0') {
    EXPECT_EQ(folder.Read(c.existing), "old");  // nothing is written yet
  }
}

// The dialog itself asks about a name as typed, so only a completed name
// that is another file's asks here.
INSTANTIATE_TEST_SUITE_P(
    Cases, SaveChoiceTest,
    testing::Values(
        ChoiceCase{"NoFileThere", "out1", "", MsgAnswer::No, "out1.txt", false},
        ChoiceCase{"ReplaceAnswerYes", "out1", "out1.txt", MsgAnswer::Yes, "out1.txt", true},
        ChoiceCase{"ReplaceAnswerNo", "out1", "out1.txt", MsgAnswer::No, "", true},
        ChoiceCase{"TypedNameExists", "out1.txt", "out1.txt", MsgAnswer::No, "out1.txt", false},
        ChoiceCase{"OtherExtension", "out1.csv", "out1.csv", MsgAnswer::No, "out1.csv", false},
        ChoiceCase{"FileWithoutExtensionBeside", "out1", "out1", MsgAnswer::No, "out1.txt", false},
        ChoiceCase{"Cancelled", "", "", MsgAnswer::Yes, "", false}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

struct CallerCase {
  const char* name;
  std::function<void(test::TestProgram&)> run;  // the command, with a document to save
  const char* typed;
  int filterIndex;
  const char* saved;  // the file that the command writes
};

void PrintTo(const CallerCase& c, std::ostream* os) { *os << c.name; }

class SaveCallerTest : public testing::TestWithParam<CallerCase> {};

RgbImage SmallPicture() { return RgbImage{4, 2, std::vector<std::uint8_t>(4 * 2 * 3, 90)}; }

// Regression: Output Data saved "out1" under (*.txt), and Save, Save As and
// its picture filter the same. Each writes the completed name, and a No to
// the replace question leaves the old file as it was.
TEST_P(SaveCallerTest, WritesTheCompletedNameAndKeepsAFileTheUserKeeps) {
  const CallerCase& c = GetParam();
  {
    test::TestProgram p;
    p.host.dialogs.Choose(p.folder.File(c.typed), c.filterIndex);
    c.run(p);
    EXPECT_TRUE(p.host.messages.Shown().empty()) << p.host.messages.Texts().front();
    EXPECT_NE(p.folder.Read(c.saved), "<missing>");
    EXPECT_EQ(p.folder.Read(c.typed), "<missing>");
  }
  test::TestProgram p;
  ASSERT_EQ(ReplaceFile(p.folder.File(c.saved), "old"), "");
  p.host.dialogs.Choose(p.folder.File(c.typed), c.filterIndex);
  p.host.messages.Script({MsgAnswer::No});
  c.run(p);
  EXPECT_EQ(p.host.messages.Texts(),
            std::vector<std::string>{ReplaceQuestion(p.folder.File(c.saved))});
  EXPECT_EQ(p.folder.Read(c.saved), "old");
}

void SaveDocument(test::TestProgram& p) {
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.commands.Save();
}

void SaveAs(test::TestProgram& p) {
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.picture = SmallPicture();
  p.commands.SaveAs();
}

void OutputData(test::TestProgram& p) {
  test::FillPanel(p.host.panel, kRegularSurface);
  DataFileCommands(p.workspace, p.host).Output();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SaveCallerTest,
    testing::Values(CallerCase{"Save", SaveDocument, "graphs", 1, "graphs.qrv"},
                    CallerCase{"SaveAsDocument", SaveAs, "graphs", 1, "graphs.qrv"},
                    CallerCase{"SaveAsPicture", SaveAs, "shot", 2, "shot.bmp"},
                    CallerCase{"OutputData", OutputData, "out1", 1, "out1.txt"}),
    [](const testing::TestParamInfo<CallerCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qv
