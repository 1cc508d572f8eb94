// Open and save dialogs for preset and bank files. The dialog runs beside the host:
// start it, then poll it from the editor's idle until it has closed.
#pragma once

#include <string>
#include <vector>

struct FileDialogRequest {
  bool save = false;
  std::string title;
  std::string folder;         // initial folder, ending in '/' or empty
  std::string filterName;     // "Zel Preset"
  std::string extension;      // "zel", without the dot
  std::string suggestedName;  // saving only
};

class FileDialog {
public:
  virtual ~FileDialog() = default;
  // UI thread: shows the dialog; false when no dialog could be shown.
  virtual bool start(const FileDialogRequest& request) = 0;
  // UI thread, without blocking: true once the dialog has closed, with the chosen paths
  // in `chosen` (none when it was cancelled or failed).
  virtual bool poll(std::vector<std::string>& chosen) = 0;
  // UI thread: closes a dialog that is still open.
  virtual void cancel() = 0;
};
