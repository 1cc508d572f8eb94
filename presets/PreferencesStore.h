// The per-user preferences file of one domain, $XDG_CONFIG_HOME/<domain>.prefs (default
// ~/.config), shared by every plug-in instance in every process. Reads need no lock: the file
// is only ever replaced whole. Each write locks the file, re-reads it, changes one value and
// replaces it through a temporary file flushed to disk, so concurrent writers lose nothing and
// an interrupted write leaves the previous file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "Preferences.h"

class PreferencesStore {
public:
  // Largest file read; what lies beyond is ignored like a damaged end.
  static constexpr size_t kMaxFileSize = 8u * 1024 * 1024;
  // How long a write waits for another writer before it gives up.
  static constexpr int kLockWaitMs = 5000;

  // Finds the file from the environment now; no file is touched.
  explicit PreferencesStore(const std::string& domain);

  // Empty when there is no home folder to keep the file in.
  const std::string& path() const { return filePath; }

  // The values on disk, read as far as they are valid (none when there is no file).
  Preferences read() const;

  // Each false when the value could not be written; the file is then as it was.
  bool setData(const std::string& key, const char* data, size_t size);
  bool setString(const std::string& key, const std::string& value);
  bool remove(const std::string& key);

  // Applies `change` to the current values under the writers' lock and writes the result.
  bool update(const std::function<void(Preferences&)>& change);

private:
  std::string filePath;
};

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, else the password
// database's home folder followed by .config; empty when none is known.
std::string userConfigFolder();
