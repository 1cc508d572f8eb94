// What the toolkit needs from the editor that owns a frame.
#pragma once

#include <cstdint>

#include "platform/IPlatformFrame.h"

// Mouse behaviour of the toolkit's stock knobs (CKnob).
enum CKnobMode : int32_t { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

// Sets / reads the process-wide knob mode (any thread).
void setToolkitKnobMode(int32_t mode);
int32_t getToolkitKnobMode();

class VSTGUIEditorInterface {
public:
  virtual ~VSTGUIEditorInterface() = default;
  // Start / end of a user gesture on the parameter with this index (UI thread).
  virtual void beginEdit(int32_t index) = 0;
  virtual void endEdit(int32_t index) = 0;
  // Lets the host and the editor run while something waits (UI thread).
  virtual void doIdleStuff() = 0;
  // The knob mode the stock knobs use (default: the process-wide toolkit knob mode).
  virtual int32_t getKnobMode() const;
  // The platform the editor's frames are made on (default: real X11 windows). UI thread.
  virtual PlatformFrameFactory getPlatformFrameFactory() const;
};
