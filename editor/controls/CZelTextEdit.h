// The preset bar's name field: the toolkit's text edit, with styling operations that
// are accepted and ignored.
#pragma once

#include "CColor.h"
#include "CTextEdit.h"

class CZelTextEdit : public CTextEdit {
public:
  // The final flag is accepted for the callers' sake and not used.
  CZelTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text,
               CBitmap* background, int32_t style, bool unused = false);
  ~CZelTextEdit() override;

  // True while the user is typing into the field.
  virtual bool isBeingEdited() const;
  // Styling of the edit state: ignored.
  virtual void setCustomFontEditionColor(CColor color);
  virtual void setCustomFontHighlightedColor(CColor color);
  virtual void setCustomHighlightColor(CColor color);
  virtual void setCustomCaretColor(CColor color);
  virtual void setCustomFontEditionWeight(float weight);
  // Ignored: editing ends through the toolkit text edit (Return, Escape, a click elsewhere).
  void endEditMode(bool commit);
};
