#include "data_set_bridge.h"

#include "documents/document_host.h"
#include "graphs/workspace.h"

namespace qv {

std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel) {
  return workspace.dataSet.Save(panel);
}

bool LoadDataSet(DataSet& data, DataPanel& panel, SharedSettings& settings, DocumentHost& host) {
  DataContext context{panel, settings, host.Messages(), host.Work()};
  return data.GetData(context);
}

}  // namespace qv
