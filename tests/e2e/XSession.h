// The tests' own connection to the X server: looks at windows, grabs their pixels and fakes
// real input with XTest. No X headers here (Xlib's macros clash with the code under test).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct _XDisplay;

namespace e2e {

using WindowId = unsigned long;

// Pixels of a window, 0xRRGGBB each.
struct WindowImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  // A drawn panel shows hundreds of colours, a cleared window one.
  size_t colours() const { return std::set<uint32_t>(pixels.begin(), pixels.end()).size(); }
};

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;  // relative to the parent
  bool viewable = false;                    // mapped, and every ancestor too
  bool fixed = false;  // WM_NORMAL_HINTS hold it at this size (minimum = maximum = size)
};

// While a session exists, X errors of every display in the process are recorded instead of
// ending the process: errors of the session's own display are expected now and then (it looks
// at windows that may be gone), errors of any other display escaped the code that caused them
// and fail the test when the session ends.
class XSession {
public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Whether the connection (and XTest) is there; why not, in one line. No DISPLAY is a failure.
  bool ok() const { return display_ != nullptr && failure_.empty(); }
  const std::string& failure() const { return failure_; }

  std::vector<WindowId> children(WindowId window);
  bool geometry(WindowId window, WindowGeometry& geometry);  // false when it does not exist
  WindowId findTopLevel(const std::string& title);           // 0 when none
  bool grab(WindowId window, WindowImage& image);
  // Asks a window's owner to close it, as a window manager's close button does.
  void requestClose(WindowId window);

  // Input through XTest, as the server delivers it from real devices; window coordinates.
  void moveTo(WindowId window, int x, int y);
  // Button 1 left, 2 middle, 3 right, 4/5 wheel; the server handles it delayMs later.
  void button(unsigned int button, bool down, unsigned long delayMs = 0);
  void click(unsigned int number) { button(number, true), button(number, false); }
  void key(unsigned long keysym, bool down);

private:
  _XDisplay* display_ = nullptr;
  std::string failure_;
};

// Open file descriptors of this process (each X connection is one).
inline long openDescriptorCount() {
  return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

// Polls done() every few milliseconds until it holds; false after ms milliseconds.
inline bool within(int ms, const std::function<bool()>& done) {
  for (auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
       std::chrono::steady_clock::now() < until;) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  return false;
}

}  // namespace e2e
