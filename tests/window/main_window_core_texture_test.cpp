// The window's textures: made once for the graphs that show a file, however
// often the scene is built; looked for beside the open document; a missing
// one told once in the status bar; none left when the graphs or the
// drawing context go.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphs/graph.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"
#include "window/document_program.h"

namespace qv {
namespace {

class WindowTextureTest : public testing::Test {
 protected:
  WindowTextureTest() {
    program_.view.MakeContext(64, 64);
    EXPECT_TRUE(test::WriteBytes(temp_.File("wood.bmp"), test::BmpBytes(5, 3, [](int x, int y) {
                                   return test::Rgb8{static_cast<std::uint8_t>(40 * x),
                                                     static_cast<std::uint8_t>(60 * y), 90};
                                 })));
    FillSurface();
  }
  // A flat 4 x 4 regular surface.
  void FillSurface() {
    DataSet& d = program_.core.Shared().dataSet;
    d.RedimRegular3D(3, 3);
    d.StepsX(4);
    d.StepsY(4);
    for (Long i = 0; i < 4; ++i) {
      for (Long j = 0; j < 4; ++j) {
        d.Reg3DX(i, j, static_cast<double>(i));
        d.Reg3DY(i, j, static_cast<double>(j));
      }
    }
  }

  // A textured surface graph, added and checked in the list.
  void AddTexturedSurface(const std::string& texName) {
    Workspace& ws = program_.core.Shared();
    auto graph = std::make_shared<Graph>();
    graph->SetID(++ws.settings.NextGraphID);
    graph->GraphType = kSurfaceModel;
    graph->StepU = graph->StepV = 3;
    graph->Show = 3;
    graph->ShowTex = true;
    graph->TexMode = 1;
    graph->TexName = texName;
    ws.allGraphs.Items.Add(graph, CStr(graph->ID()));
    program_.core.AddListEntry("3D Surface Model");
    program_.core.SetListChecked(program_.core.List().ListCount() - 1, true);
  }

  // The texture objects alive in the drawing context.
  int TextureObjects() {
    EXPECT_TRUE(program_.view.context->MakeCurrent());
    int count = 0;
    for (GLuint name = 1; name <= 2000; ++name) count += glIsTexture(name) == GL_TRUE ? 1 : 0;
    return count;
  }

  test::TempFolder temp_;
  test::Program program_{temp_.Path()};
};

TEST_F(WindowTextureTest, HundredRebuildsKeepOneTextureObject) {
  program_.core.Shared().documentFolder = temp_.Path();
  AddTexturedSurface("wood.bmp");
  AddTexturedSurface("WOOD.bmp/../wood.bmp");
  const int before = TextureObjects();
  EXPECT_EQ(before, 1);
  for (int build = 0; build < 100; ++build) program_.core.BuildScene();
  EXPECT_EQ(TextureObjects(), before);
  EXPECT_TRUE(program_.view.statusTexts.empty());
  EXPECT_TRUE(program_.messages.Shown().empty());
}

TEST_F(WindowTextureTest, AMissingTextureIsToldOnceInTheStatusBar) {
  program_.core.Shared().documentFolder = temp_.Path();
  AddTexturedSurface("lost.jpg");
  for (int build = 0; build < 10; ++build) program_.core.BuildScene();
  ASSERT_EQ(program_.view.statusTexts.size(), 1u);
  EXPECT_NE(program_.view.statusTexts[0].find("\"lost.jpg\""), std::string::npos);
  EXPECT_TRUE(program_.messages.Shown().empty());
  EXPECT_EQ(TextureObjects(), 0);
}

TEST_F(WindowTextureTest, NoneIsLeftWhenTheGraphsOrTheContextGo) {
  program_.core.Shared().documentFolder = temp_.Path();
  AddTexturedSurface("wood.bmp");
  ASSERT_EQ(TextureObjects(), 1);
  program_.core.DeleteAllGraphs();
  EXPECT_EQ(TextureObjects(), 0);
  AddTexturedSurface("wood.bmp");
  ASSERT_EQ(TextureObjects(), 1);
  program_.core.ReleaseDrawingContext();
  EXPECT_EQ(TextureObjects(), 0);
}

// A relative name is taken in the folder of the document, which the open
// and the save set.
TEST_F(WindowTextureTest, ADocumentFindsItsTexturesInItsOwnFolder) {
  AddTexturedSurface("wood.bmp");
  EXPECT_EQ(TextureObjects(), 0);  // a new document looks in the working folder
  const std::string document = temp_.File("textured.qrv");
  program_.dialogs.Choose(document);
  ASSERT_TRUE(program_.files.Save());
  EXPECT_EQ(program_.core.Shared().documentFolder, temp_.Path());

  test::Program reader(temp_.Path());
  reader.view.MakeContext(64, 64);
  reader.core.OpenDocumentPath(document);
  ASSERT_EQ(reader.core.Shared().shownGraphs.Items.Count(), 1);
  EXPECT_TRUE(reader.view.statusTexts.empty());
  ASSERT_TRUE(reader.view.context->MakeCurrent());
  int count = 0;
  for (GLuint name = 1; name <= 2000; ++name) count += glIsTexture(name) == GL_TRUE ? 1 : 0;
  EXPECT_EQ(count, 1);
  reader.messages.Script({MsgAnswer::No});  // do not save
  reader.files.New3D();
  EXPECT_EQ(reader.core.Shared().documentFolder, "");
}

}  // namespace
}  // namespace qv
