// Tells the user something without blocking the host: through the desktop's alert program
// (XPlatDisplayAlert), else drawn over the panel (AlertOverlay). One alert is up at a time;
// later ones wait for it. UI thread only.
#pragma once

#include <deque>
#include <string>

#include "ChildProcess.h"

class AlertOverlay;
class CFrame;

class EditorAlert {
public:
  // Most messages kept waiting; older ones are dropped beyond it.
  static constexpr size_t kMaxWaiting = 4;

  EditorAlert() = default;
  ~EditorAlert();
  EditorAlert(const EditorAlert&) = delete;
  EditorAlert& operator=(const EditorAlert&) = delete;

  // Shows message now if nothing else is up, else as soon as the alert before it is gone.
  // frame (may be null) is where the message is drawn when no alert program exists.
  void show(const std::string& message, CFrame* frame);
  // Follows the alert that is up (its program ending, its overlay dismissed) and shows the
  // next waiting one.
  void idle(CFrame* frame);
  // The frame closes: takes the overlay off it, ends the alert program, drops waiting messages.
  void close(CFrame* frame);

  // The overlay shown now, or null.
  AlertOverlay* getOverlay() const { return overlay; }
  // Whether an alert program is showing a message now.
  bool programShowing() const { return program.running(); }
  // The last message shown (by either way), for tests and diagnostics.
  const std::string& lastMessage() const { return last; }

private:
  void showNext(CFrame* frame);
  void removeOverlay(CFrame* frame);

  ChildProcess program;
  AlertOverlay* overlay = nullptr;
  std::deque<std::string> waiting;
  std::string last;
};
