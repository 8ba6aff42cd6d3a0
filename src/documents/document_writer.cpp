#include "documents/document_writer.h"

#include <algorithm>

#include "data/data_panel.h"
#include "data/grid_input_validation.h"
#include "data/memory_data_panel.h"
#include "data/number_text.h"
#include "data_set_bridge.h"
#include "documents/document_header.h"
#include "documents/document_reader.h"
#include "graphs/graph_record.h"
#include "graphs/workspace.h"
#include "platform/message_text.h"

namespace qv {
namespace {

std::string ScaleText(const SharedSettings& settings) {
  std::string text = CStr(settings.ScaleMode);
  for (const double ratio :
       {settings.ScaleRatioX, settings.ScaleRatioY, settings.ScaleRatioZ, settings.ZoomZ}) {
    text += " " + NormalizedNumText(FormatDouble(ratio));
  }
  return text;
}

// The message with which the data set would refuse the staged data, "" when
// it passes.
std::string DataSetRefusal(const StagedDataSet& data) {
  MemoryDataPanel panel;
  FillDataPanel(data, panel);
  std::string message;
  if (ValidateGridInput(panel, message)) return "";
  return InnerSentence(message);
}

}  // namespace

std::optional<std::string> DocumentText(const Workspace& workspace, const DataPanel& panel) {
  // Format 4 unless a graph holds what it would lose; then every record of
  // the document takes the newer layout its header names.
  const Long format = std::max(kClassicRecordFormat, workspace.shownGraphs.RecordFormat());
  const auto header = HeaderToken(workspace.settings.ViewCode, static_cast<int>(format));
  if (!header) return std::nullopt;
  std::string text = *header + " ";
  text += CStr(workspace.shownGraphs.Items.Count()) + " ";
  text += workspace.shownGraphs.Save(DataSetRecord(workspace, panel), workspace.settings, format);
  text += workspace.axisSystem.Save();
  text += ScaleText(workspace.settings);
  return text;
}

DocumentWriteResult WriteDocumentText(const Workspace& workspace, const DataPanel& panel) {
  DocumentWriteResult result;
  std::optional<std::string> built = DocumentText(workspace, panel);
  if (!built) {
    result.reason = "its view kind is unknown";
    return result;
  }
  std::string& text = *built;
  // Read the text back before anything is written: a document the reader
  // refuses could never be opened again.
  StagedDocument check;
  const DocumentReadResult read = ReadDocumentText(text, workspace, check);
  if (!read.ok) {
    result.reason = read.reason;
    return result;
  }
  // Opening loads the data set through its own checks too.
  const std::string refusal = DataSetRefusal(check.data);
  if (!refusal.empty()) {
    result.reason = "its data set is refused (" + refusal + ")";
    return result;
  }
  result.ok = true;
  result.text = std::move(text);
  return result;
}

}  // namespace qv
