#include "FileNames.h"

#include <cstring>

bool XPlatGetFileNameAndDir(const char* path, char* name, char* dir) {
  if (!path || !name || !dir) return false;
  const char* slash = std::strrchr(path, '/');
  if (!slash) return false;
  const size_t dirLength = static_cast<size_t>(slash - path) + 1;
  const size_t nameLength = std::strlen(slash + 1);
  if (nameLength == 0 || nameLength >= kPathFieldSize || dirLength >= kPathFieldSize) return false;
  std::memcpy(dir, path, dirLength);
  dir[dirLength] = 0;
  std::memcpy(name, slash + 1, nameLength + 1);
  return true;
}

void removeExtensions(char* name) {
  if (!name || !name[0]) return;
  if (char* dot = std::strchr(name + 1, '.')) *dot = 0;
}
