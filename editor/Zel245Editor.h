// The plug-in's editor: an 811 x 286 bitmap panel in the host's window, with
// its own lock around opening, closing and the open-state idle work.
#pragma once

#include "CPresetSystemEditor.h"

class CBitmap;
struct XPlatMutex;

class Zel245Editor : public CPresetSystemEditor {
public:
  static constexpr unsigned int kEditorLockWaitMs = 500;

  explicit Zel245Editor(CPresetSystemEffect* owner);
  ~Zel245Editor() override;

  // UI thread: builds the frame in the host's window; false for a null window.
  bool open(void* window) override;
  // UI thread: releases the frame and every view; nothing when closed.
  void close() override;
  // UI thread: redraws dirty views.
  void idle() override;
  // Any thread, inside the effect's lock: shows a parameter's new value.
  void setParameter(VstInt32 index, float value) override;
  void suspend() override {}
  void resume() override {}

  bool isOpen() const { return frame != nullptr; }
  // The lock around opening, closing and the open-state idle work.
  XPlatMutex* getEditorLock() const { return editorLock; }

private:
  CBitmap* background = nullptr;
  XPlatMutex* editorLock = nullptr;
};
