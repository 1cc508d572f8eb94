// The field where a user types a parameter value over its display ("-18", "8:1",
// "250"): Return or Enter reports the text to the listener, Escape or a click
// elsewhere cancels. The editor removes the field once it is no longer editing.
#pragma once

#include "CTextEdit.h"

class ZelValueEntry : public CTextEdit {
public:
  ZelValueEntry(const CRect& size, CControlListener* listener, int32_t tag, const char* text);

  // Focus taken away (a click elsewhere): the typed text is dropped.
  void looseFocus() override;
  void draw(CDrawContext* context) override;
};
