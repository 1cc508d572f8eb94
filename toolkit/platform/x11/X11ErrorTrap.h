// Catches X errors of one Display for the time of a scope: installs an error handler and
// restores the previous one on leaving, so no handler outlives a call. Errors of other
// displays go on to the previous handler. Internal to the toolkit.
#pragma once

#include <X11/Xlib.h>

class X11ErrorTrap {
public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits until the server has handled every request, so their errors are seen here.
  void sync();
  // Whether an error of this display arrived, and for which resource.
  bool failed() const { return errorSeen; }
  XID failedResource() const { return resource; }
  void clear() { errorSeen = false; }

private:
  static int handler(Display* display, XErrorEvent* event);

  Display* display;
  XErrorHandler previous;
  X11ErrorTrap* outer;
  bool errorSeen = false;
  XID resource = 0;
};
