#include "window/pass_plan.h"

#include <array>

namespace qv {

namespace {

constexpr std::array<AccumPass, 8> kEight = {{
    {-0.334818, 0.435331, 0.125},
    {0.286438, -0.393495, 0.125},
    {0.459462, 0.14154, 0.125},
    {-0.414498, -0.192829, 0.125},
    {-0.18379, 0.082102, 0.125},
    {-0.079263, -0.317383, 0.125},
    {0.102254, 0.299133, 0.125},
    {0.164216, -0.054399, 0.125},
}};

constexpr std::array<AccumPass, 2> kTwo = {{
    {0.24649, 0.249999, 0.5},
    {-0.24649, -0.249999, 0.5},
}};

}  // namespace

std::span<const AccumPass> EightPassPlan() { return kEight; }
std::span<const AccumPass> TwoPassPlan() { return kTwo; }

}  // namespace qv
