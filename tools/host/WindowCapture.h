// Reads what a window shows on the X server, its child windows (the plug-in's editor)
// included, as a host's user sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelhost {

class HostWindow;

// Opaque pixels, 0xFFRRGGBB, row by row without padding.
struct WindowPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  bool operator==(const WindowPicture&) const = default;
};

// Reads the window's picture; false with a reason when the window is not mapped, not fully
// on the screen, or the display is not true colour. Thread of the window.
bool captureWindow(const HostWindow& window, WindowPicture& picture, std::string& error);

}  // namespace zelhost
