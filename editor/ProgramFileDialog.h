// File dialogs shown by the desktop's dialog program: zenity, else kdialog.
#pragma once

#include "ChildProcess.h"
#include "FileDialog.h"

class ProgramFileDialog : public FileDialog {
public:
  bool start(const FileDialogRequest& request) override;
  bool poll(std::vector<std::string>& chosen) override;
  void cancel() override;

  // The command line for a dialog program ("zenity" or "kdialog"); empty for another.
  static std::vector<std::string> commandFor(const std::string& program,
                                             const FileDialogRequest& request);
  // Paths from a dialog program's output: one per line, empty lines dropped.
  static std::vector<std::string> pathsFromOutput(const std::string& output);

private:
  ChildProcess process;
  FileDialogRequest current;
};
