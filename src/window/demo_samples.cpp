#include "window/demo_samples.h"

#include <array>
#include <filesystem>

namespace qv {

namespace {

using M = MenuItem;

constexpr std::array kSamples = {
    DemoSample{M::mnuDemoR3, "surface_rg.qrv"},
    DemoSample{M::mnuDemoI3, "surface.qrv"},
    DemoSample{M::mnuDemoVG, "grid_vertex.qrv"},
    DemoSample{M::mnuDemoSG, "surface_grid.qrv"},
    DemoSample{M::mnuDemoFlat, "surface_flat.qrv"},
    DemoSample{M::mnuDemo3dscc, "surfaceir_contour.qrv"},
    DemoSample{M::mnuDemo3dSpe, "surface_rg_spe.qrv"},
    DemoSample{M::mnuDemo3dsc, "surface_colormap.qrv"},
    DemoSample{M::mnuDemo4dSur, "4dsurface.qrv"},
    DemoSample{M::mnuDemoDelaunay, "delaunay.qrv"},
    DemoSample{M::mnuDemoCyl, "cylinder.qrv"},
    DemoSample{M::mnuDemoSph, "sphere.qrv"},
    DemoSample{M::mnuDemoCC, "color_contour.qrv"},
    DemoSample{M::mnuDemoCV, "contour_vector.qrv"},
    DemoSample{M::mnuDemo3DCC1, "surface_3dcontour.qrv"},
    DemoSample{M::mnuDemo3DCC2, "surface_3dcc.qrv"},
    DemoSample{M::mnuDemo3DCCy, "surface_3dccy.qrv"},
    DemoSample{M::mnuDemo3DCS, "surface_3dcs.qrv"},
    DemoSample{M::mnuDemo4S, "4dscatter.qrv"},
    DemoSample{M::mnuDemoSlice, "4dslice.qrv"},
    DemoSample{M::mnuDemo4DSlice2, "4dslice2.qrv"},
    DemoSample{M::mnuDemoVector, "4dvector.qrv"},
    DemoSample{M::mnuDemo4ds, "4d_slice.qrv"},
    DemoSample{M::mnuDemo4DVecIsoSur, "4d_vector_isosurface.qrv"},
    DemoSample{M::mnuDemo4DSliceIsoSur, "4d_slice_isofurface.qrv"},
    DemoSample{M::mnuDemo4dsc, "4d_slice_contour.qrv"},
    DemoSample{M::mnuDemo4SV, "4d_slice_vector.qrv"},
};

}  // namespace

std::span<const DemoSample> DemoSamples() { return kSamples; }

std::optional<std::string_view> DemoSampleFile(MenuItem item) {
  for (const DemoSample& sample : kSamples) {
    if (sample.item == item) return sample.file;
  }
  return std::nullopt;
}

std::string DemoSamplePath(const std::string& programFolder, std::string_view file) {
  // A folder at the root ("/") or with a trailing separator gives no
  // doubled separator.
  return (std::filesystem::path(programFolder) / kSamplesFolder / file).string();
}

}  // namespace qv
