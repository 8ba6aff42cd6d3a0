// The 2D samples (colour maps, contour and vector plots, seen from the
// front) and the 4D samples of volumes: scatter, vectors, slice planes with
// their contours and vectors, iso-surfaces.
#include <array>

#include "data/data_panel.h"
#include "graphs/graph_kinds.h"
#include "samples.h"

namespace qv::samples {
namespace {

constexpr Long kBlack = Rgb(0, 0, 0);

void ColorContour(SampleDocument& doc) {
  TypeGrid2D(doc, 41, 41, {-3, 3, -3, 3}, Peaks);
  Graph& map = doc.AddGraph(kColorMapGraph, "Peaks");
  map.ColorMapfilltype = 4;
  SampleDocument::UseColorMap(map, "RAINBOW");
  Graph& lines = doc.AddGraph(kContourPlot, "Contours every 1");
  lines.ContourLevels = 1;
  lines.ConFillType = 4;  // one colour
  lines.ConColor1 = lines.ConColor2 = kBlack;
  lines.ConWidth = 1;
  doc.SetTitles("X", "Y", "Height");
}

void ContourVector(SampleDocument& doc) {
  // A coarser grid than the colour map's: the arrows are as long as the
  // nodes lie apart.
  TypeGrid2D(doc, 13, 13, {0, 10, 0, 10}, Hills);
  Graph& lines = doc.AddGraph(kContourPlot, "Contours every 0.5");
  lines.ContourLevels = 0.5;
  lines.ConFillType = 5;  // the colour map
  lines.ConWidth = 1;
  SampleDocument::UseColorMap(lines, "RAINBOW");
  Graph& arrows = doc.AddGraph(kVectorPlot, "Slope");
  arrows.VectorColor = kBlack;
  doc.SetTitles("East", "North", "Height");
}

// A regular n x n x n volume of field over low..high on every axis.
template <typename Field>
void TypeVolume(SampleDocument& doc, Long n, double low, double high, Field field) {
  doc.RegularVolume(n, n, n);
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {
      for (Long k = 0; k < n; ++k) {
        const double x = low + (high - low) * i / (n - 1);
        const double y = low + (high - low) * j / (n - 1);
        const double z = low + (high - low) * k / (n - 1);
        doc.AddRow(x, y, z, field(x, y, z));
      }
    }
  }
}

// Three warm blobs in 0..10 on every axis, values about 0..10.
double Blobs(double x, double y, double z) {
  const auto blob = [&](double cx, double cy, double cz, double h, double w) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz);
    return h * std::exp(-d2 / w);
  };
  return blob(3, 3, 4, 9, 8) + blob(7, 6, 6, 7, 6) + blob(4, 7.5, 7.5, 5, 4);
}

// A charge pair's potential over -4..4 on every axis, softened near the
// charges so that the colours and slopes away from them still show.
double Dipole(double x, double y, double z) {
  const auto inverse = [&](double cx) {
    return 1.0 / std::sqrt((x - cx) * (x - cx) + y * y + z * z + 3);
  };
  return 10 * (inverse(-1.5) - inverse(1.5));
}

// Waves running out from the middle and dying away, about -5..10.
double Ripples(double x, double y, double z) {
  const double r = std::sqrt(x * x + y * y + z * z);
  return 10 * std::cos(1.4 * r) * std::exp(-r / 3);
}

