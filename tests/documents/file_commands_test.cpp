// The File commands against a scripted window: the questions and their
// answers, the dialogs with their titles and filters, SaveOK, and opening
// documents that must be refused without touching the open one.
#include "documents/file_commands.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "data/memory_data_panel.h"
#include "document_builder.h"
#include "documents/document_container.h"
#include "documents/document_header.h"
#include "platform/file_replace.h"
#include "platform/record_reader.h"

namespace qv {
namespace {

using test::TestProgram;

// The state a refused open or a cancelled command must leave as it was.
struct Snapshot {
  explicit Snapshot(TestProgram& p) {
    const Workspace& w = p.workspace;
    viewCode = w.settings.ViewCode;
    nextGraphID = w.settings.NextGraphID;
    scaleMode = w.settings.ScaleMode;
    gridMethod = w.settings.GridMethod;
    graphs = w.allGraphs.Items.Count();
    shown = w.shownGraphs.Items.Count();
    for (Long i = 1; i <= graphs; ++i) records += w.allGraphs.Items.Item(i)->Save(w.settings, 5);
    axis = w.axisSystem.Save();
    roll = w.shownGraphs.RotRoll;
    pitch = w.shownGraphs.RotPitch;
    yaw = w.shownGraphs.RotYaw;
    light0 = w.sceneLight.Position(0);
    kind = p.host.panel.KindIndex();
    for (int box = 1; box <= 10; ++box) boxes += p.host.panel.Text(box) + "|";
    for (Long row = 1; row <= 12; ++row) {
      for (Long column = 1; column <= 4; ++column) cells += p.host.panel.Cell(row, column) + "|";
    }
    listSize = p.host.list.size();
  }
  bool operator==(const Snapshot&) const = default;

  Long viewCode, nextGraphID, scaleMode, gridMethod, graphs, shown, kind;
  std::string records, axis, boxes, cells;
  double roll, pitch, yaw;
  float light0;
  std::size_t listSize;
};

void ExpectNew3DReset(const TestProgram& p, Long viewCode) {
  const Workspace& w = p.workspace;
  EXPECT_EQ(w.settings.ViewCode, viewCode);
  EXPECT_EQ(w.sceneLight.Position(0), 1000.0f);
  EXPECT_EQ(w.sceneLight.Position(1), 1000.0f);
  EXPECT_EQ(w.shownGraphs.RotRoll, 0.0);
  EXPECT_EQ(w.shownGraphs.RotPitch, -30.0);
  EXPECT_EQ(w.shownGraphs.RotYaw, 45.0);
  EXPECT_EQ(w.settings.NextGraphID, 0);
  EXPECT_TRUE(w.axisSystem.BetterFonts);
  EXPECT_EQ(w.axisSystem.LabelNumX, 2);  // SetDefault ran
  EXPECT_EQ(w.axisSystem.TitleX(), "X");
  EXPECT_EQ(p.host.axisFontResets, 1);
  ASSERT_FALSE(p.host.enabledViews.empty());
  EXPECT_EQ(p.host.enabledViews.back(), viewCode);
  EXPECT_GE(p.host.mouseModeClears, 1);
}

// New documents

TEST(FileNew, WithoutGraphsResetsAtOnceAndAsksNothing) {
  for (const Long viewCode : {kViewCode3D, kViewCode4D}) {
    TestProgram p;
    p.workspace.settings.ViewCode = kViewCode2D;
    p.workspace.axisSystem.LabelNumX = 9;
    p.workspace.axisSystem.BetterFonts = false;
    p.workspace.settings.NextGraphID = 12;
    viewCode == kViewCode3D ? p.commands.New3D() : p.commands.New4D();
    EXPECT_TRUE(p.host.messages.Shown().empty());
    ExpectNew3DReset(p, viewCode);
  }
}

struct NewAnswerCase {
  const char* name;
  MsgAnswer answer;
  std::function<void(TestProgram&)> dialog;  // scripts the save dialog
  bool graphsGone;
};

void PrintTo(const NewAnswerCase& c, std::ostream* os) { *os << c.name; }

class FileNew3DAnswerTest : public testing::TestWithParam<NewAnswerCase> {};

// Yes saves first: the graphs go only when the save happened. A cancelled
// save dialog or a failed write is no save, so the graphs stay.
TEST_P(FileNew3DAnswerTest, DiscardsTheGraphsOnlyWhenSavedOrNotWanted) {
  const NewAnswerCase& c = GetParam();
  TestProgram p;
  test::BuildDocument(p, kViewCode2D, kRegularSurface);
  p.host.messages.Script({c.answer});
  c.dialog(p);
  const Snapshot before(p);
  p.commands.New3D();
  ASSERT_GE(p.host.messages.Shown().size(), 1u);
  const auto& question = p.host.messages.Shown().front();
  EXPECT_EQ(question.text, "Save changes to the file?");
  EXPECT_EQ(question.title, "Note");
  EXPECT_EQ(question.icon, MsgIcon::Exclamation);
  EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
  if (c.graphsGone) {
    EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 0);
    EXPECT_TRUE(p.host.list.empty());
    ExpectNew3DReset(p, kViewCode3D);
    EXPECT_FALSE(p.commands.SaveOK());
  } else {
    EXPECT_TRUE(Snapshot(p) == before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FileNew3DAnswerTest,
    testing::Values(
        NewAnswerCase{"YesAndSaved", MsgAnswer::Yes,
                      [](TestProgram& p) { p.host.dialogs.Choose(p.folder.File("a.qrv")); }, true},
        NewAnswerCase{"YesButDialogCancelled", MsgAnswer::Yes,
                      [](TestProgram& p) { p.host.dialogs.Cancel(); }, false},
        NewAnswerCase{
            "YesButWriteFailed", MsgAnswer::Yes,
            [](TestProgram& p) { p.host.dialogs.Choose(p.folder.File("no such folder/a.qrv")); },
            false},
        NewAnswerCase{"No", MsgAnswer::No, [](TestProgram&) {}, true},
        NewAnswerCase{"Cancel", MsgAnswer::Cancel, [](TestProgram&) {}, false}),
    [](const testing::TestParamInfo<NewAnswerCase>& info) { return info.param.name; });

// New 2D turns the view flat whatever the answer; Cancel keeps the graphs
// and the next ID.
TEST(FileNew, TwoDCancelKeepsTheGraphsInAFlatView) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::Cancel});
  p.commands.New2D();
  const Workspace& w = p.workspace;
  EXPECT_EQ(p.host.isoViews, 1);
  EXPECT_EQ(w.settings.ViewCode, kViewCode2D);
  EXPECT_EQ(w.sceneLight.Position(0), 0.0f);
  EXPECT_EQ(w.sceneLight.Position(1), 0.0f);
  EXPECT_EQ(w.shownGraphs.RotPitch, 0.0);
  EXPECT_EQ(w.shownGraphs.RotYaw, 0.0);
  EXPECT_EQ(p.host.enabledViews.back(), kViewCode2D);
  EXPECT_EQ(w.allGraphs.Items.Count(), 14);
  EXPECT_EQ(w.settings.NextGraphID, 40);
  EXPECT_EQ(w.axisSystem.LabelNumX, 4);  // no SetDefault in 2D
  EXPECT_EQ(p.host.axisFontResets, 0);   // nor new fonts for the graphs kept
}

