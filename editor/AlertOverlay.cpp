#include "AlertOverlay.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "CDrawContext.h"
#include "CFontDesc.h"
#include "IPlatformBitmap.h"

namespace {

constexpr CCoord kMinBoxWidth = 320;
constexpr CCoord kMargin = 24;  // between the box and the panel's edges
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

// Length of the longest start of line (cut at a UTF-8 boundary) narrower than width, at least
// one character; preferably ending just after a '/' or a space.
size_t fittingLength(CDrawContext* measure, const std::string& line, CCoord width) {
  size_t fits = 0;
  for (size_t end = 1; end <= line.size(); ++end) {
    if (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) continue;
    if (measure->getStringWidth(line.substr(0, end).c_str()) > width) break;
    fits = end;
  }
  if (fits == 0) {
    fits = 1;
    while (fits < line.size() && (static_cast<unsigned char>(line[fits]) & 0xC0) == 0x80) ++fits;
    return fits;
  }
  if (fits == line.size()) return fits;
  const size_t breakAt = line.find_last_of("/ ", fits - 1);
  return breakAt != std::string::npos && breakAt > 0 ? breakAt + 1 : fits;
}

}  // namespace

AlertOverlay::AlertOverlay(const CRect& frameSize, const std::string& text)
    : CView(frameSize), message(text) {
  setWantsFocus(true);
  layOut();
}

void AlertOverlay::layOut() {
  const CCoord maxText = getViewSize().getWidth() - 2 * (kMargin + kPadding);
  IPlatformBitmap* bitmap = IPlatformBitmap::create(CPoint(1, 1));
  CDrawContext* measure = bitmap ? bitmap->createDrawContext() : nullptr;
  CCoord widest = 0;
  for (std::string line : linesOf(message)) {
    if (!measure) {
      lines.push_back(line);
      continue;
    }
    measure->setFont(kNormalFont);
    while (!line.empty() && measure->getStringWidth(line.c_str()) > maxText) {
      const size_t n = fittingLength(measure, line, maxText);
      lines.push_back(line.substr(0, n));
      widest = std::max(widest, measure->getStringWidth(lines.back().c_str()));
      line.erase(0, n);
    }
    widest = std::max(widest, measure->getStringWidth(line.c_str()));
    lines.push_back(line);
  }
  if (measure) measure->forget();
  if (bitmap) bitmap->forget();
  boxWidth = std::min(std::max(kMinBoxWidth, std::ceil(widest) + 2 * kPadding),
                      getViewSize().getWidth() - 2 * kMargin);
}

CRect AlertOverlay::boxRect() const {
  const CRect all = getViewSize();
  const CCoord height =
      kPadding * 3 + kLineHeight * static_cast<CCoord>(lines.size()) + kButtonHeight;
  const CCoord left = std::round(all.left + (all.getWidth() - boxWidth) / 2);
  const CCoord top = std::round(all.top + (all.getHeight() - height) / 2);
  return CRect(left, top, left + boxWidth, top + height);
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
  for (const std::string& line : lines) {
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
