// Editor base on the widget toolkit: speaks the host's editor protocol for a
// frame of toolkit views, and gives the toolkit what it needs of an editor.
#pragma once

#include <cstdint>

#include "AEffEditor.h"
#include "VSTGUIEditorInterface.h"

class AudioEffectX;
class CFrame;
struct CRect;

class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface {
public:
  explicit AEffGUIEditor(AudioEffectX* effect);
  ~AEffGUIEditor() override;

  // Hands out the editor rectangle (valid before the first open); always true.
  bool getRect(ERect** rect) override;
  // Stores the parent window; subclasses build the frame. Returns false here.
  bool open(void* window) override;
  void close() override;
  // UI thread: lets the frame handle its events and redraw dirty views.
  void idle() override;
  // Redraws r (the whole frame for null) at once.
  virtual void draw(ERect* r);
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  bool onWheel(float distance) override;
  bool setKnobMode(VstInt32 val) override;
  static int32_t getKnobModeProcessWide();

  // Gesture brackets from controls, forwarded to the host.
  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;
  // Lets the host and the editor run while something waits (UI thread).
  void doIdleStuff() override;
  // Milliseconds of a monotonic clock.
  virtual uint32_t getTicks();
  // Runs the editor's event handling for ms milliseconds.
  virtual void wait(uint32_t ms);
  // Asks the host to resize its window when it can; true when the size may change.
  virtual bool beforeSizeChange(const CRect& newSize, const CRect& oldSize);

  // The platform of the frames this editor opens from now on: null for real X11 windows
  // (the default), createOffscreenPlatformFrame for pictures without a window. UI thread.
  void setPlatformFrameFactory(PlatformFrameFactory factory) { platformFactory = factory; }
  PlatformFrameFactory getPlatformFrameFactory() const override;

  CFrame* getFrame() const { return frame; }
  AudioEffectX* getEffectX() const { return effectX; }

protected:
  // Runs the platform's event handling for about ms milliseconds.
  void runEventLoop(uint32_t ms);

  AudioEffectX* effectX;
  void* hostWindow = nullptr;
  CFrame* frame = nullptr;
  PlatformFrameFactory platformFactory = nullptr;
  ERect rect{};
  uint32_t nextIdleTicks = 0;
  bool inHostIdle = false;
};
