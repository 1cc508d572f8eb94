// A text field edited in place: a click starts editing with a caret (the whole text
// selected), typed characters replace the selection or go in at the caret, Backspace,
// Delete, Left, Right, Home and End edit and move, Return / Enter / Tab or a click
// elsewhere commits (the listener hears of a changed text), Escape cancels.
// Keys come from the window or through CFrame::onKeyDown. UI thread only.
#pragma once

#include <string>

#include "CParamDisplay.h"

class CTextEdit : public CParamDisplay {
public:
  CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr, int32_t style = 0);
  ~CTextEdit() override;

  // Replaces the text (cut to the maximum length); ends an edit in progress without commit.
  virtual void setText(const char* text);
  // The committed text.
  const char* getText() const { return text.c_str(); }
  // Copies the committed text into out (size bytes, always terminated).
  void getText(char* out, size_t outSize) const;
  // Longest text in bytes (default 255).
  void setMaxLength(size_t bytes);
  size_t getMaxLength() const { return maxLength; }

  // Edit state.
  bool isEditing() const { return editing; }
  const std::string& getEditText() const { return editText; }
  size_t getCaretPosition() const { return caret; }
  bool isAllSelected() const { return allSelected; }
  // Starts editing (as a click does) / ends it keeping or dropping the edited text.
  void beginEditing();
  void endEditing(bool commit);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;
  int32_t onKeyUp(CKeyCode& keyCode) override;
  void looseFocus() override;

protected:
  // Left edge of text of the given width laid out in the view.
  CCoord textOrigin(CCoord textWidth) const;

private:
  void insert(const std::string& utf8);
  void deleteSelectionOrRange(size_t from, size_t to);
  size_t caretFromPoint(const CPoint& where) const;

  std::string text;
  std::string editText;
  size_t caret = 0;
  size_t maxLength = 255;
  bool editing = false;
  bool allSelected = false;
};
