// A view with a value between a minimum and a maximum, a tag and a listener.
// Values may be set from any thread (setValue only stores and so marks the control
// dirty); everything else runs on the UI thread.
#pragma once

#include <atomic>

#include "CView.h"

class CControlListener;

class CControl : public CView {
public:
  CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
           CBitmap* background = nullptr);
  ~CControl() override;

  // Stores the value (no clamping, no notification). Any thread.
  virtual void setValue(float value);
  virtual float getValue() const { return value.load(std::memory_order_relaxed); }
  virtual void setMin(float v) { vmin = v; }
  virtual float getMin() const { return vmin; }
  virtual void setMax(float v) { vmax = v; }
  virtual float getMax() const { return vmax; }
  virtual void setDefaultValue(float v) { defaultValue = v; }
  virtual float getDefaultValue() const { return defaultValue; }
  // The value at the last draw (see setDirty).
  virtual void setOldValue(float v) { oldValue.store(v, std::memory_order_relaxed); }
  virtual float getOldValue() const { return oldValue.load(std::memory_order_relaxed); }

  // Clamps the value to min..max (a value that is not a number becomes min).
  virtual void bounceValue();
  // Tells the listener (and marks the control dirty).
  virtual void valueChanged();
  // Start / end of a user gesture, passed to the frame's editor as beginEdit(tag) / endEdit(tag).
  // Every begin gets its end: an end without an open begin is dropped, and gestures still
  // open when the control leaves its frame (the editor closing mid-drag) are ended then.
  virtual void beginEdit();
  virtual void endEdit();
  // Number of gestures begun and not yet ended.
  int32_t getOpenEdits() const { return openEdits; }
  // A left click with exactly the Command modifier (Ctrl on Linux) sets the default value
  // (reported as one gesture if it changes the value); true for such a click.
  virtual bool checkDefaultValue(CButtonState buttons);

  // A control is dirty while its value differs from its old value. Clean sets old = value
  // (the value being drawn, during a draw); dirty sets old = -1 (0 when the value is -1).
  void setDirty(bool state = true) override;
  bool isDirty() const override;
  // Ends open gestures before the control leaves its frame.
  bool removed(CView* parent) override;

  virtual void setListener(CControlListener* l) { listener = l; }
  CControlListener* getListener() const { return listener; }
  void setTag(int32_t t) { tag = t; }
  int32_t getTag() const { return tag; }
  // Where in the background bitmap the control's picture starts.
  virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
  const CPoint& getBackOffset() const { return backOffset; }
  // Value step of one wheel notch.
  void setWheelInc(float inc) { wheelInc = inc; }
  float getWheelInc() const { return wheelInc; }

protected:
  void beginPaint() override;
  void endPaint(bool coveredWholly) override;

  CControlListener* listener;
  int32_t tag;
  float vmin = 0.f;
  float vmax = 1.f;
  float defaultValue = 0.5f;
  float wheelInc = 0.1f;
  CPoint backOffset;

private:
  std::atomic<float> value{0.f};
  std::atomic<float> oldValue{1.f};
  float paintedValue = 0.f;
  int32_t openEdits = 0;
  bool painting = false;
};
