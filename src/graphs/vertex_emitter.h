// Emits the vertices of one surface drawing: texture coordinate, normal,
// colour, then the centred vertex.
#pragma once

#include "graphs/graph.h"
#include "surface_colors.h"

namespace qv {

class VertexEmitter {
 public:
  // graph, colors and settings must outlive the emitter. floatTexture sends
  // the texture coordinates in single precision.
  VertexEmitter(const Graph& graph, const SurfaceColors& colors, const SharedSettings& settings,
                bool floatTexture = false);

  // Draws a vertex at p (scene axes, not centred) with normal n, coloured as
  // a node at colourAt with colour value c; (s, t) is its texture
  // coordinate, sent only while the graph shows a texture.
  void Vertex(const ScenePoint& p, const ScenePoint& colourAt, const ScenePoint& n, double c,
              double s, double t) const;
  // Sets the colour of a node at p with colour value c (nothing for a fill
  // style without one): white under a modulating texture, with the
  // graph's alpha when transparent.
  void Color(const ScenePoint& p, double c) const;
  // glVertex of p with the scene centre subtracted.
  void Put(const ScenePoint& p) const;
  // The same emitter for the passes drawn outside the texture and
  // transparency of the model (the flat first pass, the layers): plain
  // colours, no texture coordinates, opaque.
  VertexEmitter Plain() const {
    VertexEmitter plain = *this;
    plain.textured_ = false;
    plain.transparent_ = false;
    return plain;
  }

 private:
  const Graph& graph_;
  const SurfaceColors& colors_;
  const SharedSettings& settings_;
  bool floatTexture_;
  // Whether the graph shows a ready texture and is drawn transparent; both
  // fixed for one drawing, so taken once rather than per vertex.
  bool textured_;
  bool transparent_;
};

}  // namespace qv
