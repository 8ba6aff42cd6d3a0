// The few calls the documents make into the data set: its record and loading
// it from a panel and sheet. Kept in one place
// so the document code does not depend on the data set's details.
#pragma once

#include <string>

#include "platform/runtime.h"

namespace qv {

class DataSet;
class DataPanel;
class DocumentHost;
struct SharedSettings;
struct Workspace;

// The data-set record of the panel and sheet (no trailing blank).
std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel);
// Fills data from panel, gridding irregular data by the gridding methods of
// settings, whose drawing scales it sets. Messages and the runner of the
// gridding are the host's. False when the data set refused the panel or could not grid it
// (it has then shown its message).
bool LoadDataSet(DataSet& data, DataPanel& panel, SharedSettings& settings, DocumentHost& host);

}  // namespace qv
