// The plug-in's editor object (named after its panel design, revision 2.45): an
// 811 x 286 bitmap panel in the host's window, with its own lock around opening,
// closing and the open-state idle work.
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
  // UI thread: shows parameter changes recorded since the last idle and redraws dirty views.
  void idle() override;
  // Any thread, inside the effect's lock. Touches no view: the effect has recorded the
  // change, and the next idle shows it.
  void setParameter(VstInt32 index, float value) override;
  void suspend() override {}
  void resume() override {}

  bool isOpen() const { return frame != nullptr; }
  // The lock around opening, closing and the open-state idle work.
  XPlatMutex* getEditorLock() const { return editorLock; }

private:
  // UI thread, editor lock held, editor open: moves recorded changes into the controls.
  void showParameterChanges();
  // UI thread: puts a parameter's value on its control and display.
  void showParameter(int index, float value);

  CBitmap* background = nullptr;
  XPlatMutex* editorLock = nullptr;
};
