#include "CControl.h"

#include <cmath>

#include "CControlListener.h"
#include "CFrame.h"
#include "VSTGUIEditorInterface.h"

CControl::CControl(const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap)
    : CView(rect), listener(l), tag(t) {
  setBackground(bitmap);
  setDirty(true);
}

CControl::~CControl() = default;

void CControl::setValue(float v) { value.store(v, std::memory_order_relaxed); }

void CControl::bounceValue() {
  float v = getValue();
  if (std::isnan(v) || v < vmin)
    v = vmin;
  else if (v > vmax)
    v = vmax;
  value.store(v, std::memory_order_relaxed);
}

void CControl::valueChanged() {
  if (listener) listener->valueChanged(this);
}

void CControl::beginEdit() {
  ++openEdits;
  if (CFrame* frame = getFrame())
    if (VSTGUIEditorInterface* editor = frame->getEditor()) editor->beginEdit(tag);
}

void CControl::endEdit() {
  if (openEdits == 0) return;
  --openEdits;
  if (CFrame* frame = getFrame())
    if (VSTGUIEditorInterface* editor = frame->getEditor()) editor->endEdit(tag);
}

bool CControl::removed(CView* parent) {
  while (openEdits > 0) endEdit();
  return CView::removed(parent);
}

bool CControl::checkDefaultValue(CButtonState buttons) {
  if ((buttons & (kMouseButtonMask | kDoubleClick)) != kLButton) return false;
  if ((buttons & kModifierMask) != kCommand) return false;
  if (getValue() != defaultValue) {
    beginEdit();
    setValue(defaultValue);
    valueChanged();
    endEdit();
  }
  return true;
}

void CControl::setDirty(bool state) {
  if (state) {
    oldValue.store(getValue() == -1.f ? 0.f : -1.f, std::memory_order_relaxed);
  } else {
    // While drawing, clean means "as drawn": a value stored meanwhile by another thread
    // keeps the control dirty and is drawn next time.
    oldValue.store(painting ? paintedValue : getValue(), std::memory_order_relaxed);
  }
}

bool CControl::isDirty() const { return getValue() != getOldValue(); }

void CControl::beginPaint() {
  paintedValue = getValue();
  painting = true;
}

void CControl::endPaint(bool coveredWholly) {
  if (coveredWholly) oldValue.store(paintedValue, std::memory_order_relaxed);
  painting = false;
}
