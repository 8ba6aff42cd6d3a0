// The graph list of the real main window, run under a display (xvfb-run -a
// ./bench_window_wx, GDK_BACKEND=x11): File > Open of a document of many
// point graphs, with the list box filled and the picture drawn, the same for
// more graphs than a document holds, and one click on a check box of that
// list. The window is the program's own, with silent message boxes. Built
// with the other benchmarks; ctest does not run it.
#include <wx/app.h>
#include <wx/checklst.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "many_graphs_document.h"
#include "no_dialogs.h"
#include "platform/gl_context.h"
#include "silent_messages.h"
#include "window/wx/main_frame.h"

namespace {

// The started main window with a document of n point graphs beside it (none
// when n is past what a document holds).
class ManyGraphsFrame {
 public:
  explicit ManyGraphsFrame(qv::Long n, bool withDocument = true)
      : count_(n), withDocument_(withDocument) {
    if (withDocument) {
      path_ = qv::bench::WriteManyPointGraphs(n, &whyNot_);
      if (path_.empty()) whyNot_ = "the document could not be written: " + whyNot_;
    }
    char pattern[] = "/tmp/qv-bench-wx-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      // Without its own folder the window's data home would lie under "/".
      whyNot_ = std::string("no scratch folder: ") + std::strerror(errno);
      return;
    }
    folder_ = pattern;
    qv::MainFrameOptions options;
    options.messages = &messages_;
    options.fileDialogs = &dialogs_;
    options.dataHome = folder_ + "/data";
    options.size = wxSize(1000, 700);
    frame_ = new qv::MainFrame(options);
    frame_->Start("");
    wxYield();
  }
  ~ManyGraphsFrame() {
    // The silent box answers the save question with OK: nothing is saved.
    if (frame_ != nullptr) {
      frame_->Close(true);
      wxYield();
    }
    if (!path_.empty()) std::filesystem::remove(path_);
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  ManyGraphsFrame(const ManyGraphsFrame&) = delete;
  ManyGraphsFrame& operator=(const ManyGraphsFrame&) = delete;

  // The window is up, with its document when one was asked for.
  bool Ready() const { return frame_ != nullptr && (!withDocument_ || !path_.empty()); }
  const std::string& WhyNot() const { return whyNot_; }

  // Opens the document as File > Open does and lets the window handle what
  // that queued (sizes, paints); true when every graph is listed and checked.
  bool Open() {
    frame_->Core().OpenDocumentPath(path_);
    wxYield();
    return Whole();
  }

  // The window's side of opening the n graphs, past what a document holds:
  // what File > Open does after the file is read.
  bool Load() {
    qv::MainWindowCore& core = frame_->Core();
    qv::bench::LoadPointGraphs(core, core.Shared(), count_);
    frame_->ModelsChanged();
    wxYield();
    return Whole();
  }

  // Every graph listed, checked and shown.
  bool Whole() {
    wxCheckListBox* list = frame_->GraphListBox();
    return list->GetCount() == static_cast<unsigned>(count_) &&
           list->IsChecked(static_cast<unsigned>(count_ - 1)) &&
           frame_->Core().Shared().shownGraphs.Items.Count() == count_;
  }

  // The user's click on entry's check box.
  void Click(unsigned entry) {
    wxCheckListBox* list = frame_->GraphListBox();
    list->Check(entry, !list->IsChecked(entry));
    wxCommandEvent event(wxEVT_CHECKLISTBOX, list->GetId());
    event.SetInt(static_cast<int>(entry));
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
    wxYield();
  }

  qv::MainFrame& Frame() { return *frame_; }
  qv::Long Count() const { return count_; }

 private:
  qv::Long count_;
  bool withDocument_;
  std::string whyNot_;
  std::string path_;
  std::string folder_;
  qv::bench::SilentMessages messages_;
  qv::bench::NoDialogs dialogs_;
  qv::MainFrame* frame_ = nullptr;
};

void BM_WxOpenManyGraphs(benchmark::State& state) {
  ManyGraphsFrame window(state.range(0));
  if (!window.Ready()) {
    state.SkipWithError(window.WhyNot().c_str());
    return;
  }
  for (auto _ : state) {
    if (!window.Open()) {
      state.SkipWithError("the document did not open whole");
      break;
    }
  }
}
BENCHMARK(BM_WxOpenManyGraphs)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The window's side of opening n graphs: the list box filled and checked,
// the scene built and drawn.
void BM_WxLoadManyGraphs(benchmark::State& state) {
  ManyGraphsFrame window(state.range(0), false);
  if (!window.Ready()) {
    state.SkipWithError(window.WhyNot().c_str());
    return;
  }
  for (auto _ : state) {
    if (!window.Load()) {
      state.SkipWithError("the graphs did not load whole");
      break;
    }
  }
}
BENCHMARK(BM_WxLoadManyGraphs)->Arg(10000)->Unit(benchmark::kMillisecond);

// One click with one other graph shown (the rest unchecked after loading).
void BM_WxCheckOneOfManyGraphs(benchmark::State& state) {
  ManyGraphsFrame window(state.range(0), false);
  if (!window.Ready()) {
    state.SkipWithError(window.WhyNot().c_str());
    return;
  }
  if (!window.Load()) {
    state.SkipWithError("the graphs did not load whole");
    return;
  }
  const qv::Long n = window.Count();
  qv::MainWindowCore& core = window.Frame().Core();
  for (qv::Long i = 0; i < n; ++i) {
    if (i != 7) core.List().SetSelected(i, false);
  }
  core.OnGraphListCheck();
  window.Frame().ModelsChanged();
  const auto entry = static_cast<unsigned>(n / 2);
  for (auto _ : state) window.Click(entry);
  if (core.Shared().shownGraphs.Items.Count() > 2)
    state.SkipWithError("the shown graphs do not follow the check boxes");
}
BENCHMARK(BM_WxCheckOneOfManyGraphs)->Arg(10000)->Unit(benchmark::kMillisecond);

// One click with every graph shown: the scene build of all of them comes with it.
void BM_WxCheckOneOfManyShownGraphs(benchmark::State& state) {
  ManyGraphsFrame window(state.range(0), false);
  if (!window.Ready()) {
    state.SkipWithError(window.WhyNot().c_str());
    return;
  }
  if (!window.Load()) {
    state.SkipWithError("the graphs did not load whole");
    return;
  }
  const auto entry = static_cast<unsigned>(window.Count() / 2);
  for (auto _ : state) window.Click(entry);
}
BENCHMARK(BM_WxCheckOneOfManyShownGraphs)->Arg(10000)->Unit(benchmark::kMillisecond);

class BenchApp : public wxApp {
 public:
  BenchApp(int argc, char** argv) : argc_(argc), argv_(argv) {}
  // wxApp::OnInit would parse the command line, which the benchmark library reads.
  bool OnInit() override { return true; }
  int OnRun() override {
    benchmark::Initialize(&argc_, argv_);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
  }

 private:
  int argc_;
  char** argv_;
};

}  // namespace

int main(int argc, char** argv) {
  qv::PrepareGlEnvironment();
  qv::PrepareToolkitEnvironment();
  wxApp::SetInstance(new BenchApp(argc, argv));
  int toolkitArgc = 1;
  return wxEntry(toolkitArgc, argv);
}
