#include "PluginLocator.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace zelrender {
namespace {

std::string executableDirectory() {
  std::string buffer(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  buffer.resize(static_cast<size_t>(n));
  size_t slash = buffer.rfind('/');
  if (slash == std::string::npos) return {};
  return buffer.substr(0, slash == 0 ? 1 : slash);
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> defaultPluginCandidates() {
  std::vector<std::string> candidates;
  std::string dir = executableDirectory();
  if (!dir.empty()) {
    candidates.push_back(dir + "/" + kDefaultPluginFile);
    candidates.push_back(dir + "/../lib/vst/" + kDefaultPluginFile);
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') {
    candidates.push_back(std::string(home) + "/.vst/" + kDefaultPluginFile);
  }
  return candidates;
}

std::string findDefaultPlugin() {
  for (const std::string& candidate : defaultPluginCandidates()) {
    if (isRegularFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace zelrender
