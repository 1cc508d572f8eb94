#include "CZelTextEdit.h"

CZelTextEdit::CZelTextEdit(const CRect& rect, CControlListener* l, int32_t t,
                           const char* initialText, CBitmap* image, int32_t s, bool)
    : CTextEdit(rect, l, t, initialText, image, s) {}

CZelTextEdit::~CZelTextEdit() = default;

bool CZelTextEdit::isBeingEdited() const { return isEditing(); }

void CZelTextEdit::setCustomFontEditionColor(CColor) {}

void CZelTextEdit::setCustomFontHighlightedColor(CColor) {}

void CZelTextEdit::setCustomHighlightColor(CColor) {}

void CZelTextEdit::setCustomCaretColor(CColor) {}

void CZelTextEdit::setCustomFontEditionWeight(float) {}

void CZelTextEdit::endEditMode(bool) {}
