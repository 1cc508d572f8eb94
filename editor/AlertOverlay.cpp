#include "AlertOverlay.h"

#include <vector>

#include "CDrawContext.h"
#include "CFontDesc.h"

namespace {

constexpr CCoord kBoxWidth = 460;
constexpr CCoord kLineHeight = 18;
constexpr CCoord kPadding = 16;
constexpr CCoord kButtonWidth = 72;
constexpr CCoord kButtonHeight = 24;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  for (;;) {
    const size_t end = text.find('\n', begin);
    lines.push_back(text.substr(begin, end == std::string::npos ? end : end - begin));
    if (end == std::string::npos) return lines;
    begin = end + 1;
  }
}

}  // namespace

AlertOverlay::AlertOverlay(const CRect& frameSize, const std::string& text)
    : CView(frameSize), message(text) {
  setWantsFocus(true);
}

CRect AlertOverlay::boxRect() const {
  const CRect all = getViewSize();
  const CCoord height =
      kPadding * 3 + kLineHeight * static_cast<CCoord>(linesOf(message).size()) + kButtonHeight;
  const CCoord left = all.left + (all.getWidth() - kBoxWidth) / 2;
  const CCoord top = all.top + (all.getHeight() - height) / 2;
  return CRect(left, top, left + kBoxWidth, top + height);
}

CRect AlertOverlay::okButtonRect() const {
  const CRect box = boxRect();
  const CCoord left = box.left + (box.getWidth() - kButtonWidth) / 2;
  return CRect(left, box.bottom - kPadding - kButtonHeight, left + kButtonWidth,
               box.bottom - kPadding);
}

void AlertOverlay::draw(CDrawContext* context) {
  // Dim the panel, then a dark box with light text and a raised OK button.
  context->setFillColor(CColor(0, 0, 0, 140));
  context->fillRect(getViewSize());
  const CRect box = boxRect();
  context->setFillColor(CColor(38, 38, 40, 245));
  context->setFrameColor(CColor(200, 200, 190, 255));
  context->setLineWidth(1);
  context->drawRect(box, kDrawFilledAndStroked);

  context->setFont(kNormalFont);
  context->setFontColor(CColor(235, 232, 220, 255));
  CCoord y = box.top + kPadding;
  for (const std::string& line : linesOf(message)) {
    context->drawString(line.c_str(),
                        CRect(box.left + kPadding, y, box.right - kPadding, y + kLineHeight));
    y += kLineHeight;
  }
  const CRect ok = okButtonRect();
  context->setFillColor(CColor(90, 90, 92, 255));
  context->drawRect(ok, kDrawFilledAndStroked);
  context->drawString("OK", ok);
  setDirty(false);
}

CMouseEventResult AlertOverlay::onMouseDown(CPoint& where, const CButtonState&) {
  if (okButtonRect().pointInside(where)) {
    dismissed = true;
    invalid();
  }
  return kMouseEventHandled;  // nothing under the alert takes clicks
}

int32_t AlertOverlay::onKeyDown(CKeyCode& key) {
  if (key.virt == kVKeyReturn || key.virt == kVKeyEnter || key.virt == kVKeyEscape) {
    dismissed = true;
    return 1;
  }
  return 0;
}
