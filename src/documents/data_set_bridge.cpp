#include "data_set_bridge.h"

#include <vector>

#include "documents/document_host.h"
#include "graphs/workspace.h"

namespace qv {

std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel) {
  return workspace.dataSet.Save(panel);
}

bool LoadDataSet(DataSet& data, DataPanel& panel, SharedSettings& settings, DocumentHost& host) {
  DataContext context{panel, settings, host.Messages(), host.Pump()};
  return data.GetData(context);
}

void TriangulateDataSet(DataSet& data, MessageBoxService& messages) {
  const Long n = data.Points();
  if (n < 1) return;
  // Positions 1..n hold the points; the triangulation needs room up to n + 3.
  std::vector<double> x(static_cast<std::size_t>(n) + 4, 0.0);
  std::vector<double> y(static_cast<std::size_t>(n) + 4, 0.0);
  try {
    for (Long k = 0; k < n; ++k) {
      x[static_cast<std::size_t>(k) + 1] = data.Irreg3DX(k);
      y[static_cast<std::size_t>(k) + 1] = data.Irreg3DY(k);
    }
  } catch (const RuntimeError&) {
    return;  // fewer points loaded than counted: nothing sound to triangulate
  }
  data.DelaunayTriCount(data.DelaunayTriangulate(n, x, y, messages));
}

}  // namespace qv
