#include "Zel245Editor.h"

#include "CPresetSystemEffect.h"
#include "CZelBitmap.h"
#include "MyFrame.h"
#include "PluginBundle.h"
#include "XPlatMutex.h"
#include "ZelImageIds.h"

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
  CPresetSystemEditor::open(window);  // the preset bar
  frame->invalid();
  return true;
}

void Zel245Editor::close() {
  XPlatLockGuard guard(editorLock, kEditorLockWaitMs);
  if (!guard.locked() || !frame) return;
  CPresetSystemEditor::close();
  CFrame* closing = frame;
  frame = nullptr;
  closing->close();
}

void Zel245Editor::idle() {
  CPresetSystemEditor::idle();
  XPlatLockGuard guard(editorLock, kXPlatWaitForever);
  if (!frame) return;
  showParameterChanges();
  CPresetSystemEditor::idle();
}

void Zel245Editor::setParameter(VstInt32, float) {}

void Zel245Editor::showParameterChanges() {
  if (!presetEffect) return;
  ParameterChanges& changes = presetEffect->getParameterChanges();
  const uint32_t changed = changes.take();
  for (int index = 0; index < ParameterChanges::kSlots; ++index) {
    if (changed & (1u << index)) showParameter(index, changes.value(index));
  }
  if (changed & ParameterChanges::kPresetBit) showPresetChange();
}

void Zel245Editor::showParameter(int, float) {}
