// The tests' own connection to the X server: looks at windows, grabs their pixels and fakes
// real input with XTest. No X headers here (Xlib's macros clash with the code under test).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace e2e {

using WindowId = unsigned long;

// Pixels of a window, 0xRRGGBB each.
struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  // Number of different colours (a panel has hundreds, an empty window one).
  size_t distinctColours() const;
};

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;  // relative to the parent
  bool viewable = false;                    // mapped, and every ancestor too
};

// While a session exists, X errors of every display in the process are recorded instead of
// ending the process: errors of displays the tests own are expected now and then, errors of
// any other display (the plug-in's) escaped the code that caused them.
class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Whether the connection (and XTest) is there; why not, in one line.
  bool ok() const { return display_ != nullptr && xtest_; }
  const std::string& failure() const { return failure_; }
  _XDisplay* display() const { return display_; }

  // Marks another display as the tests' own: its errors do not count as foreign.
  void trust(_XDisplay* display);
  // Forgets it again (before it is closed: a new connection may get its address).
  void untrust(_XDisplay* display);
  // X errors seen on displays that are not the tests' own; a line per error.
  std::vector<std::string> foreignErrors() const;

  // Waits until the server has handled every request of this connection.
  void sync();

  // Windows.
  std::vector<WindowId> children(WindowId window);
  bool exists(WindowId window);
  bool geometry(WindowId window, WindowGeometry& geometry);
  bool title(WindowId window, std::string& title);
  // The window's WM_NORMAL_HINTS minimum and maximum size; false when unset.
  bool sizeLimits(WindowId window, int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
  // The first top-level window with this title, 0 when none.
  WindowId findTopLevel(const std::string& title);
  bool grab(WindowId window, WindowImage& image);
  // Asks a window's owner to close it, as a window manager's close button does.
  void requestClose(WindowId window);

  // Input through XTest, as the server delivers it from real devices; window coordinates.
  void moveTo(WindowId window, int x, int y);
  // Presses or releases a pointer button (1 left, 2 middle, 3 right, 4/5 wheel); the server
  // handles the event delayMs after the request.
  void button(unsigned int button, bool down, unsigned long delayMs = 0);
  void click(unsigned int button);
  // Presses or releases the key that types keysym.
  void key(unsigned long keysym, bool down);

 private:
  _XDisplay* display_ = nullptr;
  bool xtest_ = false;
  std::string failure_;
};

// Open file descriptors of this process (each X connection is one).
int openDescriptorCount();

}  // namespace e2e
