#include "Zel245Editor.h"

#include <algorithm>
#include <cmath>

#include "CAbout.h"
#include "CAnimKnob3.h"
#include "COldVuMeter2.h"
#include "CPresetSystemEffect.h"
#include "CZelBitmap.h"
#include "CZelHorizontalSwitch.h"
#include "MyFrame.h"
#include "PluginBundle.h"
#include "ValueText.h"
#include "XPlatMutex.h"
#include "ZelImageIds.h"
#include "ZelOnOffButton.h"
#include "ZelPanelLayout.h"
#include "ZelParameterTable.h"
#include "ZelValueDisplay.h"
#include "ZelValueEntry.h"
#include "ZelValueReading.h"

using namespace zelpanel;

namespace {

const CColor kDisplayTextColor(180, 180, 180, 255);

// The rectangle of a picture placed at (x, y): one frame of a strip of `frames`.
CRect placeOf(CBitmap* image, CCoord x, CCoord y, double frames) {
  return CRect(x, y, x + image->getWidth(), y + image->getHeight() / frames);
}

}  // namespace

Zel245Editor::Zel245Editor(CPresetSystemEffect* owner) : CPresetSystemEditor(owner) {
  GetPluginBundle();
  editorLock = XPlatCreateMutex();
  background = new CZelBitmap(ZelImageId::kPanel);
  rect.top = 0;
  rect.left = 0;
  rect.bottom = static_cast<int16_t>(background->getHeight());
  rect.right = static_cast<int16_t>(background->getWidth());
}

Zel245Editor::~Zel245Editor() {
  close();
  // Nobody may be inside the editor while it goes.
  if (XPlatLockMutex(editorLock, kXPlatWaitForever)) XPlatUnlockMutex(editorLock);
  XPlatDeleteMutex(editorLock);
  if (background) background->forget();
}

bool Zel245Editor::open(void* window) {
  XPlatLockGuard guard(editorLock, kEditorLockWaitMs);
  if (!guard.locked()) return false;  // another thread is opening or closing
  if (!background || !window) return false;
  if (frame) close();  // a second open without close rebuilds the panel
  AEffGUIEditor::open(window);

  const CRect size(rect.left, rect.top, rect.left + background->getWidth(),
                   rect.top + background->getHeight());
  MyFrame* newFrame = new MyFrame(size, window, this);
  if (!newFrame->isOpen()) {
    newFrame->close();
    CPresetSystemEditor::close();
    return false;
  }
  newFrame->setBackground(background);
  setKnobMode(kLinearMode);
  frame = newFrame;
  buildPanel();
  CPresetSystemEditor::open(window);  // the preset bar
  frame->invalid();
  return true;
}

void Zel245Editor::buildPanel() {
  addKnobs();
  addDisplays();
  addSwitches();
  addMeterAndAbout();
}

void Zel245Editor::addKnobs() {
  for (const KnobPlace& k : kKnobs) {
    CBitmap* image = new CZelBitmap(k.image);
    const CCoord frameHeight = image->getHeight() / k.frames;
    auto* knob = new CAnimKnob3(placeOf(image, k.x, k.y, k.frames), this, k.tag, k.frames,
                                image->getWidth(), frameHeight, image, CPoint(0, 0));
    knob->setDragRange(k.dragRange);
    knob->setFineFactor(kKnobFineFactor);
    knob->setWheelStep(k.wheelStep);
    knob->setWheelFineFactor(k.wheelFineFactor);
    knob->setDefaultValue(zelParameterInfo(k.tag)->resetValue);
    knob->setValue(effect->getParameter(k.tag));
    frame->addView(knob);
    image->forget();
    parameterControls[k.tag] = knob;
  }
}

