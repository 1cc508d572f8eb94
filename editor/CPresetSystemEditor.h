// The editor side of the program store: serialises the preset table for the
// state chunk and keeps the editor in step when presets change.
#pragma once

#include "AEffGUIEditor.h"
#include "CControlListener.h"
#include "PreferencesStore.h"
#include "PresetEditorLink.h"
#include "PresetPreferences.h"
#include "RememberedPaths.h"

class CPresetSystemEffect;

class CPresetSystemEditor : public AEffGUIEditor, public CControlListener, public PresetEditorLink {
public:
  explicit CPresetSystemEditor(CPresetSystemEffect* owner);
  // Writes the remembered folder and names if a change of them is not yet stored.
  ~CPresetSystemEditor() override;

  // UI thread: adds the preset bar to the frame the derived editor made; false without one.
  bool open(void* window) override;
  // UI thread: forgets the bar's controls (the frame, closed by the derived editor, owns them).
  void close() override;
  // UI thread, editor open: shows the current preset's name and number in the bar after a
  // preset was selected or renamed from any thread.
  virtual void showPresetChange();
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

  // Preset bar operations on a chosen path (UI thread). Each remembers the file's folder and
  // name; a path whose folder or name does not fit the 256-character buffers is refused. Loads
  // take current or old files of either byte order (reversed: the user's endian-reversed load);
  // a loaded bank ends on preset 0. Saves replace a file only once the new one is complete and
  // return false when they fail.
  virtual bool loadPresetFile(const char* path, bool reversed);
  virtual bool savePresetFile(const char* path);
  virtual bool loadBankFile(const char* path, bool reversed);
  virtual bool saveBankFile(const char* path);
  // The name offered when saving a preset: the last preset file's name cut at its first '.'.
  const char* suggestedPresetName();

  // The default preset, default bank and A/B memories in the user's preferences (UI thread).
  // Stores and resets return false when the preferences could not be written; loads and
  // recalls return false when nothing was stored or the stored image was rejected.
  virtual bool saveDefaultPreset();
  virtual bool resetDefaultPreset();
  virtual bool loadDefaultPreset();
  virtual bool saveDefaultBank();
  virtual bool resetDefaultBank();
  virtual bool loadDefaultBank();
  virtual bool storeA();
  virtual bool recallA();
  virtual bool storeB();
  virtual bool recallB();
  // Writes, and reads back, the remembered folder and file names.
  virtual bool storePathsAndFilenames();
  virtual void recallPathsAndFilenames();

  void loadDefaults() override;
  PresetFileLoad loadFileAtPath(const char* path, PresetFileFilter filter, bool reversed) override;
  bool saveFileAtPath(const char* path, bool bank) override;

  CPresetSystemEffect* getPresetEffect() const { return presetEffect; }
  const RememberedPaths& rememberedPaths() const { return paths; }

protected:
  CPresetSystemEffect* presetEffect;
  // currentDirectory, bankFileName and presetFileName.
  RememberedPaths paths;
  PreferencesStore preferences{kPreferencesDomain};
};
