// Checks the data panel before the data set, the text output or the gridded
// output use it.
#pragma once

#include <string>

#include "data/data_panel.h"

namespace qv {

// Checks the panel boxes of the selected kind and the sheet cells they cover,
// returning at the first failure with message set to its text:
//   1. irregular kinds: the point count (cleaned as a whole number) must parse
//      and exceed 3: "The number of points must larger than 3.";
//   2. each node count must parse and be at least 1: "The number of Rows X
//      must larger than 0." (Rows Y, and Rows Z for volumes);
//   3. each bound box must clean as a real number, and each cell of the rows
//      in use (columns 1..4) must read as a number (ReadCellNumber), else
//      "Illegal data exist."; so must a sheet that would need more rows than
//      the sheet holds.
// Each count and bound box gets its cleaned text written back. Returns true
// and leaves message unchanged when everything passes (or no kind is chosen).
bool ValidateGridInput(DataPanel& panel, std::string& message);

}  // namespace qv