void Zel245Editor::addDisplays() {
  for (const DisplayPlace& d : kDisplays) {
    const CRect place(d.x, d.y, d.x + d.width, d.y + d.height);
    auto* display = new ZelValueDisplay(place, this, d.tag, background);
    display->setFont(d.smallFont ? kNormalFontSmall : kNormalFont);
    display->setFontColor(kDisplayTextColor);
    display->setHoriAlign(kCenterText);
    display->setStyle(kNoFrame);
    display->setMin(static_cast<float>(kDisplayMin));
    display->setMax(static_cast<float>(kDisplayMax));
    display->setValueToStringProc(zelParameterInfo(d.tag)->readOut, nullptr);
    display->setValue(
        static_cast<float>(zelOpeningDisplayValue(d.tag, effect->getParameter(d.tag))));
    frame->addView(display);
    valueDisplays[d.tag] = display;
  }
}

void Zel245Editor::addSwitches() {
  for (const ButtonPlace& b : kButtons) {
    CBitmap* image = new CZelBitmap(b.image);
    auto* button = new ZelOnOffButton(placeOf(image, b.x, b.y, 2), this, b.tag, image);
    button->setValue(effect->getParameter(b.tag));
    frame->addView(button);
    image->forget();
    parameterControls[b.tag] = button;
  }
  CBitmap* image = new CZelBitmap(ZelImageId::kChannelSwitch);
  auto* channel = new CZelHorizontalSwitch(
      placeOf(image, kChannelX, kChannelY, kChannelPositions), this, kChannel, kChannelPositions,
      image->getHeight() / kChannelPositions, kChannelPositions, image, CPoint(0, 0));
  channel->setDefaultValue(zelParameterInfo(kChannel)->resetValue);
  channel->setValue(effect->getParameter(kChannel));
  frame->addView(channel);
  image->forget();
  parameterControls[kChannel] = channel;
}

void Zel245Editor::addMeterAndAbout() {
  CBitmap* face = new CZelBitmap(ZelImageId::kMeterFace);
  CBitmap* cover = new CZelBitmap(ZelImageId::kMeterCover);
  CBitmap* bypassedFace = new CZelBitmap(ZelImageId::kMeterFaceBypassed);
  meter = new COldVuMeter2(kMeterRect, this, kMeterTag, face, cover, bypassedFace,
                           CPoint(kMeterPivotX, kMeterPivotY), kMeterInnerRadiusPlusOne,
                           kMeterOuterRadiusPlusOne);
  meter->setMin(kMeterMin);
  meter->setMax(kMeterMax);
  meter->setDefaultValue(kMeterRest);
  meter->setValue(kMeterRest);
  meter->setState(static_cast<int32_t>(effect->getParameter(kPower) + 0.5f));
  frame->addView(meter);
  face->forget();
  cover->forget();
  bypassedFace->forget();

  CBitmap* picture = new CZelBitmap(ZelImageId::kAboutPicture);
  aboutBox = new CAbout(kAboutRect, this, kAboutTag, picture, kAboutPictureArea, CPoint(0, 0),
                        CPoint(kVersionX, kVersionY));
  frame->addView(aboutBox);
  picture->forget();
}

void Zel245Editor::clearControls() {
  std::fill(std::begin(parameterControls), std::end(parameterControls), nullptr);
  std::fill(std::begin(valueDisplays), std::end(valueDisplays), nullptr);
  meter = nullptr;
  aboutBox = nullptr;
  valueEntry = nullptr;
}

void Zel245Editor::close() {
  XPlatLockGuard guard(editorLock, kEditorLockWaitMs);
  if (!guard.locked() || !frame) return;
  clearControls();
  CPresetSystemEditor::close();
  CFrame* closing = frame;
  frame = nullptr;
  closing->close();
}

void Zel245Editor::idle() {
  // Everything, the preset bar's dialog and alert checks included, runs once, under the lock.
  XPlatLockGuard guard(editorLock, kXPlatWaitForever);
  if (!frame) return;
  showParameterChanges();
  feedMeter();
  dropFinishedValueEntry();
  CPresetSystemEditor::idle();
}

void Zel245Editor::setParameter(VstInt32, float) {}

