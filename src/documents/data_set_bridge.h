// The few calls the documents make into the data set: its record and loading
// it from a panel and sheet. Kept in one place
// so the document code does not depend on the data set's details.
#pragma once

#include <string>

#include "platform/runtime.h"

namespace qv {

class DataSet;
class DataPanel;
class LongWorkRunner;
class MessageBoxService;
struct SharedSettings;
struct Workspace;

// The data-set record of the panel and sheet (no trailing blank).
std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel);
// Fills data from panel, gridding irregular data by the gridding methods of
// settings, whose drawing scales it sets, by work; the data set's messages go
// to messages. A gridding that fails still loads the data, its nodes as the
// gridding left them. False when the data set refused the panel (it has then
// given its message) or the gridding was stopped (with no message).
bool LoadDataSet(DataSet& data, DataPanel& panel, SharedSettings& settings,
                 MessageBoxService& messages, LongWorkRunner& work);

}  // namespace qv
