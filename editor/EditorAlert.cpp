#include "EditorAlert.h"

#include "AlertOverlay.h"
#include "CFrame.h"
#include "XPlatDisplayAlert.h"

EditorAlert::~EditorAlert() { program.end(); }

void EditorAlert::show(const std::string& message, CFrame* frame) {
  if (waiting.size() >= kMaxWaiting) waiting.pop_front();
  waiting.push_back(message);
  showNext(frame);
}

void EditorAlert::idle(CFrame* frame) {
  program.poll();  // reaps the program once the user has closed its window
  if (overlay && overlay->isDismissed()) {
    removeOverlay(frame);
    if (frame) frame->invalid();
  }
  showNext(frame);
}

void EditorAlert::close(CFrame* frame) {
  removeOverlay(frame);
  program.end();
  waiting.clear();
}

void EditorAlert::removeOverlay(CFrame* frame) {
  // The frame hands its reference back only while the overlay is its modal view; otherwise
  // the frame still owns it and releases it when it closes.
  if (overlay && frame && frame->getModalView() == overlay) {
    frame->setModalView(nullptr);
    overlay->forget();
  }
  overlay = nullptr;
}

void EditorAlert::showNext(CFrame* frame) {
  // An alert waits while another is up, or while a menu, picture or dialog holds the panel.
  if (waiting.empty() || overlay || program.running()) return;
  if (frame && frame->getModalView()) return;
  const std::string message = waiting.front();
  waiting.pop_front();
  last = message;
  if (XPlatDisplayAlert(message.c_str(), program) || !frame) return;
  // No alert program: the message is drawn over the panel.
  auto* view = new AlertOverlay(frame->getViewSize(), message);
  if (frame->setModalView(view)) {
    overlay = view;
  } else {
    view->forget();
  }
}
