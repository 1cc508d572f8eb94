#include "AEffGUIEditor.h"

#include <time.h>

#include <algorithm>

#include "AudioEffectX.h"
#include "CDrawContext.h"
#include "CFrame.h"

namespace {

// Virtual key of an ASCII control character (0: none).
uint8_t virtualKeyOfControlCharacter(VstInt32 character) {
  switch (character) {
    case 8:
      return kVKeyBack;
    case 9:
      return kVKeyTab;
    case 10:
    case 13:
      return kVKeyReturn;
    case 27:
      return kVKeyEscape;
    case 127:
      return kVKeyDelete;
    default:
      return 0;
  }
}

// Converts the host's key code to the toolkit's: both use the VST virtual keys and modifier
// bits. Hosts that send editing keys as ASCII control characters alone (Backspace 8,
// Return 13, Escape 27) get them as the virtual keys they stand for.
CKeyCode toToolkitKey(const VstKeyCode& key) {
  CKeyCode code;
  code.character = key.character;
  code.virt = key.virt;
  code.modifier = key.modifier;
  if (code.virt == 0) code.virt = virtualKeyOfControlCharacter(code.character);
  if (code.virt != 0 && code.character > 0 && code.character < 32) code.character = 0;
  if (code.virt == kVKeyDelete && code.character == 127) code.character = 0;
  return code;
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffectX* owner) : AEffEditor(owner), effectX(owner) {
  if (owner) owner->setEditor(this);
  nextIdleTicks = getTicks();
}

AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(ERect** r) {
  *r = &rect;
  return true;
}

bool AEffGUIEditor::open(void* window) {
  hostWindow = window;
  systemWindow = window;
  return false;
}

void AEffGUIEditor::close() {
  hostWindow = nullptr;
  systemWindow = nullptr;
}

void AEffGUIEditor::idle() {
  if (!inHostIdle && frame) frame->idle();
}

void AEffGUIEditor::draw(ERect* r) {
  if (!frame) return;
  CRect area;
  if (r) {
    area = CRect(std::min(r->left, r->right), std::min(r->top, r->bottom),
                 std::max(r->left, r->right), std::max(r->top, r->bottom));
  } else {
    area = CRect(0, 0, frame->getWidth(), frame->getHeight());
  }
  if (CDrawContext* context = frame->createDrawContext()) {
    frame->drawRect(context, area);
    context->forget();
  }
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
  if (!frame) return false;
  CKeyCode key = toToolkitKey(keyCode);
  return frame->onKeyDown(key) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
  if (!frame) return false;
  CKeyCode key = toToolkitKey(keyCode);
  return frame->onKeyUp(key) > 0;
}

bool AEffGUIEditor::onWheel(float distance) {
  if (!frame) return false;
  CPoint where;
  frame->getCurrentMouseLocation(where);
  return frame->onWheel(where, distance, frame->getCurrentMouseButtons());
}

bool AEffGUIEditor::setKnobMode(VstInt32 val) {
  setToolkitKnobMode(val);
  return true;
}

int32_t AEffGUIEditor::getKnobModeProcessWide() { return getToolkitKnobMode(); }

PlatformFrameFactory AEffGUIEditor::getPlatformFrameFactory() const {
  return platformFactory ? platformFactory : VSTGUIEditorInterface::getPlatformFrameFactory();
}

void AEffGUIEditor::beginEdit(int32_t index) {
  if (effectX) effectX->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32_t index) {
  if (effectX) effectX->endEdit(index);
}

uint32_t AEffGUIEditor::getTicks() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

void AEffGUIEditor::runEventLoop(uint32_t ms) {
  if (frame) frame->processEvents();
  timespec pause{0, static_cast<long>(ms) * 1000000L};
  nanosleep(&pause, nullptr);
}

void AEffGUIEditor::wait(uint32_t ms) {
  const uint32_t until = getTicks() + ms;
  do {
    runEventLoop(std::min<uint32_t>(ms, 4));
  } while (static_cast<int32_t>(until - getTicks()) > 0);
}

void AEffGUIEditor::doIdleStuff() {
  uint32_t now = getTicks();
  if (static_cast<int32_t>(now - nextIdleTicks) < 0) {
    runEventLoop(4);
    now += 4;
    if (static_cast<int32_t>(now - (nextIdleTicks - 50)) < 0) return;
  }
  idle();
  nextIdleTicks = now + 100;
  inHostIdle = true;
  if (effectX) effectX->masterIdle();
  inHostIdle = false;
}

bool AEffGUIEditor::beforeSizeChange(const CRect& newSize, const CRect&) {
  char sizeWindow[] = "sizeWindow";
  if (effectX && effectX->canHostDo(sizeWindow))
    return effectX->sizeWindow(static_cast<VstInt32>(newSize.getWidth()),
                               static_cast<VstInt32>(newSize.getHeight()));
  return true;
}
