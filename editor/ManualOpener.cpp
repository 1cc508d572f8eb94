#include "ManualOpener.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace {

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) : std::string();
}

bool isFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file ("$HOME/..." or an absolute
// path), or empty.
std::string documentsFromUserDirs(const std::string& file) {
  std::ifstream in(file);
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  // Lines longer than a path could be are not ours to read.
  while (std::getline(in, line)) {
    if (line.size() > 4096 || line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.compare(0, 5, "$HOME") == 0) value = homeFolder() + value.substr(5);
    if (!value.empty() && value.front() == '/') return value;
  }
  return {};
}

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string userDocumentsFolder() {
  if (const char* env = std::getenv("XDG_DOCUMENTS_DIR"); env && env[0] == '/') {
    return withoutTrailingSlash(env);
  }
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string configFolder =
      config && config[0] == '/' ? std::string(config) : homeFolder() + "/.config";
  std::string documents = documentsFromUserDirs(configFolder + "/user-dirs.dirs");
  if (documents.empty()) documents = homeFolder() + "/Documents";
  return withoutTrailingSlash(documents);
}

std::string manualInDocuments() {
  return userDocumentsFolder() + "/" + kManualVendorFolder + "/" + kManualProductFolder + "/" +
         kManualFileName;
}

std::string manualAlertText() {
  const std::string path = manualInDocuments();
  const std::string home = homeFolder();
  // Inside the home folder the path is shown from "~/", as the user knows it.
  if (!home.empty() && path.compare(0, home.size() + 1, home + "/") == 0) {
    return "Could not open manual file:\n~/\"" + path.substr(home.size() + 1) + "\"";
  }
  return "Could not open manual file:\n\"" + path + "\"";
}

bool ManualOpener::open(const char* pluginFolder) {
  std::string manual = manualInDocuments();
  if (!isFile(manual) && pluginFolder) manual = std::string(pluginFolder) + "/" + kManualFileName;
  if (!isFile(manual)) return false;
  // The path is one argument of its own: no shell ever reads it.
  return viewer.start({"xdg-open", manual});
}

bool ManualOpener::poll(bool& failed) {
  failed = false;
  if (!viewer.poll()) return false;
  failed = viewer.exitStatus() != 0;
  return true;
}
