#include "CTextEdit.h"

#include <cmath>
#include <cstring>

#include "CFrame.h"
#include "IPlatformBitmap.h"
#include "TextUtf8.h"

namespace {

// Measures text widths with a font, outside of any drawing.
class TextMeasure {
public:
  explicit TextMeasure(const CFontDesc& font) : bitmap(IPlatformBitmap::create(CPoint(1, 1))) {
    if (bitmap) context = bitmap->createDrawContext();
    if (context) context->setFont(&font);
  }
  ~TextMeasure() {
    if (context) context->forget();
    if (bitmap) bitmap->forget();
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  CCoord width(const std::string& s) { return context ? context->getStringWidth(s.c_str()) : 0; }

private:
  IPlatformBitmap* bitmap;
  CDrawContext* context = nullptr;
};

// Cuts s to at most max bytes without splitting a UTF-8 sequence.
std::string cutTo(const std::string& s, size_t max) {
  if (s.size() <= max) return s;
  size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  return s.substr(0, end);
}

}  // namespace

CTextEdit::CTextEdit(const CRect& rect, CControlListener* l, int32_t t, const char* initial,
                     CBitmap* bitmap, int32_t s)
    : CParamDisplay(rect, bitmap, s) {
  listener = l;
  tag = t;
  setWantsFocus(true);
  setText(initial);
}

CTextEdit::~CTextEdit() = default;

void CTextEdit::setText(const char* newText) {
  editing = false;
  allSelected = false;
  text = cutTo(newText ? newText : "", maxLength);
  setDirty(true);
}

void CTextEdit::getText(char* out, size_t outSize) const {
  if (!out || outSize == 0) return;
  size_t n = std::min(text.size(), outSize - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

void CTextEdit::setMaxLength(size_t bytes) {
  maxLength = bytes;
  text = cutTo(text, maxLength);
  editText = cutTo(editText, maxLength);
  if (caret > editText.size()) caret = editText.size();
}

void CTextEdit::beginEditing() {
  if (editing) return;
  editing = true;
  editText = text;
  caret = editText.size();
  allSelected = true;
  setDirty(true);
  if (CFrame* frame = getFrame()) {
    if (frame->getFocusView() != this) frame->setFocusView(this);
  }
  invalid();
}

void CTextEdit::endEditing(bool commit) {
  if (!editing) return;
  editing = false;
  allSelected = false;
  bool changed = commit && editText != text;
  if (changed) text = editText;
  setDirty(true);
  invalid();
  if (CFrame* frame = getFrame()) {
    if (frame->getFocusView() == this) frame->setFocusView(nullptr);
  }
  if (changed) valueChanged();
}

CCoord CTextEdit::textOrigin(CCoord textWidth) const {
  if (horiAlign == kCenterText) return std::round(size.left + (size.getWidth() - textWidth) / 2);
  if (horiAlign == kRightText) return std::round(size.right - textWidth);
  return size.left;
}

size_t CTextEdit::caretFromPoint(const CPoint& where) const {
  TextMeasure measure(font);
  CCoord origin = textOrigin(measure.width(editText));
  size_t best = 0;
  CCoord bestDistance = std::fabs(where.x - origin);
  for (size_t p = utf8Next(editText, 0); p <= editText.size() && p > 0;) {
    CCoord d = std::fabs(where.x - (origin + measure.width(editText.substr(0, p))));
    if (d < bestDistance) {
      bestDistance = d;
      best = p;
    }
    if (p == editText.size()) break;
    p = utf8Next(editText, p);
  }
  return best;
}

void CTextEdit::draw(CDrawContext* context) {
  if (!editing) {
    if (style & kNoDrawStyle) return;
    drawBack(context);
    if (!(style & kNoTextStyle)) drawText(context, text.c_str());
    return;
  }
  // While editing, the field is always visible: background colour, frame, text, caret.
  context->setFillColor(backColor.alpha ? backColor : kWhiteCColor);
  context->fillRect(size);
  context->setFont(&font);
  CCoord width = context->getStringWidth(editText.c_str());
  CCoord origin = textOrigin(width);
  if (allSelected && !editText.empty()) {
    context->setFillColor(CColor(fontColor.red, fontColor.green, fontColor.blue, 70));
    context->fillRect(CRect(origin, size.top + 2, origin + width, size.bottom - 2));
  }
  context->setFontColor(fontColor);
  context->drawString(editText.c_str(), size, horiAlign, antialias);
  CCoord x = origin + context->getStringWidth(editText.substr(0, caret).c_str());
  context->setDrawMode(kAliasing);
  context->setLineWidth(1);
  context->setLineStyle(kLineSolid);
  context->setFrameColor(fontColor);
  context->drawLine(CPoint(std::floor(x), size.top + 2), CPoint(std::floor(x), size.bottom - 3));
  context->setFrameColor(frameColor);
  context->drawRect(size);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  if (!editing) {
    beginEditing();
  } else {
    allSelected = false;
    caret = caretFromPoint(where);
    invalid();
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::insert(const std::string& utf8) {
  if (allSelected) {
    editText.clear();
    caret = 0;
    allSelected = false;
  }
  if (editText.size() + utf8.size() > maxLength) return;
  editText.insert(caret, utf8);
  caret += utf8.size();
}

void CTextEdit::deleteSelectionOrRange(size_t from, size_t to) {
  if (allSelected) {
    editText.clear();
    caret = 0;
    allSelected = false;
    return;
  }
  if (from >= to) return;
  editText.erase(from, to - from);
  caret = from;
}

int32_t CTextEdit::onKeyDown(CKeyCode& key) {
  if (!editing) return kKeyNotHandled;
  switch (key.virt) {
    case kVKeyReturn:
    case kVKeyEnter:
    case kVKeyTab:
      endEditing(true);
      return kKeyHandled;
    case kVKeyEscape:
      endEditing(false);
      return kKeyHandled;
    case kVKeyBack:
      deleteSelectionOrRange(utf8Previous(editText, caret), caret);
      break;
    case kVKeyDelete:
      deleteSelectionOrRange(caret, utf8Next(editText, caret));
      break;
    case kVKeyLeft:
      caret = allSelected ? 0 : utf8Previous(editText, caret);
      allSelected = false;
      break;
    case kVKeyRight:
      caret = allSelected ? editText.size() : utf8Next(editText, caret);
      allSelected = false;
      break;
    case kVKeyHome:
    case kVKeyUp:
      caret = 0;
      allSelected = false;
      break;
    case kVKeyEnd:
    case kVKeyDown:
      caret = editText.size();
      allSelected = false;
      break;
    default: {
      int32_t c = key.character;
      if (c == 0 && key.virt == kVKeySpace) c = ' ';
      if (c == 0 && key.virt >= kVKeyNumpad0 && key.virt <= kVKeyNumpad0 + 9)
        c = '0' + (key.virt - kVKeyNumpad0);
      // Command shortcuts are not text; keys without a character are swallowed while editing.
      if (c >= 32 && !(c >= 127 && c < 160) && !(key.modifier & kKeyModCommand))
        insert(encodeUtf8(static_cast<uint32_t>(c)));
      break;
    }
  }
  invalid();
  return kKeyHandled;
}

int32_t CTextEdit::onKeyUp(CKeyCode&) { return editing ? kKeyHandled : kKeyNotHandled; }

void CTextEdit::looseFocus() { endEditing(true); }