TEST(FileNew, TwoDNoDiscardsTheGraphsAndRestartsTheIDs) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::No});
  p.commands.New2D();
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 0);
  EXPECT_EQ(p.workspace.settings.NextGraphID, 0);
  EXPECT_TRUE(p.workspace.axisSystem.BetterFonts);
  EXPECT_EQ(p.host.axisFontResets, 1);
}

TEST(FileNew, TwoDYesWithACancelledSaveKeepsTheGraphs) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::Yes});
  p.host.dialogs.Cancel();
  p.commands.New2D();
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 14);
  EXPECT_EQ(p.workspace.settings.NextGraphID, 40);
}

// The questions protect unsaved work only.

// A document saved (or opened) as it is now; the change, if any, comes after.
enum class Change { None, GraphOption, SheetCell, AxisTitle };

struct UnmodifiedCase {
  const char* name;
  Change change;
  std::function<void(TestProgram&)> command;
  bool asked;
};

void PrintTo(const UnmodifiedCase& c, std::ostream* os) { *os << c.name; }

class UnmodifiedDocumentTest : public testing::TestWithParam<UnmodifiedCase> {};

TEST_P(UnmodifiedDocumentTest, AsksOnlyAfterAChange) {
  const UnmodifiedCase& c = GetParam();
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  EXPECT_TRUE(p.commands.Modified());  // never saved
  const std::string path = p.folder.File("doc.qrv");
  p.host.dialogs.Choose(path);
  ASSERT_TRUE(p.commands.Save());
  // Reopened, it is the document just saved: still unmodified.
  ASSERT_EQ(p.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_FALSE(p.commands.Modified());
  switch (c.change) {
    case Change::None: break;
    case Change::GraphOption:
      static_cast<Graph&>(*p.workspace.allGraphs.Items.Item(2)).FirstColor += 1;
      break;
    case Change::SheetCell: p.host.panel.SetCell(2, 3, "0.125"); break;
    case Change::AxisTitle: p.workspace.axisSystem.SetTitleY("Depth"); break;
  }
  EXPECT_EQ(p.commands.Modified(), c.change != Change::None);
  p.host.messages.Clear();
  p.host.dialogs.Cancel();
  c.command(p);
  EXPECT_EQ(p.host.messages.Shown().size(), c.asked ? 1u : 0u);
  if (!c.asked) {
    EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 0) << "went as after No";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UnmodifiedDocumentTest,
    testing::Values(
        UnmodifiedCase{"New3D", Change::None, [](TestProgram& p) { p.commands.New3D(); }, false},
        UnmodifiedCase{"New4D", Change::None, [](TestProgram& p) { p.commands.New4D(); }, false},
        // The flat view New 2D turns to first is no change of the user's.
        UnmodifiedCase{"New2D", Change::None, [](TestProgram& p) { p.commands.New2D(); }, false},
        UnmodifiedCase{"New3DAfterAGraphChange", Change::GraphOption,
                       [](TestProgram& p) { p.commands.New3D(); }, true},
        UnmodifiedCase{"New2DAfterASheetChange", Change::SheetCell,
                       [](TestProgram& p) { p.commands.New2D(); }, true},
        UnmodifiedCase{"OpenAfterAnAxisChange", Change::AxisTitle,
                       [](TestProgram& p) { p.commands.Open(); }, true}),
    [](const testing::TestParamInfo<UnmodifiedCase>& info) { return info.param.name; });

// Open

TEST(FileOpen, WithoutShownGraphsAsksNothingAndShowsTheOpenDialog) {
  TestProgram p;
  p.host.dialogs.Cancel();
  const Snapshot before(p);
  p.commands.Open();
  EXPECT_TRUE(p.host.messages.Shown().empty());
  ASSERT_EQ(p.host.dialogs.Shown().size(), 1u);
  const auto& shown = p.host.dialogs.Shown().front();
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.request.title, "Open File");
  EXPECT_EQ(shown.request.filter, "(*.qrv)|*.qrv");
  EXPECT_EQ(shown.request.filterIndex, 1);
  EXPECT_EQ(shown.request.fileName, "");
  EXPECT_EQ(p.host.mouseModeClears, 1);
  EXPECT_TRUE(Snapshot(p) == before);  // the cancelled dialog opened nothing
}

TEST(FileOpen, WithShownGraphsCancelStopsBeforeTheDialog) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::Cancel});
  p.commands.Open();
  ASSERT_EQ(p.host.messages.Shown().size(), 1u);
  EXPECT_EQ(p.host.messages.Shown().front().text, "Do you want to save the graphs?");
  EXPECT_TRUE(p.host.dialogs.Shown().empty());
}

