// The editor side of the program store: serialises the preset table for the
// state chunk and keeps the editor in step when presets change.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "AEffGUIEditor.h"
#include "CControlListener.h"
#include "EditorAlert.h"
#include "FileDialog.h"
#include "ManualOpener.h"
#include "PreferencesStore.h"
#include "PresetEditorLink.h"
#include "PresetPreferences.h"
#include "RememberedPaths.h"

class COptionMenu;
class CPresetSystemEffect;
class CSaveLoadButton;
class CView;
class CZelTextEdit;
class CZlKickButton;
class CZlRockerSwitch;

// Makes the file dialog the preset bar shows (tests script the choice with their own).
using FileDialogFactory = std::function<std::unique_ptr<FileDialog>()>;

class CPresetSystemEditor : public AEffGUIEditor, public CControlListener, public PresetEditorLink {
public:
  explicit CPresetSystemEditor(CPresetSystemEffect* owner);
  // Writes the remembered folder and names if a change of them is not yet stored.
  ~CPresetSystemEditor() override;

  // Preset bar control tags.
  enum BarTag : int32_t {
    kNameFieldTag = 20,
    kPresetRockerTag = 21,
    kLoadBankTag = 22,
    kSaveBankTag = 23,
    kLoadPresetTag = 24,
    kSavePresetTag = 25,
    kPresetMenuTag = 32,
    kDefaultBankTag = 33,
    kDefaultPresetTag = 34,
    kStoreATag = 35,
    kStoreBTag = 36,
    kRecallATag = 37,
    kRecallBTag = 38,
    kManualTag = 39,
  };
  // Names are shown cut to this many bytes (stored ones keep one less).
  static constexpr size_t kShownNameLength = 24;

  // UI thread: adds the preset bar to the frame the derived editor made; false without one.
  bool open(void* window) override;
  // UI thread, before the frame closes: ends a dialog, alert or viewer still open and forgets
  // the bar's controls (the frame owns them).
  void close() override;
  // UI thread, editor open: shows the current preset's name and every preset's name in the
  // bar after a preset was selected, renamed or loaded from any thread.
  virtual void showPresetChange();
  // UI thread: finishes a file operation whose dialog has closed, follows the manual viewer
  // and the alerts, then the frame's idle (events, dirty views) while the editor is open.
  void idle() override;
  // Listener for the preset bar's controls (tags 20 to 39; others are left to the derived
  // editor).
  void valueChanged(CControl* control) override;

  // The preset bar's file operations: each shows a file dialog beside the host and finishes
  // at the idle after it closed, acting only on exactly one chosen file. UI thread, editor open.
  virtual void loadPreset(bool reversed);
  virtual void savePreset();
  virtual void loadBank(bool reversed);
  virtual void saveBank();
  // UI thread: opens the user manual in the desktop's viewer; tells the user when it cannot.
  virtual void openManual();
  // The dialogs come from factory (null: the desktop's dialog program). UI thread.
  void setFileDialogFactory(FileDialogFactory factory);
  // The folder whose copy of the manual serves when the documents folder has none (empty:
  // the plug-in file's folder). UI thread.
  void setInstalledManualFolder(const std::string& folder) { installedManualFolder = folder; }
  bool isFileDialogOpen() const { return fileDialog != nullptr; }
  const EditorAlert& getAlert() const { return alert; }

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
  // What a file dialog was opened for.
  enum class FileOperation { none, loadPreset, savePreset, loadBank, saveBank };

  // Shows a file dialog for operation; tells the user when no dialog can be shown.
  void startFileDialog(FileOperation operation, bool reversed, const FileDialogRequest& request);
  // Finishes the operation once its dialog has closed.
  void pollFileDialog();
  void finishFileOperation(FileOperation operation, bool reversed, const std::string& path);
  // Takes the shield off the frame and releases it.
  void removeDialogShield();
  void pollManualViewer();
  // Shows name (cut to kShownNameLength) in the name field and as menu entry `entry`.
  void showName(long entry, const char* name);

  CPresetSystemEffect* presetEffect;
  // currentDirectory, bankFileName and presetFileName.
  RememberedPaths paths;
  PreferencesStore preferences{kPreferencesDomain};

  // The preset bar's controls while the editor is open (the frame owns them), else null.
  CZelTextEdit* nameField = nullptr;
  COptionMenu* presetMenu = nullptr;
  CZlRockerSwitch* presetRocker = nullptr;
  CSaveLoadButton* savePresetButton = nullptr;
  CSaveLoadButton* loadPresetButton = nullptr;
  CZlKickButton* storeAButton = nullptr;
  CZlKickButton* recallAButton = nullptr;
  CZlKickButton* storeBButton = nullptr;
  CZlKickButton* recallBButton = nullptr;
  CZlKickButton* defaultPresetButton = nullptr;
  CSaveLoadButton* saveBankButton = nullptr;
  CSaveLoadButton* loadBankButton = nullptr;
  CZlKickButton* defaultBankButton = nullptr;
  CZlKickButton* manualButton = nullptr;

  // The open file dialog, what it is for, and the view that keeps clicks off the panel.
  FileDialogFactory fileDialogFactory;
  std::unique_ptr<FileDialog> fileDialog;
  FileOperation fileOperation = FileOperation::none;
  bool fileOperationReversed = false;
  CView* dialogShield = nullptr;

  ManualOpener manual;
  std::string installedManualFolder;
  bool manualStarting = false;
  EditorAlert alert;
  bool inBarIdle = false;

  // A name the host gave the current preset, for the next showPresetChange (any thread).
  std::mutex externalNameLock;
  char externalName[kShownNameLength + 1] = {};
  bool externalNamePending = false;
};
