// The host's own top-level X11 window that the plug-in's editor lives in. No X headers
// here: Xlib's macros (Status, None, Bool) would clash with the code that includes this.
#pragma once

#include <string>

struct _XDisplay;

namespace zelhost {

// A fixed-size top-level window on a Display connection of its own, closed by the window
// manager's close button. Every call is made from the thread that created it.
class HostWindow {
public:
  using WindowId = unsigned long;

  HostWindow() = default;
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Connects to the X server named by DISPLAY, unless connected already. False with a
  // one-line reason when there is no such server or it refuses the connection.
  bool connect(std::string& error);
  // Connects (see connect) and shows a window of the given size and title, fixed in size
  // (minimum = maximum). False with a one-line reason on failure.
  bool create(const std::string& title, int width, int height, std::string& error);
  // Changes the window's size; the size hints follow so the size stays fixed.
  void resize(int width, int height);
  // Handles the window's pending events; true once the user has asked to close it (or
  // something destroyed it).
  bool processEvents();
  // Hides / shows the window again (the editor then gets expose events).
  void unmap();
  void map();
  // Destroys the window and closes the connection; safe to call more than once.
  void destroy();

  bool exists() const { return window_ != 0; }
  WindowId id() const { return window_; }
  _XDisplay* display() const { return display_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool closeRequested() const { return closeRequested_; }

private:
  void setFixedSize(int width, int height);
  void destroyWindow();

  _XDisplay* display_ = nullptr;
  WindowId window_ = 0;
  unsigned long deleteAtom_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool closeRequested_ = false;
};

}  // namespace zelhost
