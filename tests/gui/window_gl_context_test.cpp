#include "platform/wx/window_gl_context.h"

#include <GL/gl.h>

#include <wx/frame.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/wx/wx_message_box.h"
#include "support/accumulation_probe.h"

namespace qv {
namespace {

// A shown frame holding one canvas of a fixed size.
class WindowGlContextTest : public testing::Test {
 protected:
  void SetUp() override {
    frame_ = new wxFrame(nullptr, wxID_ANY, "canvas");
    canvas_ = new GlCanvas(frame_, wxID_ANY, wxDefaultPosition, wxSize(64, 64));
    frame_->SetClientSize(64, 64);
    frame_->Show();
    for (int iTry = 0; iTry < 200 && !canvas_->IsShownOnScreen(); ++iTry) {
      wxYield();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    wxYield();
  }
  void TearDown() override { frame_->Destroy(); }

  wxFrame* frame_ = nullptr;
  GlCanvas* canvas_ = nullptr;
};

// On Mesa the window's accumulation averaged in sRGB (a half covered edge read
// 188) until the sRGB framebuffer extension was turned off before the first
// context: the edge must read 127 +/- 2 here as offscreen.
TEST_F(WindowGlContextTest, AccumulationAveragesTwoJitteredPassesLinearly) {
  ASSERT_TRUE(canvas_->HasAccumulation());
  WindowGlContext ctx(*canvas_);
  ASSERT_TRUE(ctx.MakeCurrent());
  ASSERT_GE(ctx.Width(), 64);
  GLint accumRed = 0;
  glGetIntegerv(GL_ACCUM_RED_BITS, &accumRed);
  EXPECT_GE(accumRed, 16);
  const test::AccumulationProbe probe = test::DrawAccumulationProbe(ctx.Width(), ctx.Height());
  const RgbaImage image = ctx.ReadPixels();
  EXPECT_NEAR(image.At(probe.edgeColumn, probe.row)[0], 127, 2);
  EXPECT_EQ(image.At(probe.interiorColumn, probe.row)[0], 0);
  EXPECT_EQ(image.At(probe.backgroundColumn, probe.row)[0], 255);
}

// The user's own setting must win over the program's defaults; an unset
// variable gets the default.
TEST(GlEnvironmentTest, SetsDefaultsAndKeepsWhatTheUserSet) {
  const char* before = getenv("GDK_BACKEND");
  const std::string saved = before != nullptr ? before : "";
  unsetenv("GDK_BACKEND");
  PrepareGlEnvironment();
  EXPECT_STREQ(getenv("GDK_BACKEND"), "x11");
  setenv("GDK_BACKEND", "wayland,x11", 1);
  PrepareGlEnvironment();
  EXPECT_STREQ(getenv("GDK_BACKEND"), "wayland,x11");
  if (before != nullptr) {
    setenv("GDK_BACKEND", saved.c_str(), 1);
  } else {
    unsetenv("GDK_BACKEND");
  }
}

// A closed box (the dialog returns Cancel) must count as the last button of a
// box without Cancel, or a Yes/No question would be read as neither.
TEST(WxMessageBoxTest, MapsDialogCodesToAnswers) {
  struct Case {
    int code;
    MsgButtons buttons;
    MsgAnswer answer;
  };
  for (const Case& c : {Case{wxID_OK, MsgButtons::OK, MsgAnswer::OK},
                        Case{wxID_CANCEL, MsgButtons::OK, MsgAnswer::OK},
                        Case{wxID_CANCEL, MsgButtons::OKCancel, MsgAnswer::Cancel},
                        Case{wxID_YES, MsgButtons::YesNo, MsgAnswer::Yes},
                        Case{wxID_CANCEL, MsgButtons::YesNo, MsgAnswer::No},
                        Case{wxID_NO, MsgButtons::YesNoCancel, MsgAnswer::No},
                        Case{wxID_CANCEL, MsgButtons::YesNoCancel, MsgAnswer::Cancel}}) {
    EXPECT_EQ(WxMessageBox::AnswerFor(c.code, c.buttons), c.answer) << c.code;
  }
  EXPECT_EQ(WxMessageBox::StyleFor(MsgIcon::Critical, MsgButtons::YesNoCancel),
            wxYES_NO | wxCANCEL | wxICON_ERROR);
}

}  // namespace
}  // namespace qv
