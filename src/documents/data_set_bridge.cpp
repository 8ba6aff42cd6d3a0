#include "data_set_bridge.h"

#include "graphs/workspace.h"

namespace qv {

std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel) {
  return workspace.dataSet.Save(panel);
}

bool LoadDataSet(DataSet& data, DataPanel& panel, SharedSettings& settings,
                 MessageBoxService& messages, LongWorkRunner& work) {
  DataContext context{panel, settings, messages, work};
  return data.GetData(context, FailedGrid::Keep);
}

}  // namespace qv
