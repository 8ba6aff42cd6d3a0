// The few calls the documents make into the data set: its record, loading
// it from the panel and sheet, and triangulating its points. Kept in one
// place so the document code does not depend on the data set's details.
#pragma once

#include <string>

namespace qv {

class DataPanel;
class DocumentHost;
struct Workspace;

// The data-set record of the panel and sheet (no trailing blank).
std::string DataSetRecord(const Workspace& workspace, const DataPanel& panel);
// Rebuilds the data set from the host's panel and sheet, gridding irregular
// data by the workspace's gridding methods.
void LoadDataSet(Workspace& workspace, DocumentHost& host);
// Triangulates the data set's irregular surface points for Delaunay graphs.
void TriangulateDataSet(Workspace& workspace, DocumentHost& host);

}  // namespace qv
