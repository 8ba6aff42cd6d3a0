// What the sample documents are made of: a document built as the
// window's user builds one (a data kind, the panel's counts and bounds, the
// sheet's rows, graphs with their options, the axis titles), written with
// the program's own document writer.
//
// Every number that reaches a file is rounded to a few decimals and written
// by Fixed, so that the files do not depend on the last bit of the C
// library's sin, exp or sqrt; scattered points come from Sequence, whose
// numbers are the same on every machine.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/memory_data_panel.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"

namespace qv::samples {

// value rounded to decimals places (0..9), written without an exponent and
// without trailing zeros: 2.50 gives "2.5", -0.0004 at 3 places "0".
std::string Fixed(double value, int decimals);

// A fixed sequence of numbers in [0, 1): xorshift64* from the seed.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed == 0 ? 1 : seed) {}
  double Next();
  double In(double low, double high) { return low + (high - low) * Next(); }

 private:
  std::uint64_t state_;
};

// Packed colour R + 256 G + 65536 B.
constexpr Long Rgb(Long r, Long g, Long b) { return r + 256 * g + 65536 * b; }

class SampleDocument {
 public:
  // A new document of viewCode (kViewCode2D, 3D or 4D) with the axis
  // system's defaults, square scaling and the default gridding methods.
  explicit SampleDocument(Long viewCode);

  // The data kinds. Counts are nodes per axis (regular kinds) or the
  // grid's rows per axis (irregular kinds), bounds the grid's span.
  void RegularSurface(Long kind, Long count1, Long count2);
  void IrregularSurface(Long points, Long rows1, Long rows2, const std::array<double, 4>& bounds);
  void RegularVolume(Long count1, Long count2, Long count3);
  void IrregularVolume(Long points, Long rows1, Long rows2, Long rows3,
                       const std::array<double, 6>& bounds);

  // The next row of the sheet: a node (in the sheet's node order, the last
  // index fastest) or a point.
  void AddRow(double a, double b, double c, double d);

  // A new shown graph of kind over the whole data set, filled, titled name.
  Graph& AddGraph(Long kind, const std::string& name);
  // A surface kind coloured by the named colour map.
  static void UseColorMap(Graph& graph, const std::string& map);

  SharedSettings& Settings() { return workspace_.settings; }
  void SetTitles(const std::string& x, const std::string& y, const std::string& z);

  // Writes the document to path as File > Save does; "" or what failed.
  std::string Save(const std::string& path) const;

 private:
  void SetBox(int box, double value) { panel_.SetText(box, Fixed(value, 6)); }

  Workspace workspace_;
  MemoryDataPanel panel_;
  std::array<Long, 3> steps_{0, 0, 0};
  Long nextRow_ = 1;
  // The sheet's cells keep this many decimals.
  static constexpr int kDecimals = 3;
};

// The bytes of a 24-bit BMP picture of width x height pixels; pixel(x, y)
// gives the packed colour of column x, row y counted from the top.
std::string BmpPicture(int width, int height, const std::function<Long(int, int)>& pixel);

}  // namespace qv::samples