// A save the user asked for that did not happen must not lose the graphs.
TEST(FileOpen, YesWithACancelledSaveOpensNothing) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::Yes});
  p.host.dialogs.Cancel();
  p.commands.Open();
  ASSERT_EQ(p.host.dialogs.Shown().size(), 1u);
  EXPECT_TRUE(p.host.dialogs.Shown().front().save);
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 14);
}

TEST(FileOpen, YesSavesThenShowsTheOpenDialog) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::Yes});
  const std::string path = p.folder.File("saved.qrv");
  p.host.dialogs.Choose(path);
  p.host.dialogs.Choose(path);
  p.commands.Open();
  ASSERT_EQ(p.host.dialogs.Shown().size(), 2u);
  EXPECT_TRUE(p.host.dialogs.Shown()[0].save);
  EXPECT_FALSE(p.host.dialogs.Shown()[1].save);
  // The document just saved is opened again: the shown graphs only.
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 13);
}

TEST(FileOpen, NoOpensTheChosenDocument) {
  TestProgram source;
  test::BuildDocument(source, kViewCode4D, kRegularVolume);
  const std::string path = source.folder.File("four.qrv");
  source.host.dialogs.Choose(path);
  ASSERT_TRUE(source.commands.Save());

  TestProgram p;
  test::BuildDocument(p, kViewCode2D, kRegularSurface);
  p.host.messages.Script({MsgAnswer::No});
  p.host.dialogs.Choose(path);
  p.commands.Open();
  EXPECT_EQ(p.workspace.settings.ViewCode, kViewCode4D);
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 13);
  EXPECT_EQ(p.workspace.shownGraphs.RotPitch, -30.0);
  EXPECT_FALSE(p.host.useCurQuat);
  EXPECT_EQ(p.host.sheetHeaders, (std::array<std::string, 5>{"Index", "X", "Y", "Z", "V"}));
}

// Save

TEST(FileSave, WithoutGraphsWritesNothingAndSucceeds) {
  TestProgram p;
  EXPECT_TRUE(p.commands.Save());
  EXPECT_TRUE(p.commands.SaveOK());
  EXPECT_TRUE(p.host.dialogs.Shown().empty());
}

TEST(FileSave, ShowsTheSaveDialogAndWritesTheShownGraphs) {
  TestProgram p;
  test::BuildDocument(p, kViewCode2D, kRegularSurface);
  const std::string path = p.folder.File("doc.qrv");
  p.host.dialogs.Choose(path);
  EXPECT_TRUE(p.commands.Save());
  ASSERT_EQ(p.host.dialogs.Shown().size(), 1u);
  const auto& shown = p.host.dialogs.Shown().front();
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.request.title, "Save");
  EXPECT_EQ(shown.request.filter, "(*.qrv)|*.qrv");
  EXPECT_EQ(shown.request.fileName, "");
  const std::string text = test::DocumentTextOf(path);
  EXPECT_TRUE(text.starts_with("D52 13 1 3 2 ")) << text.substr(0, 20);
}

// The association is written again by every save, even one that wrote no
// file.
TEST(FileSave, RewritesTheFileAssociation) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.commands.WriteFileAssociation();
  const std::string entry = p.folder.File("applications/quorvel.desktop");
  ASSERT_TRUE(std::filesystem::exists(entry));
  std::filesystem::remove(entry);
  p.host.dialogs.Cancel();
  EXPECT_FALSE(p.commands.Save());
  EXPECT_TRUE(std::filesystem::exists(entry));
}

TEST(FileSave, WithNoGraphCheckedWritesACountOfZero) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.workspace.shownGraphs.Items.Clear();
  const std::string path = p.folder.File("none.qrv");
  p.host.dialogs.Choose(path);
  ASSERT_TRUE(p.commands.Save());
  const auto tokens = SplitRecord(test::DocumentTextOf(path));
  ASSERT_GT(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], "D41");
  EXPECT_EQ(tokens[1], "0");
  TestProgram opened;
  ASSERT_EQ(opened.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_EQ(opened.workspace.allGraphs.Items.Count(), 0);
  EXPECT_EQ(opened.host.panel.Cell(6, 4), p.host.panel.Cell(6, 4));
}

struct RefusedSaveCase {
  const char* name;
  std::function<void(TestProgram&)> spoil;
  const char* message;  // a part of the message shown
  bool dialogShown;
  const char* file = "kept.qrv";  // the name chosen in the dialog
  // Done to the old file, after it is written (nullptr: nothing).
  void (*prepareFile)(const std::string& path) = nullptr;
};

void PrintTo(const RefusedSaveCase& c, std::ostream* os) { *os << c.name; }

class FileSaveRefusedTest : public testing::TestWithParam<RefusedSaveCase> {};

