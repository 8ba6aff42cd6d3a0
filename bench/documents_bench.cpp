// Opening and saving a full document: a sheet of 20000 rows (the most it
// holds) and 50 graphs of the common kinds with colour maps, contours and 4D
// slices. Reading covers the container, the tokens and the staging; writing
// covers the records, the writer's read-back check and the container. The
// file pair adds what File > Open and File > Save do around them: the file
// itself, loading the data set and filling the window (faked here), and the
// safe replacement of the file on disk.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <benchmark/benchmark.h>

#include "data/memory_data_panel.h"
#include "documents/document_container.h"
#include "documents/document_header.h"
#include "documents/document_host.h"
#include "documents/document_reader.h"
#include "documents/document_writer.h"
#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/workspace.h"
#include "platform/file_dialog.h"
#include "platform/file_replace.h"
#include "platform/long_work.h"
#include "platform/message_box.h"

// The scripted window of the document tests.
#include "documents/scripted_document_host.h"

namespace {

constexpr qv::Long kRowsU = 200;
constexpr qv::Long kRowsV = 100;  // 200 x 100 = 20000 sheet rows
constexpr qv::Long kGraphs = 50;

// A regular surface of 20000 nodes with values that need all their digits.
void FillPanel(qv::MemoryDataPanel& panel) {
  panel.SetKindIndex(qv::kRegularSurface);
  panel.SetText(1, std::to_string(kRowsU));
  panel.SetText(2, std::to_string(kRowsV));
  qv::Long row = 1;
  for (qv::Long i = 0; i < kRowsU; ++i) {
    for (qv::Long j = 0; j < kRowsV; ++j, ++row) {
      const double x = i * 0.05, y = j * 0.1;
      panel.SetRow(row, {qv::FormatDouble(x), qv::FormatDouble(y),
                         qv::FormatDouble(x * y / 3.0 + 0.125), qv::FormatDouble((x - y) / 7.0)});
    }
  }
}

void AddGraphs(qv::Workspace& workspace) {
  static constexpr qv::Long kinds[] = {qv::kSurfaceModel, qv::kContourPlot, qv::kColorMapGraph,
                                       qv::kGridModel, qv::kSlice4D};
  for (qv::Long n = 1; n <= kGraphs; ++n) {
    auto graph = std::make_shared<qv::Graph>();
    graph->SetID(n);
    graph->GraphType = kinds[n % 5];
    graph->NameS = "Graph number " + std::to_string(n);
    graph->StepU = kRowsU - 1;
    graph->StepV = kRowsV - 1;
    graph->ShowContour = n % 2 == 0;
    graph->ContourLevel = 0.25 * n;
    graph->ContourLevels = 10;
    graph->Slice4NumX = graph->Slice4NumY = graph->Slice4NumZ = 3;
    for (qv::Long s = 1; s <= 3; ++s) {
      graph->Slice4X(s) = graph->Slice4Y(s) = graph->Slice4Z(s) = s * 1.5;
      graph->SliceXContLevels(s) = graph->SliceYContLevels(s) = graph->SliceZContLevels(s) = 8;
    }
    workspace.allGraphs.Items.Add(graph, qv::CStr(n));
    workspace.shownGraphs.Items.Add(graph, qv::CStr(n));
  }
  workspace.settings.NextGraphID = kGraphs + 1;
}

struct FullDocument {
  qv::Workspace workspace;
  qv::MemoryDataPanel panel;
  FullDocument() {
    workspace.settings.ViewCode = qv::kViewCode3D;
    workspace.axisSystem.SetDefault();
    FillPanel(panel);
    AddGraphs(workspace);
  }
};

void BM_WriteDocument(benchmark::State& state) {
  FullDocument doc;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const qv::DocumentWriteResult written = qv::WriteDocumentText(doc.workspace, doc.panel);
    if (!written.ok) {
      state.SkipWithError(("not written: " + written.reason).c_str());
      break;
    }
    const std::string file = qv::EncodeContainer(written.text);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

// What telling whether the document changed costs: the text a save would
// write, without the read-back check, taken at every open, new and save and
// before each of their questions.
void BM_DocumentTextForChanges(benchmark::State& state) {
  FullDocument doc;
  for (auto _ : state) {
    const std::optional<std::string> text = qv::DocumentText(doc.workspace, doc.panel);
    if (!text) {
      state.SkipWithError("no text");
      break;
    }
    benchmark::DoNotOptimize(text->data());
  }
}
BENCHMARK(BM_DocumentTextForChanges)->Unit(benchmark::kMillisecond);

void BM_ReadDocument(benchmark::State& state) {
  FullDocument doc;
  const qv::DocumentWriteResult written = qv::WriteDocumentText(doc.workspace, doc.panel);
  if (!written.ok) {
    state.SkipWithError(("not written: " + written.reason).c_str());
    return;
  }
  const std::string file = qv::EncodeContainer(written.text);
  for (auto _ : state) {
    const qv::ContainerText value = qv::DecodeContainer(file);
    qv::StagedDocument staged;
    const qv::DocumentReadResult read = qv::ReadDocumentText(value.text, doc.workspace, staged);
    if (!read.ok || staged.graphs.size() != static_cast<std::size_t>(kGraphs) ||
        staged.data.cells.size() != static_cast<std::size_t>(kRowsU * kRowsV)) {
      state.SkipWithError(("not read back whole: " + read.reason).c_str());
      break;
    }
    benchmark::DoNotOptimize(staged.graphs.data());
  }
  state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

std::string ScratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (name + std::to_string(getpid()) + ".qrv"))
      .string();
}

void BM_SaveDocumentFile(benchmark::State& state) {
  FullDocument doc;
  const std::string path = ScratchFile("qv_bench_save_");
  for (auto _ : state) {
    const qv::DocumentWriteResult written = qv::WriteDocumentText(doc.workspace, doc.panel);
    const std::string failure =
        written.ok ? qv::ReplaceFile(path, qv::EncodeContainer(written.text)) : written.reason;
    if (!failure.empty()) {
      state.SkipWithError(("not saved: " + failure).c_str());
      break;
    }
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveDocumentFile)->Unit(benchmark::kMillisecond);

void BM_OpenDocumentFile(benchmark::State& state) {
  const std::string path = ScratchFile("qv_bench_open_");
  {
    FullDocument doc;
    const qv::DocumentWriteResult written = qv::WriteDocumentText(doc.workspace, doc.panel);
    if (!written.ok || !qv::ReplaceFile(path, qv::EncodeContainer(written.text)).empty()) {
      state.SkipWithError("the document could not be prepared");
      return;
    }
  }
  qv::Workspace workspace;
  qv::test::ScriptedDocumentHost host(workspace);
  qv::FileAssociation association(qv::AssociationPaths{}, "");
  qv::FileCommands commands(workspace, host, association);
  for (auto _ : state) {
    if (commands.OpenDocument(path) != qv::OpenOutcome::Opened ||
        workspace.shownGraphs.Items.Count() != kGraphs) {
      state.SkipWithError("the document did not open whole");
      break;
    }
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenDocumentFile)->Unit(benchmark::kMillisecond);

}  // namespace