// The distance from the middle: its slope is one long everywhere.
double Distance(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

// The distance from two centres summed: its iso-surfaces are peanuts.
double TwoCentres(double x, double y, double z) {
  const auto d = [&](double cx) { return std::sqrt((x - cx) * (x - cx) + y * y + z * z); };
  return d(-1.6) + d(1.6);
}

struct SlicePlan {
  char axis;  // 'X', 'Y' or 'Z' of the data
  double at;  // data units
  bool color = true;
  bool contour = false;
  double interval = 1;
  Long contourColor = kBlack;
  bool vector = false;
  Long vectorColor = kBlack;
};

// Adds one slice across the whole volume (node ranges 1..count).
void AddSlice(Graph& g, Long count, const SlicePlan& s) {
  Long* num = s.axis == 'X' ? &g.Slice4NumX : s.axis == 'Y' ? &g.Slice4NumY : &g.Slice4NumZ;
  const Long i = ++*num;
  SliceDoubles& at = s.axis == 'X' ? g.Slice4X : s.axis == 'Y' ? g.Slice4Y : g.Slice4Z;
  at(i) = s.at;
  const auto pick = [&](auto& x, auto& y, auto& z) -> auto& {
    return s.axis == 'X' ? x : s.axis == 'Y' ? y : z;
  };
  pick(g.SliceXShowColor, g.SliceYShowColor, g.SliceZShowColor)(i) = s.color;
  pick(g.SliceXShowCont, g.SliceYShowCont, g.SliceZShowCont)(i) = s.contour;
  pick(g.SliceXShowVect, g.SliceYShowVect, g.SliceZShowVect)(i) = s.vector;
  pick(g.SliceXContLevels, g.SliceYContLevels, g.SliceZContLevels)(i) = s.interval;
  pick(g.SliceXContColor, g.SliceYContColor, g.SliceZContColor)(i) = s.contourColor;
  pick(g.SliceXVectColor, g.SliceYVectColor, g.SliceZVectColor)(i) = s.vectorColor;
  pick(g.Slice4YZYB, g.Slice4ZXXB, g.Slice4XYXB)(i) = 1;
  pick(g.Slice4YZYE, g.Slice4ZXXE, g.Slice4XYXE)(i) = count;
  pick(g.Slice4YZZB, g.Slice4ZXZB, g.Slice4XYYB)(i) = 1;
  pick(g.Slice4YZZE, g.Slice4ZXZE, g.Slice4XYYE)(i) = count;
}

Graph& Slices(SampleDocument& doc, const std::string& name, const std::string& map) {
  Graph& g = doc.AddGraph(kSlice4D, name);
  SampleDocument::UseColorMap(g, map);
  return g;
}

void Scatter(SampleDocument& doc) {
  constexpr Long count = 400;
  doc.IrregularVolume(count, 9, 9, 9, {0, 10, 0, 10, 0, 10});
  doc.Settings().GridMethod4D = 101;  // inverse distance
  Sequence random(41);
  for (Long p = 0; p < count; ++p) {
    const double x = random.In(0, 10), y = random.In(0, 10), z = random.In(0, 10);
    doc.AddRow(x, y, z, Blobs(x, y, z));
  }
  Graph& g = doc.AddGraph(kScatter4D, "Blobs gridded from 400 points");
  SampleDocument::UseColorMap(g, "RAINBOW");
  g.PointSize = 5;
  doc.SetTitles("X", "Y", "Z");
}

void SlicePlot(SampleDocument& doc) {
  constexpr Long n = 17;
  TypeVolume(doc, n, 0, 10, Blobs);
  Graph& g = Slices(doc, "Blobs cut three ways", "RAINBOW");
  AddSlice(g, n, {'Z', 2.5});
  AddSlice(g, n, {'X', 7.5});
  AddSlice(g, n, {'Y', 2.5});
  doc.SetTitles("X", "Y", "Z");
}

void SlicePlot2(SampleDocument& doc) {
  constexpr Long n = 17;
  TypeVolume(doc, n, -4, 4, Ripples);
  Graph& g = Slices(doc, "Ripples", "EARTH");
  for (const double at : {-3.0, 0.0, 3.0}) AddSlice(g, n, {'Z', at});
  AddSlice(g, n, {'X', 0.0});
  doc.SetTitles("X", "Y", "Z");
}

void VectorPlot(SampleDocument& doc) {
  TypeVolume(doc, 9, -4, 4, Distance);
  Graph& g = doc.AddGraph(kVector4D, "Away from the middle");
  g.Vect4DColor = Rgb(200, 0, 0);
  doc.SetTitles("X", "Y", "Z");
}

void SliceStack(SampleDocument& doc) {
  constexpr Long n = 17;
  TypeVolume(doc, n, 0, 10, Blobs);
  Graph& g = Slices(doc, "Four cuts across Y", "FIERY");
  for (const double at : {1.25, 3.75, 6.25, 8.75}) AddSlice(g, n, {'Y', at});
  doc.SetTitles("X", "Y", "Z");
}

void VectorIsoSurface(SampleDocument& doc) {
  TypeVolume(doc, 13, -4, 4, TwoCentres);
  // The fiery map starts bright: the low level shows in orange.
  Graph& iso = doc.AddGraph(kIsoSurface4D, "Distance sum 4.6");
  iso.IsoSurValue = 4.6;
  SampleDocument::UseColorMap(iso, "FIERY");
  Graph& arrows = doc.AddGraph(kVector4D, "Slope");
  arrows.Vect4DColor = Rgb(0, 0, 160);
  doc.SetTitles("X", "Y", "Z");
}

void SliceIsoSurface(SampleDocument& doc) {
  constexpr Long n = 17;
  TypeVolume(doc, n, 0, 10, Blobs);
  Graph& iso = doc.AddGraph(kIsoSurface4D, "Blobs at 3.5");
  iso.IsoSurValue = 3.5;
  SampleDocument::UseColorMap(iso, "RAINBOW");
  Graph& g = Slices(doc, "Floor cut", "GREY");
  AddSlice(g, n, {'Z', 0.625});
  doc.SetTitles("X", "Y", "Z");
}

void SliceContour(SampleDocument& doc) {
  constexpr Long n = 17;
  TypeVolume(doc, n, 0, 10, Blobs);
  Graph& g = Slices(doc, "Cuts with contours every 1", "RAINBOW");
  AddSlice(g, n, {'Z', 4.375, true, true, 1});
  AddSlice(g, n, {'X', 6.875, true, true, 1});
  AddSlice(g, n, {'Y', 3.125, true, true, 1});
  doc.SetTitles("X", "Y", "Z");
}

void SliceContourVector(SampleDocument& doc) {
  constexpr Long n = 13;
  TypeVolume(doc, n, -4, 4, Dipole);
  Graph& g = Slices(doc, "Potential with contours and slope", "RAINBOW");
  AddSlice(g, n, {'Z', 0.0, true, true, 1, kBlack, true, Rgb(255, 255, 255)});
  AddSlice(g, n, {'Y', 2.0, true, true, 1, kBlack, false, kBlack});
  doc.SetTitles("X", "Y", "Z");
}

constexpr std::array kMakers = {
    SampleMaker{"color_contour.qrv", kViewCode2D, ColorContour},
    SampleMaker{"contour_vector.qrv", kViewCode2D, ContourVector},
    SampleMaker{"4dscatter.qrv", kViewCode4D, Scatter},
    SampleMaker{"4dslice.qrv", kViewCode4D, SlicePlot},
    SampleMaker{"4dslice2.qrv", kViewCode4D, SlicePlot2},
    SampleMaker{"4dvector.qrv", kViewCode4D, VectorPlot},
    SampleMaker{"4d_slice.qrv", kViewCode4D, SliceStack},
    SampleMaker{"4d_vector_isosurface.qrv", kViewCode4D, VectorIsoSurface},
    SampleMaker{"4d_slice_isofurface.qrv", kViewCode4D, SliceIsoSurface},
    SampleMaker{"4d_slice_contour.qrv", kViewCode4D, SliceContour},
    SampleMaker{"4d_slice_vector.qrv", kViewCode4D, SliceContourVector},
};

}  // namespace

std::span<const SampleMaker> SampleMakers2D4D() { return kMakers; }

}  // namespace qv::samples
