// Opens the user manual with the desktop's document viewer (xdg-open), beside the host.
#pragma once

#include <string>

#include "ChildProcess.h"

// Where the manual lives inside the user's documents folder.
constexpr const char* kManualVendorFolder = "zel-trevalon.audio";
constexpr const char* kManualProductFolder = "Zel Trevalon";
constexpr const char* kManualFileName = "Zel Trevalon Operation Manual.pdf";

// The user's documents folder: XDG_DOCUMENTS_DIR from the environment or from
// user-dirs.dirs in the configuration folder, else ~/Documents. No trailing '/'.
std::string userDocumentsFolder();
// The manual's path in the documents folder.
std::string manualInDocuments();
// The alert text for a manual that cannot be opened, naming the documents path.
std::string manualAlertText();

class ManualOpener {
public:
  // UI thread: starts the viewer on the manual in the documents folder, else on the copy
  // installed beside the plug-in file (folder pluginFolder, may be null). False (nothing
  // started) when neither file exists or the viewer cannot be started.
  bool open(const char* pluginFolder);
  // UI thread, without blocking: true once the viewer's start has finished; failed is set
  // when it reported an error.
  bool poll(bool& failed);
  bool busy() const { return viewer.running(); }
  // Ends a viewer start still running.
  void end() { viewer.end(); }

private:
  ChildProcess viewer;
};
