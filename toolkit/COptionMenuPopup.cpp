#include "COptionMenuPopup.h"

#include <algorithm>
#include <cmath>

#include "CDrawContext.h"
#include "CFrame.h"
#include "COptionMenu.h"
#include "IPlatformBitmap.h"

namespace {
constexpr CCoord kBorder = 1;
constexpr CCoord kTextPadding = 6;
const CColor kListBack(246, 246, 244);
const CColor kListBorder(80, 80, 80);
const CColor kListText(20, 20, 20);
const CColor kHighlightBack(52, 101, 164);
const CColor kSeparator(210, 210, 210);
}  // namespace

COptionMenuPopup::COptionMenuPopup(COptionMenu* owner, const CRect& frameRect)
    : CView(frameRect), menu(owner) {
  menu->remember();
  count = menu->getNbEntries();
  int32_t perColumn = menu->getNbItemsPerColumn();
  rows = std::max(1, perColumn > 0 ? std::min(perColumn, count) : count);
  int32_t columns = std::max(1, (count + rows - 1) / rows);

  const CFontDesc& font = menu->getFont();
  CCoord maxText = 0;
  if (IPlatformBitmap* scratch = IPlatformBitmap::create(CPoint(1, 1))) {
    if (CDrawContext* context = scratch->createDrawContext()) {
      context->setFont(&font);
      for (int32_t i = 0; i < count; ++i)
        maxText = std::max(maxText, context->getStringWidth(menu->getEntry(i)));
      context->forget();
    }
    scratch->forget();
  }
  rowHeight = std::round(font.getSize() + 7);
  CCoord availableHeight = frameRect.getHeight() - 2 * kBorder;
  if (rows * rowHeight > availableHeight) rowHeight = std::max<CCoord>(4, availableHeight / rows);
  columnWidth = std::ceil(rowHeight + maxText + kTextPadding * 2);
  CCoord availableWidth = frameRect.getWidth() - 2 * kBorder;
  if (columns * columnWidth > availableWidth) columnWidth = std::floor(availableWidth / columns);

  CCoord width = columns * columnWidth + 2 * kBorder;
  CCoord height = rows * rowHeight + 2 * kBorder;
  const CRect& anchor = menu->getViewSize();
  CCoord left = anchor.left, top = anchor.bottom;
  if (top + height > frameRect.bottom) top = anchor.top - height;
  if (top < frameRect.top) top = std::max(frameRect.top, frameRect.bottom - height);
  if (left + width > frameRect.right) left = frameRect.right - width;
  if (left < frameRect.left) left = frameRect.left;
  listRect = CRect(left, top, left + width, top + height);

  if (CFrame* frame = menu->getFrame()) frame->getCurrentMouseLocation(pressPoint);
}

COptionMenuPopup::~COptionMenuPopup() {
  // Destroyed without finish (its frame closed): the menu must not point here any more.
  if (!finished && menu->popup == this) menu->popup = nullptr;
  menu->forget();
}

CRect COptionMenuPopup::getEntryRect(int32_t index) const {
  if (index < 0 || index >= count) return CRect();
  int32_t column = index / rows, row = index % rows;
  CCoord x = listRect.left + kBorder + column * columnWidth;
  CCoord y = listRect.top + kBorder + row * rowHeight;
  return CRect(x, y, x + columnWidth, y + rowHeight);
}

int32_t COptionMenuPopup::entryAt(const CPoint& where) const {
  CRect inner = listRect;
  inner.inset(kBorder, kBorder);
  if (!inner.pointInside(where)) return -1;
  auto column = static_cast<int32_t>((where.x - inner.left) / columnWidth);
  auto row = static_cast<int32_t>((where.y - inner.top) / rowHeight);
  if (row >= rows) return -1;
  int32_t index = column * rows + row;
  return index < count ? index : -1;
}

