// The 3D samples: surfaces of regular and scattered data, vertex and grid
// models, surface layers, a texture, Delaunay triangles, cylindrical and
// spherical surfaces and the 3D contour plots.
#include <algorithm>
#include <array>

#include "data/data_panel.h"
#include "graphs/graph_kinds.h"
#include "samples.h"

namespace qv::samples {
namespace {

constexpr Long kBlack = Rgb(0, 0, 0);
constexpr Long kWhite = Rgb(255, 255, 255);

// count scattered points of field over 0..10 x 0..10, gridded on rows x rows.
template <typename Field>
void TypeScattered(SampleDocument& doc, Long count, Long rows, std::uint64_t seed, Field field) {
  doc.IrregularSurface(count, rows, rows, {0, 10, 0, 10});
  Sequence random(seed);
  for (Long p = 0; p < count; ++p) {
    const double x = random.In(0, 10), y = random.In(0, 10);
    const double z = field(x, y);
    doc.AddRow(x, y, z, z);
  }
}

Graph& FilledSurface(SampleDocument& doc, const std::string& name, const std::string& map) {
  Graph& g = doc.AddGraph(kSurfaceModel, name);
  SampleDocument::UseColorMap(g, map);
  return g;
}

void SurfaceRegular(SampleDocument& doc) {
  TypeGrid2D(doc, 41, 41, {-3, 3, -3, 3}, Peaks);
  FilledSurface(doc, "Peaks", "RAINBOW");
  doc.SetTitles("X", "Y", "Height");
}

void SurfaceIrregular(SampleDocument& doc) {
  TypeScattered(doc, 100, 31, 11, Hills);
  doc.Settings().GridMethod = 3;  // radial basis functions: smooth between the points
  Graph& g = FilledSurface(doc, "Hills from 100 points", "MARINE");
  g.ShowIrregData = true;
  doc.SetTitles("East", "North", "Height");
}

void VertexAndGrid(SampleDocument& doc) {
  TypeGrid2D(doc, 21, 21, {-kPi, kPi, -kPi, kPi},
             [](double x, double y) { return 2 * std::sin(x) * std::cos(y); });
  Graph& vertices = doc.AddGraph(kVertexModel, "Nodes");
  vertices.VertColor = Rgb(220, 0, 0);
  vertices.VertSize = 4;
  Graph& grid = doc.AddGraph(kGridModel, "Grid");
  grid.LineColor = grid.GridColor = Rgb(0, 0, 200);
  grid.GridWidth = 1;
  doc.SetTitles("X", "Y", "2 sin(x) cos(y)");
}

void SurfaceAndGrid(SampleDocument& doc) {
  TypeGrid2D(doc, 31, 31, {-9, 9, -9, 9}, [](double x, double y) { return 6 * Sombrero(x, y); });
  FilledSurface(doc, "Sombrero", "MARINE");
  Graph& grid = doc.AddGraph(kGridModel, "Grid");
  grid.LineColor = grid.GridColor = kBlack;
  grid.GridWidth = 1;
  doc.SetTitles("X", "Y", "6 sin(r)/r");
}

void FlatSurface(SampleDocument& doc) {
  // A stepped pyramid: flat shading shows each cell's own facet.
  TypeGrid2D(doc, 13, 13, {-6, 6, -6, 6}, [](double x, double y) {
    return 6 - std::max(std::fabs(x), std::fabs(y)) + 0.5 * std::sin(x + y);
  });
  Graph& g = doc.AddGraph(kSurfaceModel, "Pyramid");
  g.Smoothness = 1;
  g.FillStyle = 2;  // graded along the height
  g.FirstColor = Rgb(255, 140, 0);
  g.SecondColor = Rgb(40, 60, 200);
  doc.SetTitles("X", "Y", "Z");
}

void SurfaceColorMapContour(SampleDocument& doc) {
  TypeScattered(doc, 160, 31, 23, Hills);
  doc.Settings().GridMethod = 3;  // radial basis functions
  Graph& g = FilledSurface(doc, "Hills, radial basis gridding", "RAINBOW");
  g.ShowColormap = true;
  g.ShowContour = true;
  g.ContourLevel = 0.5;
  g.LineColor = kBlack;
  doc.SetTitles("East", "North", "Height");
}

void SurfaceSpecial(SampleDocument& doc) {
  TypeGrid2D(doc, 31, 31, {0, 10, 0, 10}, Hills);
  // A wooden surface with its contour lines and its slope's vectors on
  // the layer below it, and two points on its tops.
  Graph& g = doc.AddGraph(kSurfaceModel, "Wooden hills");
  g.FillStyle = 3;
  g.FirstColor = kWhite;
  g.ShowTex = true;
  g.TexName = kWoodTexture;
  g.TexMode = 1;
  g.ShowContour = true;
  g.ContourLevel = 0.5;
  g.LineColor = Rgb(0, 0, 160);
  g.ShowVector = true;
  const struct {
    const char* name;
    double x, y, z;
    Long color;
  } marks[] = {{"Summit", 3, 3, 5.1, Rgb(220, 0, 0)}, {"Second top", 7, 6.5, 3.6, Rgb(0, 150, 0)}};
  for (const auto& m : marks) {
    // A point keeps its place in scene axes, as the point dialog stores it:
    // data Y, the height, data X.
    Graph& p = doc.AddGraph(kPointGraph, m.name);
    p.PointX = m.y;
    p.PointY = m.z;
    p.PointZ = m.x;
    p.PointColor = m.color;
    p.PointSize = 6;
  }
  doc.SetTitles("East", "North", "Height");
}

void SurfaceOverColorMap(SampleDocument& doc) {
  TypeGrid2D(doc, 31, 31, {-kPi, kPi, -kPi, kPi},
             [](double x, double y) { return 2 * std::sin(1.2 * x) * std::cos(0.8 * y) + x / 3; });
  Graph& map = doc.AddGraph(kColorMapGraph, "Color map");
  map.ColorMapfilltype = 4;
  SampleDocument::UseColorMap(map, "FIERY");
  Graph& g = doc.AddGraph(kSurfaceModel, "Glass surface");
  g.FillStyle = 3;
  g.FirstColor = Rgb(60, 110, 230);
  g.ShowTrans = true;
  g.TransAlpha = 0.55;
  doc.SetTitles("X", "Y", "Z");
}

void Surface4D(SampleDocument& doc) {
  // The height is a saddle; the colour a fourth value of its own.
  constexpr Long n = 31;
  doc.RegularSurface(kRegularSurface, n, n);
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {
      const double x = -3 + 6.0 * i / (n - 1), y = -3 + 6.0 * j / (n - 1);
      doc.AddRow(x, y, (x * x - y * y) / 3, 20 + 15 * std::sin(1.5 * x) * std::cos(1.5 * y));
    }
  }
  FilledSurface(doc, "Saddle coloured by temperature", "RAINBOW");
  doc.SetTitles("X", "Y", "Height");
}

void Delaunay(SampleDocument& doc) {
  TypeScattered(doc, 90, 11, 5, Hills);
  Graph& g = doc.AddGraph(kDelaunayGraph, "Triangles of 90 points");
  g.ShowDS = true;
  g.ShowDG = true;
  g.TriColor = Rgb(40, 40, 40);
  g.TriWidth = 1;
  g.Smoothness = 2;
  SampleDocument::UseColorMap(g, "RAINBOW");
  doc.SetTitles("X", "Y", "Z");
}

// A regular cylindrical surface: angle 0..360 by 10 degrees, height 0..10.
void TypeCylinder(SampleDocument& doc) {
  constexpr Long na = 37, nh = 21;
  doc.RegularSurface(kRegularCylindrical, na, nh);
  for (Long i = 0; i < na; ++i) {
    for (Long j = 0; j < nh; ++j) {
      const double a = 10.0 * i, h = 10.0 * j / (nh - 1);
      const double r = 3 + 0.8 * std::cos(3 * a * kPi / 180) * std::sin(h * kPi / 10) +
                       0.3 * std::cos(h * kPi / 2.5);
      doc.AddRow(a, h, r, r);
    }
  }
}

// A regular spherical surface: angle A 0..360 by 10, B 0..180 by 10 degrees.
void TypeSphere(SampleDocument& doc) {
  constexpr Long na = 37, nb = 19;
  doc.RegularSurface(kRegularSpherical, na, nb);
  for (Long i = 0; i < na; ++i) {
    for (Long j = 0; j < nb; ++j) {
      const double a = 10.0 * i, b = 10.0 * j;
      const double sb = std::sin(b * kPi / 180);
      const double r = 5 + 1.2 * std::cos(4 * a * kPi / 180) * sb * sb * sb;
      doc.AddRow(a, b, r, r);
    }
  }
}

void Cylinder(SampleDocument& doc) {
  TypeCylinder(doc);
  FilledSurface(doc, "Fluted column", "RAINBOW");
  doc.SetTitles("X", "Y", "Height");
}

void Sphere(SampleDocument& doc) {
  TypeSphere(doc);
  FilledSurface(doc, "Four-lobed ball", "RAINBOW");
  doc.SetTitles("X", "Y", "Z");
}

Graph& Contours3D(SampleDocument& doc, const std::string& name, double interval) {
  Graph& g = doc.AddGraph(kContour3DPlot, name);
  g.Contour3Levels = interval;
  g.Con3Width = 2;
  return g;
}

void Contour3DCartesian1(SampleDocument& doc) {
  TypeGrid2D(doc, 41, 41, {-3, 3, -3, 3}, Peaks);
  Graph& g = Contours3D(doc, "Peaks, every 0.5", 0.5);
  g.Con3FillType = 5;  // the colour map
  SampleDocument::UseColorMap(g, "RAINBOW");
  doc.SetTitles("X", "Y", "Height");
}

void Contour3DCartesian2(SampleDocument& doc) {
  TypeScattered(doc, 200, 25, 37, Hills);
  doc.Settings().GridMethod = 4;  // thin-plate splines
  Graph& s = doc.AddGraph(kSurfaceModel, "Hills, thin-plate gridding");
  s.FillStyle = 3;
  s.FirstColor = Rgb(225, 225, 225);
  Graph& g = Contours3D(doc, "Contours every 0.5", 0.5);
  g.Con3FillType = 3;  // a blend of two colours
  g.Con3Color1 = Rgb(220, 0, 0);
  g.Con3Color2 = Rgb(0, 0, 220);
  doc.SetTitles("East", "North", "Height");
}

void Contour3DCylindrical(SampleDocument& doc) {
  TypeCylinder(doc);
  Graph& s = doc.AddGraph(kSurfaceModel, "Fluted column");
  s.FillStyle = 3;
  s.FirstColor = Rgb(230, 230, 210);
  Graph& g = Contours3D(doc, "Radius every 0.2", 0.2);
  g.Con3FillType = 5;
  SampleDocument::UseColorMap(g, "RAINBOW");
  doc.SetTitles("X", "Y", "Height");
}

void Contour3DSpherical(SampleDocument& doc) {
  TypeSphere(doc);
  Graph& s = doc.AddGraph(kSurfaceModel, "Four-lobed ball");
  s.FillStyle = 3;
  s.FirstColor = Rgb(230, 230, 210);
  Graph& g = Contours3D(doc, "Radius every 0.25", 0.25);
  g.Con3FillType = 5;
  SampleDocument::UseColorMap(g, "RAINBOW");
  doc.SetTitles("X", "Y", "Z");
}

constexpr std::array kMakers = {
    SampleMaker{"surface_rg.qrv", kViewCode3D, SurfaceRegular},
    SampleMaker{"surface.qrv", kViewCode3D, SurfaceIrregular},
    SampleMaker{"grid_vertex.qrv", kViewCode3D, VertexAndGrid},
    SampleMaker{"surface_grid.qrv", kViewCode3D, SurfaceAndGrid},
    SampleMaker{"surface_flat.qrv", kViewCode3D, FlatSurface},
    SampleMaker{"surfaceir_contour.qrv", kViewCode3D, SurfaceColorMapContour},
    SampleMaker{"surface_rg_spe.qrv", kViewCode3D, SurfaceSpecial},
    SampleMaker{"surface_colormap.qrv", kViewCode3D, SurfaceOverColorMap},
    SampleMaker{"4dsurface.qrv", kViewCode3D, Surface4D},
    SampleMaker{"delaunay.qrv", kViewCode3D, Delaunay},
    SampleMaker{"cylinder.qrv", kViewCode3D, Cylinder},
    SampleMaker{"sphere.qrv", kViewCode3D, Sphere},
    SampleMaker{"surface_3dcontour.qrv", kViewCode3D, Contour3DCartesian1},
    SampleMaker{"surface_3dcc.qrv", kViewCode3D, Contour3DCartesian2},
    SampleMaker{"surface_3dccy.qrv", kViewCode3D, Contour3DCylindrical},
    SampleMaker{"surface_3dcs.qrv", kViewCode3D, Contour3DSpherical},
};

}  // namespace

std::span<const SampleMaker> SampleMakers3D() { return kMakers; }

// Wood: rings about a point off the picture's corner, bent by a slow wave.
std::string WoodTextureBytes() {
  return BmpPicture(64, 64, [](int x, int y) {
    const double dx = x + 20.0, dy = y - 10.0;
    const double r = std::sqrt(dx * dx + dy * dy) + 2.0 * std::sin(y / 6.0);
    // 17 shades, so that the last bit of cos cannot change a byte.
    const auto ring = static_cast<Long>(std::llround(8.0 + 8.0 * std::cos(r * 0.9)));
    return Rgb(200 - 5 * ring, 140 - 4 * ring, 80 - 3 * ring);
  });
}

}  // namespace qv::samples
