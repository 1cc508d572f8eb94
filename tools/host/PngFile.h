// Writes a window's picture as a PNG file.
#pragma once

#include <string>

#include "WindowCapture.h"

namespace zelhost {

// Writes picture to path (8-bit RGB) through a temporary file beside it, so a failed write
// leaves nothing behind and never a part of a file; false with a reason.
bool writePng(const std::string& path, const WindowPicture& picture, std::string& error);

}  // namespace zelhost
