// The editor interface the effect talks to: the host's editor opcodes reach
// these operations through the effect's dispatcher.
#pragma once

#include "VstInterface.h"

class AudioEffect;

class AEffEditor {
public:
  explicit AEffEditor(AudioEffect* owner = nullptr) : effect(owner) {}
  virtual ~AEffEditor() = default;

  // Hands out the editor rectangle; true when one exists.
  virtual bool getRect(ERect** rect) {
    *rect = nullptr;
    return false;
  }
  // Opens the editor inside the host's parent window; true on success.
  virtual bool open(void* window) {
    systemWindow = window;
    return false;
  }
  // Closes the editor window; the object stays.
  virtual void close() { systemWindow = nullptr; }
  // Periodic work, driven by the host's editor-idle calls.
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onWheel(float /*distance*/) { return false; }
  virtual bool setKnobMode(VstInt32 /*val*/) { return false; }
  // Called with every accepted parameter change, from any thread, inside the effect's lock.
  virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
  virtual void suspend() {}
  virtual void resume() {}

  AudioEffect* getEffect() const { return effect; }

protected:
  AudioEffect* effect;
  void* systemWindow = nullptr;
};
