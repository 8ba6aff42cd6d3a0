// A data set with the panel, settings, message boxes and long-work runner it reads,
// for the data-set suites.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/data_set.h"
#include "data/memory_data_panel.h"
#include "platform/shared_settings.h"
#include "support/scripted_message_box.h"
#include "support/scripted_work_runner.h"

namespace qv::test {

struct DataBench {
  MemoryDataPanel panel;
  SharedSettings settings;
  ScriptedMessageBox messages;
  ScriptedWorkRunner work;
  DataContext context{panel, settings, messages, work};
  DataSet data;

  bool Load() { return data.GetData(context); }

  // Sets the boxes 1..10 (empty texts are left as they are).
  void Boxes(const std::vector<std::string>& texts) {
    for (std::size_t b = 0; b < texts.size(); ++b) {
      if (!texts[b].empty()) panel.SetText(static_cast<int>(b + 1), texts[b]);
    }
  }
  // An irregular surface of kind with the grid nodes per axis and the grid
  // span (first axis lo..hi, second axis lo..hi), for points.size() points
  // of four cells each.
  void IrregularSurface(Long kind, int nodesU, int nodesV, double lowU, double highU, double lowV,
                        double highV, const std::vector<std::array<double, 4>>& points) {
    panel.SetKindIndex(kind);
    panel.SetText(3, std::to_string(points.size()));
    const bool cylindrical = kind == kIrregularCylindrical;
    panel.SetText(4, std::to_string(nodesU));
    panel.SetText(cylindrical ? 10 : 7, std::to_string(nodesV));
    panel.SetText(1, FormatDouble(lowU));
    panel.SetText(2, FormatDouble(highU));
    panel.SetText(cylindrical ? 8 : 5, FormatDouble(lowV));
    panel.SetText(cylindrical ? 9 : 6, FormatDouble(highV));
    PointRows(points);
  }
  // Writes one sheet row per point, from row 1.
  void PointRows(const std::vector<std::array<double, 4>>& points) {
    for (std::size_t n = 0; n < points.size(); ++n) {
      const std::array<double, 4>& p = points[n];
      panel.SetRow(static_cast<Long>(n + 1), {FormatDouble(p[0]), FormatDouble(p[1]),
                                              FormatDouble(p[2]), FormatDouble(p[3])});
    }
  }
};

}  // namespace qv::test
