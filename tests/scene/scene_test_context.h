// The scene passes the drawing context through to its items without looking
// inside it; the graphs library defines it (graphs/draw_context.h). These
// tests link no graphs, so the context gets an empty definition of its own.
#pragma once

namespace qv {

struct DrawContext {};

namespace test {
// What the scene tests pass where a context is asked for.
inline const DrawContext kSceneContext{};
}  // namespace test

}  // namespace qv
