// The preset bar's file dialogs, the manual and the alerts: started from the bar's controls,
// followed at the editor's idle, never waited for on the host's thread.
#include <string>
#include <vector>

#include "CFrame.h"
#include "CPresetSystemEditor.h"
#include "CZlKickButton.h"
#include "DialogShield.h"
#include "PluginBundle.h"
#include "ProgramFileDialog.h"

namespace {

const char* const kNoDialogProgramText =
    "No file dialog program was found.\n"
    "Install zenity (or kdialog) to load and save presets and banks.";

FileDialogRequest fileRequest(bool save, const char* title, const char* folder, bool bank,
                              const char* suggestedName) {
  FileDialogRequest request;
  request.save = save;
  request.title = title;
  request.folder = folder;
  request.filterName = bank ? "Zel Bank" : "Zel Preset";
  request.extension = bank ? "zlb" : "zel";
  if (save) request.suggestedName = suggestedName;
  return request;
}

// Puts a kick button back to its released picture when its release went elsewhere (an alert
// drawn over the panel takes the rest of the press).
void release(CZlKickButton* button) {
  if (!button || !button->isPressed()) return;
  CPoint where;
  button->onMouseUp(where, 0);
}

}  // namespace

void CPresetSystemEditor::setFileDialogFactory(FileDialogFactory factory) {
  fileDialogFactory = std::move(factory);
}

void CPresetSystemEditor::loadPreset(bool reversed) {
  startFileDialog(FileOperation::loadPreset, reversed,
                  fileRequest(false, reversed ? "Load preset (endian-reversed)" : "Load preset",
                              paths.currentDirectory, false, ""));
}

void CPresetSystemEditor::savePreset() {
  startFileDialog(
      FileOperation::savePreset, false,
      fileRequest(true, "Save preset", paths.currentDirectory, false, suggestedPresetName()));
}

void CPresetSystemEditor::loadBank(bool reversed) {
  startFileDialog(FileOperation::loadBank, reversed,
                  fileRequest(false, reversed ? "Load bank (endian-reversed)" : "Load bank",
                              paths.currentDirectory, true, ""));
}

void CPresetSystemEditor::saveBank() {
  startFileDialog(FileOperation::saveBank, false,
                  fileRequest(true, "Save bank", paths.currentDirectory, true, paths.bankFileName));
}

void CPresetSystemEditor::startFileDialog(FileOperation operation, bool reversed,
                                          const FileDialogRequest& request) {
  // One dialog at a time; the shield keeps the bar's buttons from asking for another.
  if (!frame || !presetEffect || fileDialog) return;
  std::unique_ptr<FileDialog> dialog =
      fileDialogFactory ? fileDialogFactory() : std::make_unique<ProgramFileDialog>();
  if (!dialog || !dialog->start(request)) {
    alert.show(kNoDialogProgramText, frame);
    return;
  }
  fileDialog = std::move(dialog);
  fileOperation = operation;
  fileOperationReversed = reversed;
  auto* shield = new DialogShield(frame->getViewSize());
  if (frame->setModalView(shield)) {
    dialogShield = shield;
  } else {
    shield->forget();
  }
}

void CPresetSystemEditor::removeDialogShield() {
  // The frame hands its reference back only while the shield is its modal view.
  if (dialogShield && frame && frame->getModalView() == dialogShield) {
    frame->setModalView(nullptr);
    dialogShield->forget();
  }
  dialogShield = nullptr;
}

void CPresetSystemEditor::pollFileDialog() {
  if (!fileDialog) return;
  std::vector<std::string> chosen;
  if (!fileDialog->poll(chosen)) return;
  fileDialog.reset();
  const FileOperation operation = fileOperation;
  fileOperation = FileOperation::none;
  removeDialogShield();
  if (chosen.size() == 1) finishFileOperation(operation, fileOperationReversed, chosen[0]);
  forceRefresh();
}

void CPresetSystemEditor::finishFileOperation(FileOperation operation, bool reversed,
                                              const std::string& path) {
  switch (operation) {
    case FileOperation::loadPreset:
      loadPresetFile(path.c_str(), reversed);
      break;
    case FileOperation::loadBank:
      loadBankFile(path.c_str(), reversed);
      break;
    case FileOperation::savePreset:
      if (!savePresetFile(path.c_str())) {
        alert.show("Could not save the preset file:\n" + path, frame);
      }
      break;
    case FileOperation::saveBank:
      if (!saveBankFile(path.c_str())) alert.show("Could not save the bank file:\n" + path, frame);
      break;
    case FileOperation::none:
      break;
  }
}

void CPresetSystemEditor::openManual() {
  // A viewer still starting is left to finish; a second press adds nothing.
  if (!manualStarting) {
    const char* beside =
        installedManualFolder.empty() ? GetPluginBundle() : installedManualFolder.c_str();
    if (manual.open(beside)) {
      manualStarting = true;
    } else {
      alert.show(manualAlertText(), frame);
    }
  }
  if (alert.getOverlay()) release(manualButton);
}

void CPresetSystemEditor::pollManualViewer() {
  bool failed = false;
  if (!manualStarting || !manual.poll(failed)) return;
  manualStarting = false;
  if (failed) {
    alert.show(manualAlertText(), frame);
    if (alert.getOverlay()) release(manualButton);
  }
}

void CPresetSystemEditor::idle() {
  if (!presetEffect) return;
  // A host may run our idle from inside the work below (it answers updateDisplay with an
  // idle): the nested call leaves the dialog, viewer and alert to this one.
  if (frame && !inBarIdle) {
    inBarIdle = true;
    pollFileDialog();
    pollManualViewer();
    alert.idle(frame);
    inBarIdle = false;
  }
  // Through the base, whose guard keeps the frame out of an idle the host runs from
  // inside our own host-idle request.
  AEffGUIEditor::idle();
}
