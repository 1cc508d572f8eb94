#include "CPresetSystemEditor.h"

#include "BankImage.h"
#include "CFrame.h"
#include "CPresetSystemEffect.h"

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* owner)
    : AEffGUIEditor(owner), presetEffect(owner) {}

bool CPresetSystemEditor::open(void* window) { return AEffGUIEditor::open(window); }

void CPresetSystemEditor::close() { AEffGUIEditor::close(); }

void CPresetSystemEditor::idle() {
  if (presetEffect && frame) frame->idle();
}

void CPresetSystemEditor::valueChanged(CControl*) {}

int CPresetSystemEditor::BankToBuffer(char** out) {
  return presetEffect ? ::BankToBuffer(*presetEffect, out) : 0;
}

bool CPresetSystemEditor::BufferToBank(const char* records, size_t recordBytes,
                                       const newpresetheader* header, bool swapped) {
  return presetEffect && header &&
         ::BufferToBank(*presetEffect, records, recordBytes, *header, swapped);
}

void CPresetSystemEditor::byteSwapHeader(newpresetheader* header) { ::byteSwapHeader(header); }

void CPresetSystemEditor::nameChangedExternal(const char*) {}

void CPresetSystemEditor::forceRefresh() {
  if (!presetEffect) return;
  for (VstInt32 i = 0; i < kNumPresetParams; ++i) setParameter(i, presetEffect->getParameter(i));
}