// Each is reported, SaveOK is False, and an existing file stays as it was.
TEST_P(FileSaveRefusedTest, ReportsAndLeavesTheFileAlone) {
  const RefusedSaveCase& c = GetParam();
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  c.spoil(p);
  const std::string path = p.folder.File("kept.qrv");
  ASSERT_EQ(ReplaceFile(path, "old bytes"), "");
  if (c.prepareFile != nullptr) c.prepareFile(path);
  p.host.dialogs.Choose(p.folder.File(c.file));
  EXPECT_FALSE(p.commands.Save());
  EXPECT_FALSE(p.commands.SaveOK());
  ASSERT_EQ(p.host.messages.Shown().size(), 1u);
  EXPECT_EQ(p.host.messages.Shown().front().title, "Error");
  EXPECT_NE(p.host.messages.Texts().front().find(c.message), std::string::npos)
      << p.host.messages.Texts().front();
  EXPECT_EQ(p.host.dialogs.Shown().size(), c.dialogShown ? 1u : 0u);
  // A failed write names the file it was for.
  if (!c.dialogShown) {
    EXPECT_TRUE(p.host.messages.Texts().front().starts_with("The document could not be saved: "))
        << p.host.messages.Texts().front();
  } else {
    EXPECT_TRUE(p.host.messages.Texts().front().starts_with(
        "The document \"" + p.folder.File(c.file) + "\" could not be saved: "))
        << p.host.messages.Texts().front();
  }
  EXPECT_EQ(ReadWholeFile(path), "old bytes");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileSaveRefusedTest,
    testing::Values(
        RefusedSaveCase{"UnknownViewCode",
                        [](TestProgram& p) { p.workspace.settings.ViewCode = 5; },
                        "view kind is unknown", false},
        RefusedSaveCase{"FractionalRowCount",
                        [](TestProgram& p) { p.host.panel.SetText(1, "2.5"); },
                        "not a whole number", false},
        RefusedSaveCase{"NegativeRowCount", [](TestProgram& p) { p.host.panel.SetText(2, "-2"); },
                        "negative", false},
        RefusedSaveCase{"SheetBeyond20000Rows",
                        [](TestProgram& p) { p.host.panel.SetText(1, "20001"); }, "20000", false},
        RefusedSaveCase{"DataSetWouldRefuseIt",
                        [](TestProgram& p) {
                          test::FillPanel(p.host.panel, kIrregularSurface);
                          p.host.panel.SetText(3, "3");
                        },
                        "(the number of points must larger than 3)", false},
        // The saved document must open again.
        RefusedSaveCase{
            "CellBeyond1000Characters",
            [](TestProgram& p) { p.host.panel.SetCell(2, 3, "0." + std::string(1000, '1')); },
            "a sheet cell holds more than 1000 characters", false},
        RefusedSaveCase{"NoSuchFolder", [](TestProgram&) {}, "the folder does not exist", true,
                        "missing/kept.qrv"},
        // Refused whoever runs the program, root included.
        RefusedSaveCase{
            "ReadOnlyFile", [](TestProgram&) {}, "the file is read-only", true, "kept.qrv",
            [](const std::string& path) { ASSERT_EQ(::chmod(path.c_str(), 0444), 0); }}),
    [](const testing::TestParamInfo<RefusedSaveCase>& info) { return info.param.name; });

TEST(FileSave, ACancelledDialogIsNoSave) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.dialogs.Cancel();
  EXPECT_FALSE(p.commands.Save());
  EXPECT_TRUE(p.host.messages.Shown().empty());
}

// Save As

TEST(FileSaveAs, FirstFilterWritesTheDocumentEvenWithoutGraphs) {
  TestProgram p;
  test::FillPanel(p.host.panel, kRegularSurface);
  const std::string path = p.folder.File("empty.qrv");
  p.host.dialogs.Choose(path, 1);
  p.commands.SaveAs();
  ASSERT_EQ(p.host.dialogs.Shown().size(), 1u);
  const auto& shown = p.host.dialogs.Shown().front();
  EXPECT_EQ(shown.request.title, "Save As");
  EXPECT_EQ(shown.request.filter, "*.qrv|*.qrv|*.bmp|*.bmp");
  EXPECT_EQ(p.host.captures, 1);
  EXPECT_TRUE(test::DocumentTextOf(path).starts_with("D41 0 1 3 2 "));
}

TEST(FileSaveAs, ACancelledDialogWritesNothing) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  p.host.dialogs.Cancel();
  p.commands.SaveAs();
  EXPECT_TRUE(std::filesystem::is_empty(p.folder.Path()));
  EXPECT_TRUE(p.host.messages.Shown().empty());
}

