// A graph's steps against the nodes of a data set.
#include "graphs/graph_steps.h"

#include <gtest/gtest.h>

#include <cctype>

#include "graphs/graph_kinds.h"

namespace qv {
namespace {

// A data set of 11 x 6 surface nodes and 3 x 4 x 5 volume nodes, its arrays
// one row larger than its counts as loading makes them.
DataSet TwoGrids() {
  DataSet data;
  data.StepsX(11);
  data.StepsY(6);
  data.RedimRegular3D(11, 6);
  return data;
}

DataSet Volume() {
  DataSet data;
  data.StepsX(3);
  data.StepsY(4);
  data.StepsZ(5);
  data.RedimRegular4D(3, 4, 5);
  return data;
}

struct StepCase {
  const char* name;
  Long kind;
  Long stepU, stepV, stepH;
  bool volumeData;
  const char* problem;  // nullptr: the steps fit
};

class StepsTest : public testing::TestWithParam<StepCase> {};

TEST_P(StepsTest, StepsFitTheNodesOrSayWhichDoesNot) {
  const StepCase& c = GetParam();
  GraphOptions g;
  g.GraphType = c.kind;
  g.StepU = c.stepU;
  g.StepV = c.stepV;
  g.StepH = c.stepH;
  const DataSet data = c.volumeData ? Volume() : TwoGrids();
  const std::optional<std::string> problem = StepsOutsideData(g, data);
  if (c.problem == nullptr) {
    EXPECT_FALSE(problem) << *problem;
  } else {
    EXPECT_EQ(problem.value_or("fits"), c.problem);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StepsTest,
    testing::Values(
        StepCase{"surface at its last nodes", kSurfaceModel, 10, 5, 0, false, nullptr},
        StepCase{"surface one past the first axis", kSurfaceModel, 11, 5, 0, false,
                 "StepU is 11, but the data set's grid has 11 nodes along its first axis"},
        StepCase{"contour plot past the second axis", kContourPlot, 3, 6, 0, false,
                 "StepV is 6, but the data set's grid has 6 nodes along its second axis"},
        StepCase{"a negative step", kGridModel, -1, 2, 0, false,
                 "StepU is -1, but the data set's grid has 11 nodes along its first axis"},
        StepCase{"surface without surface data", kVertexModel, 1, 1, 0, true,
                 "StepU is 1, but the data set's grid has 0 nodes along its first axis"},
        StepCase{"volume at its last nodes", kSlice4D, 2, 3, 4, true, nullptr},
        StepCase{"volume past the third axis", kScatter4D, 2, 3, 5, true,
                 "StepH is 5, but the data set's grid has 5 nodes along its third axis"},
        StepCase{"points read no grid", kPointGraph, 99, 99, 99, false, nullptr},
        StepCase{"triangles read no grid", kDelaunayGraph, -5, 99, 0, false, nullptr},
        StepCase{"an unknown kind reads no grid", 99, 99, 99, 0, false, nullptr}),
    [](const testing::TestParamInfo<StepCase>& info) {
      std::string name;
      for (const char* p = info.param.name; *p != '\0'; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      return name;
    });

}  // namespace
}  // namespace qv
