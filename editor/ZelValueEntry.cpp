#include "ZelValueEntry.h"

#include "CDrawContext.h"

ZelValueEntry::ZelValueEntry(const CRect& place, CControlListener* owner, int32_t id,
                             const char* initialText)
    : CTextEdit(place, owner, id, initialText) {
  setMaxLength(16);
  setHoriAlign(kCenterText);
  setBackColor(CColor(20, 22, 24, 255));
  setFrameColor(CColor(214, 170, 74, 255));
  setFontColor(CColor(240, 236, 226, 255));
}

void ZelValueEntry::looseFocus() { endEditing(false); }

void ZelValueEntry::draw(CDrawContext* context) {
  CTextEdit::draw(context);
  // An amber outline says the field takes typing.
  context->setFrameColor(getFrameColor());
  context->setLineWidth(1);
  context->drawRect(getViewSize(), kDrawStroked);
}