RgbImage Picture(int width, int height) {
  RgbImage image{width, height,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (std::size_t i = 0; i < image.rgb.size(); ++i)
    image.rgb[i] = static_cast<std::uint8_t>(i * 7);
  return image;
}

// What an image viewer reads from the file: "<width>x<height>".
std::string DecodedSize(const std::string& path) {
  const std::string command = "identify -format '%wx%h' '" + path + "' 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "<no identify>";
  char buffer[64] = {};
  const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
  ::pclose(pipe);
  return std::string(buffer, n);
}

// The picture decodes to the drawing area's size: the widths that the row
// padding once had to be worked around (4k + 1 and 4k + 3) included.
TEST(FileSaveAs, SecondFilterWritesAPictureOfTheDrawingAreasSize) {
  if (std::system("command -v identify >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ImageMagick identify is missing";
  for (const auto& [width, height] :
       {std::pair{301, 7}, std::pair{303, 5}, std::pair{300, 2}, std::pair{1, 1}}) {
    TestProgram p;
    p.host.picture = Picture(width, height);
    const std::string path = p.folder.File("scene.bmp");
    p.host.dialogs.Choose(path, 2);
    p.commands.SaveAs();
    EXPECT_TRUE(p.host.messages.Shown().empty());
    EXPECT_EQ(DecodedSize(path), CStr(width) + "x" + CStr(height));
  }
}

// Pictures are saved through the same safe replacement as documents.
TEST(FileSaveAs, APictureOverAReadOnlyFileIsRefusedNamingIt) {
  TestProgram p;
  p.host.picture = Picture(4, 4);
  const std::string path = p.folder.File("scene.bmp");
  ASSERT_EQ(ReplaceFile(path, "old picture"), "");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  p.host.dialogs.Choose(path, 2);
  p.commands.SaveAs();
  EXPECT_EQ(p.host.messages.Texts(),
            std::vector<std::string>{"The picture \"" + path +
                                     "\" could not be saved: the file is read-only."});
  EXPECT_EQ(ReadWholeFile(path), "old picture");
}

TEST(FileSaveAs, AnEmptyDrawingAreaIsReportedAndWritesNoPicture) {
  TestProgram p;
  const std::string path = p.folder.File("scene.bmp");
  p.host.dialogs.Choose(path, 2);
  p.commands.SaveAs();
  ASSERT_EQ(p.host.messages.Shown().size(), 1u);
  EXPECT_NE(p.host.messages.Texts().front().find("empty"), std::string::npos);
  EXPECT_FALSE(ReadWholeFile(path).has_value());
}

TEST(FileExit, ClosesTheMainWindow) {
  TestProgram p;
  p.commands.Exit();
  EXPECT_EQ(p.host.closes, 1);
}

// Opening documents that must be refused

// A sound document of two graphs, as text, to spoil token by token.
std::vector<std::string> SoundTokens(TestProgram& p) {
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  while (p.workspace.shownGraphs.Items.Count() > 2) p.workspace.shownGraphs.Items.Remove(3);
  const std::string path = p.folder.File("sound.qrv");
  p.host.dialogs.Choose(path);
  EXPECT_TRUE(p.commands.Save());
  return SplitRecord(test::DocumentTextOf(path));
}

std::string Join(const std::vector<std::string>& tokens) {
  std::string text;
  for (std::size_t iT = 0; iT < tokens.size(); ++iT) text += (iT ? " " : "") + tokens[iT];
  return text;
}

// Token positions of the sound document: header, count, the data set of a
// 3 x 2 surface (kind code, two counts, 24 cells), then the records.
constexpr std::size_t kCountToken = 1;
constexpr std::size_t kRowsToken = 3;
constexpr std::size_t kFirstCellToken = 5;
constexpr std::size_t kFirstRecord = 29;

struct DamagedFile {
  const char* name;
  // Makes the file's bytes from the sound document's tokens.
  std::function<std::string(std::vector<std::string>, TestProgram&)> bytes;
  const char* reason;  // a part of the message
};

void PrintTo(const DamagedFile& c, std::ostream* os) { *os << c.name; }

std::string Container(const std::vector<std::string>& tokens) {
  return EncodeContainer(Join(tokens));
}

// The token after the first record's title, its LineColor.
std::size_t FirstLineColor(const std::vector<std::string>& t) {
  std::size_t iT = kFirstRecord + 2;
  while (t[iT].empty() || t[iT].back() != '@') ++iT;
  return iT + 1;
}

const std::vector<DamagedFile>& DamagedFiles() {
  static const std::vector<DamagedFile> cases{
      {"TruncatedContainer",
       [](auto t, auto&) {
         const std::string b = Container(t);
         return b.substr(0, b.size() / 2);
       },
       "cut short"},
      {"TruncatedText",
       [](auto t, auto&) {
         t.resize(kFirstRecord + 20);
         return EncodeContainer(Join(t));
       },
       "cut short"},
      {"WrongValueType",
       [](auto t, auto&) {
         std::string b = Container(t);
         b[0] = 3;
         return b;
       },
       "no document text"},
      {"TwoBytes", [](auto, auto&) { return std::string("\x08\x00", 2); }, "too short"},
      {"WrongHeader",
       [](auto t, auto&) {
         t[0] = "D61";
         return Container(t);
       },
       "not a document"},
      {"TextFile", [](auto, auto&) { return std::string("R3 2 2\r\n1 2 3\r\n"); },
       "no document text"},
      {"HugeGraphCount",
       [](auto t, auto&) {
         t[kCountToken] = "99999999";
         return Container(t);
       },
       "graph count is too large"},
      {"NegativeGraphCount",
       [](auto t, auto&) {
         t[kCountToken] = "-2";
         return Container(t);
       },
       "graph count is negative"},
      {"HugeRowCount",
       [](auto t, auto&) {
         t[kRowsToken] = "30000";
         return Container(t);
       },
       "more than 20000 rows"},
      {"NegativeRowCount",
       [](auto t, auto&) {
         t[kRowsToken] = "-3";
         return Container(t);
       },
       "row count is negative"},
      {"FractionalRowCount",
       [](auto t, auto&) {
         t[kRowsToken] = "2.5";
         return Container(t);
       },
       "not a whole number"},
      {"InfiniteCell",
       [](auto t, auto&) {
         t[kFirstCellToken + 2] = "1e999";
         return Container(t);
       },
       "sheet cell holds a number out of range"},
      {"InfiniteLineColor",
       [](auto t, auto&) {
         t[FirstLineColor(t)] = "-1e999";
         return Container(t);
       },
       "graph 1 holds a number out of range"},
      {"DuplicateIDs",
       [](auto t, auto& p) {
         const std::size_t second =
             kFirstRecord + SplitRecord(p.workspace.shownGraphs.Items.Item(1)->Save(
                                            p.workspace.settings, t[0][1] - '0'))
                                .size();
         t[second + 1] = t[kFirstRecord + 1];
         return Container(t);
       },
       "two graphs have the ID 1"},
      {"IDAtTheTopOfTheRange",
       [](auto t, auto&) {
         t[kFirstRecord + 1] = "2147483647";
         return Container(t);
       },
       "ID is out of range"},
      {"TooManyItems",
       [](auto t, auto&) {
         t.resize(500001, "0");
         return Container(t);
       },
       "more than 500000 items"},
      // Long texts hold no number and would cost the sheet seconds and memory.
      {"TenMegabyteCell",
       [](auto t, auto&) {
         t[kFirstCellToken + 1] = "0." + std::string(10'000'000, '5');
         return Container(t);
       },
       "a sheet cell holds more than 1000 characters"},
      {"CellOf1001Characters",
       [](auto t, auto&) {
         t[kFirstCellToken] = "0." + std::string(999, '5');
         return Container(t);
       },
       "a sheet cell holds more than 1000 characters"},
      {"LongPanelBox",
       [](auto t, auto&) {
         t[kRowsToken] = std::string(1000, '0') + "3";
         return Container(t);
       },
       "a box of the data panel holds more than 1000 characters"},
      {"LongGraphItem",
       [](auto t, auto&) {
         t[FirstLineColor(t)] = std::string(1000, '0') + "7";
         return Container(t);
       },
       "an item holds more than 1000 characters"},
  };
  return cases;
}

class DamagedFileTest : public testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedFileTest, IsRefusedWithAMessageAndChangesNothing) {
  TestProgram source;
  const std::vector<std::string> tokens = SoundTokens(source);
  ASSERT_EQ(tokens[kFirstRecord], CStr(kSurfaceModel));
  const std::string path = source.folder.File("damaged.qrv");
  ASSERT_EQ(ReplaceFile(path, GetParam().bytes(tokens, source)), "");

  TestProgram p;
  test::BuildDocument(p, kViewCode2D, kIrregularVolume);
  const Snapshot before(p);
  EXPECT_EQ(p.commands.OpenDocument(path), OpenOutcome::Refused);
  ASSERT_EQ(p.host.messages.Shown().size(), 1u);
  EXPECT_EQ(p.host.messages.Shown().front().title, "Error");
  const std::string message = p.host.messages.Texts().front();
  EXPECT_TRUE(message.starts_with("The document \"" + path + "\" could not be opened: "))
      << message;
  EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
  EXPECT_TRUE(Snapshot(p) == before);
  EXPECT_EQ(p.host.deleteAlls, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedFileTest, testing::ValuesIn(DamagedFiles()),
                         [](const testing::TestParamInfo<DamagedFile>& info) {
                           return info.param.name;
                         });

// Paths that hold no document file. Each must be refused at once: a pipe
// once hung the program for ever, and a link to /dev/zero or a large sparse
// file was read for seconds, gigabytes deep, before it was refused.
struct HostilePath {
  const char* name;
  // Makes the path in the folder and returns it.
  std::string (*make)(const test::TempFolder& folder);
  const char* reason;  // the end of the message
  bool unreadable = false;
};

void PrintTo(const HostilePath& c, std::ostream* os) { *os << c.name; }

const std::vector<HostilePath>& HostilePaths() {
  static const std::vector<HostilePath> cases{
      {"NamedPipe",
       [](const test::TempFolder& f) {
         const std::string path = f.File("pipe.qrv");
         EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
         return path;
       },
       "it is not a regular file."},
      {"LinkToDevZero",
       [](const test::TempFolder& f) {
         const std::string path = f.File("zero.qrv");
         EXPECT_EQ(::symlink("/dev/zero", path.c_str()), 0);
         return path;
       },
       "it is not a regular file."},
      {"SparseTwoGigabytes",
       [](const test::TempFolder& f) {
         const std::string path = f.File("sparse.qrv");
         const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
         EXPECT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
         ::close(fd);
         return path;
       },
       "the file is larger than any document can be."},
      {"Folder",
       [](const test::TempFolder& f) {
         const std::string path = f.File("folder.qrv");
         EXPECT_EQ(::mkdir(path.c_str(), 0700), 0);
         return path;
       },
       "it is a folder."},
      {"Unreadable",
       [](const test::TempFolder& f) {
         const std::string path = f.File("secret.qrv");
         EXPECT_EQ(ReplaceFile(path, EncodeContainer("D41 0")), "");
         EXPECT_EQ(::chmod(path.c_str(), 0), 0);
         return path;
       },
       "the file could not be read (Permission denied).", true},
      {"Missing", [](const test::TempFolder& f) { return f.File("missing.qrv"); },
       "the file does not exist."},
      {"LinkToNothing",
       [](const test::TempFolder& f) {
         const std::string path = f.File("dangling.qrv");
         EXPECT_EQ(::symlink("nothing-here.qrv", path.c_str()), 0);
         return path;
       },
       "the file does not exist."},
  };
  return cases;
}

// Runs the open in a child process and reads back "<outcome><unchanged>"
// and the messages; nullopt when the child took longer than the time limit
// (it is then killed: the test fails instead of hanging).
std::optional<std::string> OpenInChild(TestProgram& p, const std::string& path, bool asOtherUser) {
  constexpr int kTimeLimitMs = 3000;
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return std::nullopt;
  const Snapshot before(p);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    // Root reads any file: the unreadable case runs as nobody.
    if (asOtherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const OpenOutcome outcome = p.commands.OpenDocument(path);
    std::string report;
    report += outcome == OpenOutcome::Refused ? 'R' : 'O';
    report += Snapshot(p) == before ? 'U' : 'C';
    for (const std::string& text : p.host.messages.Texts()) report += text + "\n";
    const bool written =
        ::write(pipeEnds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  std::string report;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeLimitMs);
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd waiting{pipeEnds[0], POLLIN, 0};
    if (left.count() <= 0 || ::poll(&waiting, 1, static_cast<int>(left.count())) == 0) {
      timedOut = true;
      break;
    }
    char buffer[4096];
    const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    report.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeEnds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (timedOut) return std::nullopt;
  return report;
}

class HostilePathTest : public testing::TestWithParam<HostilePath> {};

TEST_P(HostilePathTest, IsRefusedAtOnceWithAMessageNamingTheFile) {
  const HostilePath& c = GetParam();
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  const bool asOtherUser = c.unreadable && ::geteuid() == 0;
  // The other user must reach the file through the folder.
  if (asOtherUser) {
    ASSERT_EQ(::chmod(p.folder.Path().c_str(), 0711), 0);
  }
  const std::string path = c.make(p.folder);
  const std::optional<std::string> report = OpenInChild(p, path, asOtherUser);
  ASSERT_TRUE(report.has_value()) << "opening took longer than the time limit";
  ASSERT_GE(report->size(), 2u);
  EXPECT_EQ(report->substr(0, 2), "RU") << "refused, and nothing changed";
  EXPECT_EQ(report->substr(2),
            "The document \"" + path + "\" could not be opened: " + c.reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, HostilePathTest, testing::ValuesIn(HostilePaths()),
                         [](const testing::TestParamInfo<HostilePath>& info) {
                           return info.param.name;
                         });

// Messages hold Windows-1252 text; the path is UTF-8 and is converted, a
// character the messages cannot hold shown as "?".
TEST(OpenDocument, TheMessageNamesAPathOfAnyCharacters) {
  TestProgram p;
  EXPECT_EQ(p.commands.OpenDocument(p.folder.File("caf\xC3\xA9 \xE6\xBC\xA2 \xFF.qrv")),
            OpenOutcome::Refused);
  EXPECT_EQ(p.host.messages.Texts(),
            std::vector<std::string>{"The document \"" + p.folder.File("caf\xE9 ? ?.qrv") +
                                     "\" could not be opened: the file does not exist."});
}

// The longest cell text a document may hold opens like any other.
// Documents do not carry the light: it must not stay where the document
// open before (a New 2D, say) left it, or a 3D document is lit from the eye.
TEST(OpenDocument, PlacesTheLightForItsViewKindAsNewDoes) {
  struct Case {
    Long viewCode;
    Long kind;
    float lightAt;
  };
  for (const Case c :
       {Case{kViewCode3D, kRegularSurface, 1000.0f}, Case{kViewCode2D, kRegularSurface, 0.0f},
        Case{kViewCode4D, kRegularVolume, 1000.0f}}) {
    TestProgram source;
    test::BuildDocument(source, c.viewCode, c.kind);
    const std::string path = source.folder.File("lit.qrv");
    source.host.dialogs.Choose(path);
    ASSERT_TRUE(source.commands.Save());
    TestProgram p;
    p.workspace.sceneLight.Position(0) = 123.0f;
    p.workspace.sceneLight.Position(1) = -7.0f;
    ASSERT_EQ(p.commands.OpenDocument(path), OpenOutcome::Opened);
    EXPECT_EQ(p.workspace.sceneLight.Position(0), c.lightAt) << c.viewCode;
    EXPECT_EQ(p.workspace.sceneLight.Position(1), c.lightAt) << c.viewCode;
  }
}

TEST(OpenDocument, ACellOf1000CharactersOpens) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  const std::string cell = "0." + std::string(998, '5');
  p.host.panel.SetCell(2, 3, cell);
  const std::string path = p.folder.File("long cell.qrv");
  p.host.dialogs.Choose(path);
  ASSERT_TRUE(p.commands.Save());
  TestProgram opened;
  EXPECT_EQ(opened.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_EQ(opened.host.panel.Cell(2, 3), cell);
}

// A document the reader accepts but whose data the data set's own checks
// refuse: one message, why nothing was opened (no second box after the data
// set's own).
TEST(OpenDocument, RefusesADataSetThatItsChecksRefuse) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  const std::string path = p.folder.File("three points.qrv");
  ASSERT_EQ(ReplaceFile(
                path, EncodeContainer("D41 0 0 3 5 5 0 1 0 1 0 0 1 1 1 0 2 2 0 1 3 3 0 1 1 1 1 1")),
            "");
  const Snapshot before(p);
  EXPECT_EQ(p.commands.OpenDocument(path), OpenOutcome::Refused);
  EXPECT_EQ(p.host.messages.Texts(),
            (std::vector<std::string>{
                "The document \"" + path +
                "\" could not be opened: the number of points must larger than 3."}));
  EXPECT_TRUE(Snapshot(p) == before);
}

// Irregular data that its gridding method cannot grid: the user's own data.
struct UngriddableCase {
  const char* name;
  Long method;
  Long points;      // sheet rows of distinct points; 0 keeps the builder's five
  bool coincident;  // the first two points at one place
  // The gridding's one message, in its own words (then the triangulation's,
  // for the Delaunay graph over coincident points).
  std::vector<std::string> messages;
};

void PrintTo(const UngriddableCase& c, std::ostream* os) { *os << c.name; }

class OpenUngriddableTest : public testing::TestWithParam<UngriddableCase> {};

// Such a document opens as it was stored, says once why its data has no
// grid, and saves back to the same bytes.
TEST_P(OpenUngriddableTest, OpensWithTheGriddingsMessageAndSavesTheSameBytes) {
  const UngriddableCase& c = GetParam();
  TestProgram source;
  test::BuildDocument(source, kViewCode3D, kIrregularSurface);
  source.workspace.settings.GridMethod = c.method;
  MemoryDataPanel& panel = source.host.panel;
  if (c.points > 0) {
    panel.SetText(3, CStr(c.points));
    for (Long row = 1; row <= c.points; ++row) {
      panel.SetRow(row, {CStr(row % 100), CStr(row / 100), CStr(row % 7), "0"});
    }
  }
  if (c.coincident) panel.SetRow(2, {panel.Cell(1, 1), panel.Cell(1, 2), "9", "0"});
  const std::string path = source.folder.File("ungriddable.qrv");
  source.host.dialogs.Choose(path);
  ASSERT_TRUE(source.commands.Save());

  TestProgram p;
  ASSERT_EQ(p.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_EQ(p.host.messages.Texts(), c.messages);
  EXPECT_EQ(p.workspace.settings.GridMethod, c.method);
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 13);
  const DataSet& data = p.workspace.dataSet;
  EXPECT_EQ(data.Points(), c.points > 0 ? c.points : 5);
  // No node could be gridded: each holds 0 (the quadratic fit's zero
  // coefficients give 0 too).
  for (Long i = 0; i < data.StepsX(); ++i) {
    for (Long j = 0; j < data.StepsY(); ++j) EXPECT_EQ(data.Reg3DZ(i, j), 0.0);
  }
  const std::string again = p.folder.File("again.qrv");
  p.host.dialogs.Choose(again);
  ASSERT_TRUE(p.commands.Save());
  const FileBytes saved = ReadRegularFile(path, 1 << 24);
  ASSERT_TRUE(saved.Ok());
  EXPECT_EQ(ReadRegularFile(again, 1 << 24).bytes, saved.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, OpenUngriddableTest,
    testing::Values(
        UngriddableCase{"QuadraticFitOfFivePoints",
                        5,
                        0,
                        false,
                        {"Can not generate a regular data grid, please try another method."}},
        UngriddableCase{
            "SingularRadialBasisSystem",
            3,
            0,
            true,
            {"Can not solve the linear eqution group.", "INCIRCUM - F - Points are coincident !!"}},
        UngriddableCase{"ThinPlateOverMoreThan7500Points",
                        4,
                        7501,
                        false,
                        {"Can not generate a regular data grid, please try another method.\n"
                         "The multiquadric and thin-plate methods grid at most 7500 points."}}),
    [](const testing::TestParamInfo<UngriddableCase>& info) { return info.param.name; });

// A cancelled dialog (no path) is silent; an empty file, or a container
// holding an empty text, was chosen by the user and is refused with a reason.
TEST(OpenDocument, AnEmptyFileIsRefusedAndNoPathChangesNothing) {
  TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  const Snapshot before(p);
  EXPECT_EQ(p.commands.OpenDocument(""), OpenOutcome::Unchanged);
  EXPECT_TRUE(p.host.messages.Shown().empty());
  for (const std::string& bytes : {std::string(), EncodeContainer("")}) {
    const std::string path = p.folder.File("empty.qrv");
    ASSERT_EQ(ReplaceFile(path, bytes), "");
    p.host.messages.Clear();
    EXPECT_EQ(p.commands.OpenDocument(path), OpenOutcome::Refused);
    EXPECT_EQ(p.host.messages.Texts(),
              (std::vector<std::string>{"The document \"" + path +
                                        "\" could not be opened: the file is empty."}));
    EXPECT_TRUE(Snapshot(p) == before);
  }
}

// The triangles follow any Delaunay graph of the document, not only a last
// one; a document without one leaves the fresh data set untriangulated.
TEST(OpenDocument, TriangulatesWheneverTheDocumentHoldsADelaunayGraph) {
  for (const bool withDelaunay : {true, false}) {
    TestProgram source;
    test::BuildDocument(source, kViewCode3D, kIrregularSurface);
    if (!withDelaunay) source.workspace.shownGraphs.Items.Remove(CStr(9));
    ASSERT_NE(
        static_cast<const Graph&>(*source.workspace.shownGraphs.Items.Item(Long{1})).GraphType,
        kDelaunayGraph);
    const std::string path = source.folder.File("tri.qrv");
    source.host.dialogs.Choose(path);
    ASSERT_TRUE(source.commands.Save());

    TestProgram p;
    ASSERT_EQ(p.commands.OpenDocument(path), OpenOutcome::Opened);
    if (withDelaunay) {
      EXPECT_GT(p.workspace.dataSet.DelaunayTriCount(), 0);
    } else {
      EXPECT_EQ(p.workspace.dataSet.DelaunayTriCount(), 0);
    }
  }
}

TEST(OpenDocument, ListsEveryGraphAndFitsOnTheFirstCheck) {
  TestProgram source;
  test::BuildDocument(source, kViewCode4D, kRegularVolume);
  const std::string path = source.folder.File("list.qrv");
  source.host.dialogs.Choose(path);
  ASSERT_TRUE(source.commands.Save());
  TestProgram p;
  ASSERT_EQ(p.commands.OpenDocument(path), OpenOutcome::Opened);
  ASSERT_EQ(p.host.list.size(), 13u);
  EXPECT_EQ(p.host.list[0].caption, "3D Surface Model");
  // A 4D point keeps a caption, with the position its record carries.
  EXPECT_EQ(p.host.list[1].caption, "Point  x=471.75, y=471.875, z=472");
  EXPECT_EQ(p.host.list[2].caption, "Color Map  ");
  EXPECT_EQ(p.host.list[12].caption, "4D IsoSurface ");
  EXPECT_EQ(p.host.fits, 1);
  EXPECT_FALSE(p.host.fitPending);
  EXPECT_EQ(p.host.redraws, (std::vector<bool>{false, true}));
  // The next new graph cannot take an ID in use.
  EXPECT_EQ(p.workspace.settings.NextGraphID, 14);
}

// Start-up

TEST(OpenAtStartUp, AFailingCommandLineIsReportedAndStartsANew3DDocument) {
  TestProgram p;
  p.workspace.settings.ViewCode = kViewCode2D;
  p.commands.OpenAtStartUp(p.folder.File("not there.qrv"));
  ASSERT_EQ(p.host.messages.Shown().size(), 1u);
  ExpectNew3DReset(p, kViewCode3D);
}

TEST(OpenAtStartUp, WithoutACommandLineStartsANew3DDocument) {
  TestProgram p;
  p.commands.OpenAtStartUp("");
  EXPECT_TRUE(p.host.messages.Shown().empty());
  ExpectNew3DReset(p, kViewCode3D);
}

TEST(OpenAtStartUp, OpensTheDocumentOfTheCommandLine) {
  TestProgram source;
  test::BuildDocument(source, kViewCode2D, kRegularSurface);
  const std::string path = source.folder.File("two words.qrv");
  source.host.dialogs.Choose(path);
  ASSERT_TRUE(source.commands.Save());
  const std::string firstWord = path.substr(0, path.find(' '));
  const char* argv[] = {"quorvel", firstWord.c_str(), "words.qrv"};
  const std::string joined = CommandLinePath(3, argv);
  EXPECT_EQ(joined, path);
  TestProgram p;
  p.commands.OpenAtStartUp(joined);
  EXPECT_EQ(p.workspace.settings.ViewCode, kViewCode2D);
  EXPECT_EQ(p.workspace.allGraphs.Items.Count(), 13);
}

TEST(CommandLinePath, JoinsTheArgumentsWithSingleBlanks) {
  const char* none[] = {"quorvel"};
  EXPECT_EQ(CommandLinePath(1, none), "");
  const char* one[] = {"quorvel", "/tmp/a.qrv"};
  EXPECT_EQ(CommandLinePath(2, one), "/tmp/a.qrv");
}

}  // namespace
}  // namespace qv
