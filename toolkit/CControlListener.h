// Receives the value changes of controls.
#pragma once

class CControl;

class CControlListener {
public:
  virtual ~CControlListener() = default;
  // The control's value was changed by the user (UI thread).
  virtual void valueChanged(CControl* control) = 0;
};
