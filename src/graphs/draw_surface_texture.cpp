// The surface kinds' texture and transparency. The prepare step makes the
// texture of TexName in the drawing context's cache (once per graph and
// file); the texture pass binds it inside the display list, the
// transparency pass blends the model; the release step gives it up.
#include <GL/gl.h>

#include "drawers.h"
#include "graphs/texture_cache.h"
#include "texture.h"

namespace qv {

void PrepareSurfaceTexture(Graph& graph, const DrawContext& context) {
  PreparedTexture& prepared = graph.PreparedParts().texture;
  const DrawResources* resources = context.resources;
  if (!graph.ShowTex || graph.TexName.empty() || resources == nullptr ||
      resources->textures == nullptr) {
    prepared.Release();
    return;
  }
  const std::string path = TexturePath(graph.TexName, resources->documentFolder);
  // The same file again: the texture is there, or its failure was told.
  if (prepared.path == path && (prepared.failed || prepared.lease.Name() != 0)) return;
  prepared.Release();
  prepared.path = path;
  std::string problem;
  prepared.lease = resources->textures->Acquire(path, graph.TexName, problem);
  if (prepared.lease.Name() != 0) return;
  prepared.failed = true;
  if (resources->showStatus) {
    resources->showStatus("The texture \"" + graph.TexName + "\" could not be used: " + problem +
                          ". The surface is drawn without it.");
  }
}

bool SurfaceTextureReady(const Graph& graph) {
  return graph.ShowTex && graph.PreparedParts().texture.lease.Name() != 0;
}

bool BindSurfaceTexture(const Graph& graph) {
  if (!SurfaceTextureReady(graph)) return false;
  glBindTexture(GL_TEXTURE_2D, graph.PreparedParts().texture.lease.Name());
  return true;
}

void ReleaseSurfaceTexture(Graph& graph) { graph.PreparedParts().texture.Release(); }

SurfacePasses BeginTextureAndTransparency(const Graph& graph) {
  SurfacePasses passes;
  passes.textured = BindSurfaceTexture(graph);
  if (passes.textured) {
    glEnable(GL_TEXTURE_2D);
    // The vertex colour (white for the texture's own colours) times the
    // texture's.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  passes.transparent = graph.ShowTrans;
  if (passes.transparent) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
  }
  return passes;
}

void EndTextureAndTransparency(const SurfacePasses& passes) {
  if (passes.textured) glDisable(GL_TEXTURE_2D);
  // The depth mask stays off until the layers under the surface are drawn.
  if (passes.transparent) glDisable(GL_BLEND);
}

}  // namespace qv
