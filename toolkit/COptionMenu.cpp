#include "COptionMenu.h"

#include <cstring>

#include "CBitmap.h"
#include "CFrame.h"
#include "COptionMenuPopup.h"

COptionMenu::COptionMenu(const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap,
                         CBitmap* bitmapWhenOpen, int32_t s)
    : CParamDisplay(rect, bitmap, s), backgroundWhenOpen(bitmapWhenOpen) {
  listener = l;
  tag = t;
  vmin = vmax = defaultValue = 0.f;
  setValue(0.f);
  if (backgroundWhenOpen) backgroundWhenOpen->remember();
}

COptionMenu::~COptionMenu() {
  if (backgroundWhenOpen) backgroundWhenOpen->forget();
}

bool COptionMenu::addEntry(const char* title, int32_t index) {
  if (!title) return false;
  if (index < 0 || index > getNbEntries())
    entries.emplace_back(title);
  else
    entries.insert(entries.begin() + index, title);
  vmax = static_cast<float>(getNbEntries() - 1);
  setDirty(true);
  return true;
}

bool COptionMenu::setEntry(int32_t index, const char* title) {
  if (!title || index < 0 || index >= getNbEntries()) return false;
  entries[static_cast<size_t>(index)] = title;
  setDirty(true);
  return true;
}

bool COptionMenu::removeEntry(int32_t index) {
  if (index < 0 || index >= getNbEntries()) return false;
  entries.erase(entries.begin() + index);
  vmax = static_cast<float>(entries.empty() ? 0 : getNbEntries() - 1);
  bounceValue();
  setDirty(true);
  return true;
}

bool COptionMenu::removeAllEntry() {
  entries.clear();
  vmax = 0;
  setValue(0);
  setDirty(true);
  return true;
}

const char* COptionMenu::getEntry(int32_t index) const {
  if (index < 0 || index >= getNbEntries()) return nullptr;
  return entries[static_cast<size_t>(index)].c_str();
}

bool COptionMenu::getEntry(int32_t index, char* out, size_t outSize) const {
  const char* title = getEntry(index);
  if (!title || !out || outSize == 0) return false;
  size_t n = std::min(std::strlen(title), outSize - 1);
  std::memcpy(out, title, n);
  out[n] = 0;
  return true;
}

bool COptionMenu::setCurrent(int32_t index) {
  if (index < 0 || index >= getNbEntries()) return false;
  setValue(static_cast<float>(index));
  return true;
}

int32_t COptionMenu::getCurrent() const {
  float v = getValue();
  if (!(v >= 0)) return 0;
  auto index = static_cast<int32_t>(v + 0.5f);
  return index < getNbEntries() ? index : (getNbEntries() > 0 ? getNbEntries() - 1 : 0);
}

bool COptionMenu::openPopup() {
  CFrame* frame = getFrame();
  if (popup || !frame || entries.empty()) return false;
  auto* list = new COptionMenuPopup(this, frame->getViewSize());
  if (!frame->setModalView(list)) {
    list->forget();
    return false;
  }
  popup = list;
  setDirty(true);
  return true;
}

void COptionMenu::closePopup() {
  if (popup) popup->finish(-1);
}

void COptionMenu::popupClosed(int32_t chosen) {
  popup = nullptr;
  setDirty(true);
  if (chosen < 0 || chosen >= getNbEntries()) return;
  beginEdit();
  setCurrent(chosen);
  valueChanged();
  endEdit();
}

void COptionMenu::draw(CDrawContext* context) {
  if (style & kNoDrawStyle) return;
  if (popup && backgroundWhenOpen)
    backgroundWhenOpen->draw(context, size, backOffset);
  else
    drawBack(context);
  if (!(style & kNoTextStyle)) drawText(context, getEntry(getCurrent()));
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  openPopup();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COptionMenu::removed(CView* parent) {
  closePopup();
  return CParamDisplay::removed(parent);
}
