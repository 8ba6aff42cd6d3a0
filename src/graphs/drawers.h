// Every drawer of the kinds table (graph_kinds.cpp), declared in one place.
// A drawer draws one kind into the current context inside the display list
// being compiled, with the scene centre subtracted (DrawStep); its prepare
// and release steps make and free what it needs in the drawing context.
#pragma once

#include "graph_bounds.h"
#include "graphs/draw_context.h"
#include "graphs/graph.h"

namespace qv {

// Drawers (one file each)
// draw_surface.cpp: the mesh kinds drawn from the regular surface and the
// Delaunay triangles. The stored kinds draw as the surface model but grade
// heights over the layers' room too; 12 sends its texture coordinates in
// single precision.
void DrawSurfaceModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawStoredSurface(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawStoredSurface12(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawColorMap(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawVertexModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawGridModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawDelaunaySurface(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// draw_points.cpp: the line through VertTab3D and the point graph.
void DrawLineGraph(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawPointGraph(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// draw_vectors.cpp: the vector plot.
void DrawVectorPlot(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// draw_4d.cpp: the 4D scatter and the 4D vectors.
void DrawScatter4D(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawVector4D(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// The scattered points a volume was gridded from, when ShowIrregData is set
// (also drawn after the 4D slices).
void DrawIrregularVolumePoints(const Graph& graph, const DrawContext& context);
// draw_contour_plot.cpp: the contour plot, and the contour layer under a
// surface (ShowContour) that the mesh kinds draw.
void DrawContourPlot(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void DrawSurfaceContours(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// draw_contour3d.cpp: the 3D contour plot.
void DrawContour3D(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// draw_slices.cpp: the 4D slice planes.
void Draw4DSlices(Graph& graph, const DrawContext& context, const GraphBounds& bounds);

// draw_iso_surface.cpp: the 4D iso-surface.
void DrawIsoSurface(Graph& graph, const DrawContext& context, const GraphBounds& bounds);

// draw_surface_texture.cpp: the surface texture (ShowTex, TexName) and
// transparency (ShowTrans, TransAlpha) of the mesh kinds.
// Makes the texture of TexName in the context's cache, once per graph and
// file; a file that cannot be used is told once through the status sink
// and the surface is drawn without it. Without resources, ShowTex or a name
// the graph's texture is given up. The context must be current.
void PrepareSurfaceTexture(Graph& graph, const DrawContext& context);
// Whether the graph has its texture to draw with (ShowTex and a texture
// made).
bool SurfaceTextureReady(const Graph& graph);
// Binds the graph's texture; false when there is none.
bool BindSurfaceTexture(const Graph& graph);
// Gives the graph's texture up (the context current).
void ReleaseSurfaceTexture(Graph& graph);
// The texture pass (the texture bound and enabled, modulating the vertex
// colours) and the transparency pass (blending by the vertices' alpha, the
// depth mask off) around the model; End undoes both but the depth mask,
// which the layers after the model restore.
struct SurfacePasses {
  bool textured = false;
  bool transparent = false;
};
SurfacePasses BeginTextureAndTransparency(const Graph& graph);
void EndTextureAndTransparency(const SurfacePasses& passes);

// Steps Of Kinds That Need Nothing
void DrawNothing(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
void PrepareNothing(Graph& graph, const DrawContext& context);
void ReleaseNothing(Graph& graph);

}  // namespace qv
