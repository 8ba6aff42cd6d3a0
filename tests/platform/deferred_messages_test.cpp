#include "platform/deferred_messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/long_work.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

TEST(DeferredMessages, KeepsEveryMessageUntilShownThroughTheTarget) {
  DeferredMessages kept;
  EXPECT_EQ(kept.Show("first", "Note", MsgIcon::None, MsgButtons::OK), MsgAnswer::OK);
  // Questions cannot wait for an answer: they get OK.
  EXPECT_EQ(kept.Show("second?", "Note", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::OK);
  std::thread other([&] { kept.Show("third", "Error", MsgIcon::Exclamation, MsgButtons::OK); });
  other.join();
  test::ScriptedMessageBox target;
  EXPECT_TRUE(target.Shown().empty());
  kept.ShowThrough(target);
  EXPECT_EQ(target.Texts(), (std::vector<std::string>{"first", "second?", "third"}));
  ASSERT_EQ(target.Shown().size(), 3U);
  EXPECT_EQ(target.Shown()[2].title, "Error");
  EXPECT_TRUE(kept.Empty());
  kept.ShowThrough(target);  // shown once only
  EXPECT_EQ(target.Shown().size(), 3U);
}

TEST(DeferredMessages, ForgottenMessagesAreNeverShown) {
  DeferredMessages kept;
  kept.Show("stopped", "Note", MsgIcon::None, MsgButtons::OK);
  kept.Forget();
  test::ScriptedMessageBox target;
  kept.ShowThrough(target);
  EXPECT_TRUE(target.Shown().empty());
}

TEST(ImmediateWorkRunner, ShowsTheMessagesAfterTheWorkAndTellsHowItEnded) {
  ImmediateWorkRunner runner;
  test::ScriptedMessageBox target;
  bool sawNothingYet = false;
  const WorkEnd failed = runner.Run(
      [&](WorkMonitor& monitor, MessageBoxService& messages) {
        EXPECT_FALSE(monitor.StopRequested());
        messages.Show("one", "Note", MsgIcon::None, MsgButtons::OK);
        messages.Show("two", "Note", MsgIcon::None, MsgButtons::OK);
        sawNothingYet = target.Shown().empty();
        return false;
      },
      target);
  EXPECT_EQ(failed, WorkEnd::Failed);
  EXPECT_TRUE(sawNothingYet);
  EXPECT_EQ(target.Texts(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(runner.Run([](WorkMonitor&, MessageBoxService&) { return true; }, target),
            WorkEnd::Done);
}

TEST(ImmediateWorkRunner, WorkThatThrowsShowsItsMessagesFirst) {
  ImmediateWorkRunner runner;
  test::ScriptedMessageBox target;
  EXPECT_THROW(runner.Run(
                   [](WorkMonitor&, MessageBoxService& messages) -> bool {
                     messages.Show("before", "Note", MsgIcon::None, MsgButtons::OK);
                     throw std::runtime_error("out of memory");
                   },
                   target),
               std::runtime_error);
  EXPECT_EQ(target.Texts(), std::vector<std::string>{"before"});
}

}  // namespace
}  // namespace qv
