#include "WindowCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

#include "HostWindow.h"

namespace zelhost {
namespace {

// X errors of this file's requests are recorded, not fatal, while a Trap exists.
bool requestFailed = false;

int noteError(Display*, XErrorEvent*) {
  requestFailed = true;
  return 0;
}

class Trap {
public:
  explicit Trap(Display* display) : display_(display) {
    XSync(display_, False);
    requestFailed = false;
    previous_ = XSetErrorHandler(noteError);
  }
  ~Trap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  Trap(const Trap&) = delete;
  Trap& operator=(const Trap&) = delete;
  bool failed() {
    XSync(display_, False);
    return requestFailed;
  }

private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

// One colour channel of a true-colour pixel, scaled to 8 bits.
uint32_t channel(unsigned long pixel, unsigned long mask) {
  const int shift = std::countr_zero(mask);
  const unsigned long maximum = mask >> shift;
  return static_cast<uint32_t>((((pixel & mask) >> shift) * 255 + maximum / 2) / maximum);
}

}  // namespace

bool captureWindow(const HostWindow& window, WindowPicture& picture, std::string& error) {
  Display* display = window.display();
  if (display == nullptr || !window.exists()) {
    error = "the window is gone";
    return false;
  }
  const auto id = static_cast<Window>(window.id());
  Trap trap(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, id, &attributes) || trap.failed()) {
    error = "the window is gone";
    return false;
  }
  if (attributes.map_state != IsViewable) {
    error = "the window is not shown";
    return false;
  }
  // The server reads the screen: every pixel of the window must be on it.
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display, id, attributes.root, 0, 0, &x, &y, &child);
  XWindowAttributes root;
  XGetWindowAttributes(display, attributes.root, &root);
  if (x < 0 || y < 0 || x + attributes.width > root.width || y + attributes.height > root.height) {
    error = "the window is not fully on the screen";
    return false;
  }
  XImage* image = XGetImage(display, id, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr || trap.failed()) {
    if (image != nullptr) XDestroyImage(image);
    error = "cannot read the window's pixels";
    return false;
  }
  if (image->red_mask == 0 || image->green_mask == 0 || image->blue_mask == 0) {
    XDestroyImage(image);
    error = "the display is not true colour";
    return false;
  }
  picture.width = attributes.width;
  picture.height = attributes.height;
  picture.pixels.clear();
  picture.pixels.reserve(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  for (int row = 0; row < picture.height; ++row) {
    for (int column = 0; column < picture.width; ++column) {
      const unsigned long pixel = XGetPixel(image, column, row);
      picture.pixels.push_back(0xFF000000u | channel(pixel, image->red_mask) << 16 |
                               channel(pixel, image->green_mask) << 8 |
                               channel(pixel, image->blue_mask));
    }
  }
  XDestroyImage(image);
  return true;
}

}  // namespace zelhost
