#include "CPresetSystemEditor.h"

#include "BankImage.h"
#include "CPresetSystemEffect.h"

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* owner)
    : AEffGUIEditor(owner), presetEffect(owner) {}

bool CPresetSystemEditor::open(void* window) { return AEffGUIEditor::open(window); }

void CPresetSystemEditor::close() { AEffGUIEditor::close(); }

void CPresetSystemEditor::idle() {
  // Through the base, whose guard keeps the frame out of an idle the host runs from
  // inside our own host-idle request.
  if (presetEffect) AEffGUIEditor::idle();
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
  // Only marks: the editor's idle shows the values on its own thread.
  if (presetEffect) presetEffect->getParameterChanges().markAll();
}