CControl* Zel245Editor::getParameterControl(int index) const {
  return index >= 0 && index < kNumParams ? parameterControls[index] : nullptr;
}

ZelValueDisplay* Zel245Editor::getValueDisplay(int index) const {
  return index >= 0 && index < kNumParams ? valueDisplays[index] : nullptr;
}

void Zel245Editor::showParameterChanges() {
  if (!presetEffect) return;
  ParameterChanges& changes = presetEffect->getParameterChanges();
  const uint32_t changed = changes.take();
  for (int index = 0; index < ParameterChanges::kSlots; ++index) {
    if (changed & (1u << index)) showParameter(index, changes.value(index));
  }
  if (changed & ParameterChanges::kPresetBit) showPresetChange();
}

void Zel245Editor::showParameter(int index, float value) {
  if (CControl* control = getParameterControl(index)) control->setValue(value);
  if (ZelValueDisplay* display = getValueDisplay(index)) {
    display->setValue(static_cast<float>(zelDisplayValue(index, value)));
  }
}

void Zel245Editor::feedMeter() {
  if (!meter || !aboutBox || aboutBox->getValue() != 0.f) return;  // the picture covers it
  float g = effect->getParameter(kGainReductionReadout);
  if (g > kMeterFeedMax) {
    g = kMeterFeedMax;
  } else if (!(g >= kMeterFeedMin)) {
    g = kMeterFeedMin;  // also for not a number
  }
  const auto state = static_cast<int32_t>(effect->getParameter(kPower) + 0.5f);
  if (state != meter->getState()) meter->setState(state);
  meter->setValue(g);
}

void Zel245Editor::valueChanged(CControl* control) {
  CPresetSystemEditor::valueChanged(control);
  if (!control || !effectX) return;
  const int32_t tag = control->getTag();
  if (tag >= ZelValueDisplay::kDisplayTagBase &&
      tag < ZelValueDisplay::kDisplayTagBase + kNumParams) {
    openValueEntry(tag - ZelValueDisplay::kDisplayTagBase);
  } else if (tag >= ZelValueDisplay::kEntryTagBase &&
             tag < ZelValueDisplay::kEntryTagBase + kNumParams) {
    applyValueEntry(static_cast<ZelValueEntry*>(control));
  } else if (static_cast<uint32_t>(tag) < kNumParams) {
    effectX->setParameterAutomated(tag, control->getValue());
  }
}

void Zel245Editor::openValueEntry(int index) {
  ZelValueDisplay* display = getValueDisplay(index);
  if (!frame || !display) return;
  if (valueEntry) {
    frame->removeView(valueEntry, true);
    valueEntry = nullptr;
  }
  // A little larger than the display, so the caret and a longer text fit.
  const CRect shown = display->getViewSize();
  const CCoord width = std::max<CCoord>(shown.getWidth() + 12, 48);
  const CCoord left = shown.left + (shown.getWidth() - width) / 2;
  const CRect place(left, shown.top - 2, left + width, shown.bottom + 2);
  char text[kValueTextSize] = {};
  zelPanelDisplayText(index, effect->getParameter(index), text);
  valueEntry = new ZelValueEntry(place, this, ZelValueDisplay::kEntryTagBase + index, text);
  valueEntry->setFont(kNormalFont);
  frame->addView(valueEntry);
  frame->setFocusView(valueEntry);
  valueEntry->beginEditing();
}

void Zel245Editor::applyValueEntry(ZelValueEntry* entry) {
  const int index = entry->getTag() - ZelValueDisplay::kEntryTagBase;
  float v = 0.f;
  // Text that is not a value of this parameter, or out of its range, changes nothing.
  if (!zelParseValueText(index, entry->getText(), v)) return;
  beginEdit(index);
  effectX->setParameterAutomated(index, v);
  endEdit(index);
}

void Zel245Editor::dropFinishedValueEntry() {
  if (!valueEntry || valueEntry->isEditing()) return;
  frame->removeView(valueEntry, true);
  valueEntry = nullptr;
}
