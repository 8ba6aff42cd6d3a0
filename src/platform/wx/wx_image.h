// A picture read back from OpenGL (rows bottom-up, four bytes a pixel) as
// the toolkit's image (rows top-down, three bytes a pixel).
#pragma once

#include <wx/image.h>

#include "platform/rgba_image.h"

namespace qv {

wxImage ImageOf(const RgbaImage& picture);

}  // namespace qv
