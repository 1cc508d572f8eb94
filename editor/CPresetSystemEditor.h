// The editor side of the program store: serialises the preset table for the
// state chunk and keeps the editor in step when presets change.
#pragma once

#include "AEffGUIEditor.h"
#include "CControlListener.h"
#include "PresetEditorLink.h"

class CPresetSystemEffect;

class CPresetSystemEditor : public AEffGUIEditor, public CControlListener, public PresetEditorLink {
public:
  explicit CPresetSystemEditor(CPresetSystemEffect* owner);

  bool open(void* window) override;
  void close() override;
  // UI thread: the frame's idle (events, dirty views) while the editor is open.
  void idle() override;
  // Listener for the preset bar's controls.
  void valueChanged(CControl* control) override;

  int BankToBuffer(char** out) override;
  bool BufferToBank(const char* records, size_t recordBytes, const newpresetheader* header,
                    bool swapped) override;
  void byteSwapHeader(newpresetheader* header) override;
  void nameChangedExternal(const char* name) override;
  // Any thread: marks every parameter and the preset as changed, for the next idle to show.
  void forceRefresh() override;

  CPresetSystemEffect* getPresetEffect() const { return presetEffect; }

protected:
  CPresetSystemEffect* presetEffect;
};