void COptionMenuPopup::draw(CDrawContext* context) {
  context->setDrawMode(kAliasing);
  context->setLineStyle(kLineSolid);
  context->setLineWidth(1);
  context->setFillColor(kListBack);
  context->setFrameColor(kListBorder);
  context->drawRect(listRect, kDrawFilledAndStroked);
  context->setFont(&menu->getFont());
  int32_t current = menu->getCurrent();
  for (int32_t i = 0; i < count; ++i) {
    CRect r = getEntryRect(i);
    bool lit = i == highlighted;
    if (lit) {
      context->setFillColor(kHighlightBack);
      context->fillRect(r);
    }
    CColor ink = lit ? kWhiteCColor : kListText;
    if (i == current) {
      // A tick in the mark column.
      CCoord m = rowHeight;
      context->setDrawMode(kAntialias);
      context->setLineWidth(1.5);
      context->setFrameColor(ink);
      context->moveTo(CPoint(r.left + m * 0.28, r.top + m * 0.52));
      context->lineTo(CPoint(r.left + m * 0.45, r.top + m * 0.70));
      context->lineTo(CPoint(r.left + m * 0.75, r.top + m * 0.30));
      context->setDrawMode(kAliasing);
      context->setLineWidth(1);
    }
    CRect textRect(r.left + rowHeight, r.top, r.right - kTextPadding, r.bottom);
    context->setFontColor(ink);
    context->drawString(menu->getEntry(i), textRect, kLeftText, true);
    if (i % rows == 0 && i > 0) {
      context->setFrameColor(kSeparator);
      context->drawLine(CPoint(r.left, listRect.top + kBorder),
                        CPoint(r.left, listRect.bottom - kBorder - 1));
    }
  }
}

void COptionMenuPopup::setHighlighted(int32_t index) {
  if (index == highlighted) return;
  CRect old = getEntryRect(highlighted);
  highlighted = index;
  if (CFrame* frame = getFrame()) {
    frame->invalidRect(old);
    frame->invalidRect(getEntryRect(highlighted));
  }
}

CMouseEventResult COptionMenuPopup::onMouseDown(CPoint& where, const CButtonState& buttons) {
  openingPress = false;
  int32_t index = entryAt(where);
  if (index >= 0) {
    if (buttons & kLButton) finish(index);
  } else if (!listRect.pointInside(where)) {
    finish(-1);
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult COptionMenuPopup::onMouseUp(CPoint& where, const CButtonState&) {
  if (!openingPress) return kMouseEventHandled;
  openingPress = false;
  // Press on the menu, drag to an entry, release: that entry is chosen.
  bool moved = std::fabs(where.x - pressPoint.x) > 4 || std::fabs(where.y - pressPoint.y) > 4;
  int32_t index = entryAt(where);
  if (moved && index >= 0) finish(index);
  return kMouseEventHandled;
}

CMouseEventResult COptionMenuPopup::onMouseMoved(CPoint& where, const CButtonState&) {
  setHighlighted(entryAt(where));
  return kMouseEventHandled;
}

bool COptionMenuPopup::onWheel(const CPoint&, const float&, const CButtonState&) { return true; }

int32_t COptionMenuPopup::onKeyDown(CKeyCode& key) {
  int32_t from = highlighted >= 0 ? highlighted : menu->getCurrent();
  switch (key.virt) {
    case kVKeyEscape:
      finish(-1);
      return kKeyHandled;
    case kVKeyReturn:
    case kVKeyEnter:
      finish(highlighted);
      return kKeyHandled;
    case kVKeyUp:
      setHighlighted(std::max(0, from - 1));
      return kKeyHandled;
    case kVKeyDown:
      setHighlighted(std::min(count - 1, from + 1));
      return kKeyHandled;
    case kVKeyLeft:
      setHighlighted(from - rows >= 0 ? from - rows : from);
      return kKeyHandled;
    case kVKeyRight:
      setHighlighted(from + rows < count ? from + rows : from);
      return kKeyHandled;
    default:
      return kKeyHandled;  // the open list keeps every key
  }
}

int32_t COptionMenuPopup::onKeyUp(CKeyCode&) { return kKeyHandled; }

void COptionMenuPopup::finish(int32_t chosen) {
  if (finished) return;
  finished = true;
  remember();  // alive until the end of this call
  CFrame* frame = getFrame();
  bool detached = frame && frame->getModalView() == this && frame->setModalView(nullptr);
  if (frame) frame->invalidRect(listRect);
  COptionMenu* owner = menu;
  owner->remember();
  owner->popupClosed(chosen);
  owner->forget();
  if (detached) forget();  // the reference the frame handed back
  forget();
}
