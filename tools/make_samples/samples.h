// The Demo menu's sample documents: one maker per file, each filling a new
// document of its view kind, and the analytic fields they are made from.
#pragma once

#include <array>
#include <cmath>
#include <span>
#include <string>

#include "data/data_panel.h"
#include "sample_document.h"

namespace qv::samples {

struct SampleMaker {
  const char* file;  // the name in the samples folder
  Long viewCode;
  void (*make)(SampleDocument&);
};

// Every document, in the Demo menu's order.
std::span<const SampleMaker> SampleMakers();
std::span<const SampleMaker> SampleMakers3D();
std::span<const SampleMaker> SampleMakers2D4D();

// The image the textured sample wears, beside the documents.
inline constexpr const char* kWoodTexture = "wood.bmp";
std::string WoodTextureBytes();

// A regular nx x ny grid of field over the given spans, coloured by height.
template <typename Field>
void TypeGrid2D(SampleDocument& doc, Long nx, Long ny, const std::array<double, 4>& span,
                Field field) {
  doc.RegularSurface(kRegularSurface, nx, ny);
  for (Long i = 0; i < nx; ++i) {
    for (Long j = 0; j < ny; ++j) {
      const double x = span[0] + (span[1] - span[0]) * i / (nx - 1);
      const double y = span[2] + (span[3] - span[2]) * j / (ny - 1);
      const double z = field(x, y);
      doc.AddRow(x, y, z, z);
    }
  }
}

inline constexpr double kPi = 3.14159265358979;

// Three hills and two pits over -3..3 x -3..3, heights about -6.5..8.
inline double Peaks(double x, double y) {
  return 3 * (1 - x) * (1 - x) * std::exp(-x * x - (y + 1) * (y + 1)) -
         10 * (x / 5 - x * x * x - std::pow(y, 5)) * std::exp(-x * x - y * y) -
         std::exp(-(x + 1) * (x + 1) - y * y) / 3;
}

// A ring wave falling off from the middle: sin(r) / r, 1 at r = 0.
inline double Sombrero(double x, double y) {
  const double r = std::sqrt(x * x + y * y);
  return r < 1e-9 ? 1.0 : std::sin(r) / r;
}

// Two round hills and a pit over 0..10 x 0..10.
inline double Hills(double x, double y) {
  const auto bump = [&](double cx, double cy, double h, double w) {
    return h * std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / w);
  };
  return bump(3, 3, 5, 5) + bump(7, 6.5, 3.5, 4) - bump(6.5, 2, 2.5, 3);
}

}  // namespace qv::samples
