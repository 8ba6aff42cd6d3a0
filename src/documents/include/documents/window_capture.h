// Reading the drawing area's pixels. The scene is drawn into the back buffer
// and read there before the buffers are swapped, so the picture never holds
// other windows that cover the drawing area. Needs a current GL context.
#pragma once

#include "documents/rgb_image.h"

namespace qv {

// Reads width x height pixels from the lower-left corner of the back buffer
// (the front buffer of a single-buffered context). Restores the read buffer
// and the pack alignment it changed. Empty for a size of 0 or less or when
// GL reports an error.
RgbImage CaptureBackBuffer(int width, int height);

// Reads width x height pixels from the current read buffer, as the BMP
// writer does for Copy As BMP and Print. Same failure rules as above.
RgbImage ReadFrameBuffer(int width, int height);

// Width and height of the current viewport in pixels (0, 0 without a
// context): the drawable that readers must stay inside.
void CurrentViewportSize(int& width, int& height);

}  // namespace qv
