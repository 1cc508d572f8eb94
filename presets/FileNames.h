// Splitting chosen paths into the preset bar's folder and name buffers, and the
// name suggested when saving a preset.
#pragma once

#include <cstddef>

// Folder and file name buffers hold 256 characters and a NUL.
constexpr size_t kPathFieldSize = 257;

// Splits path at its last '/': the part after it goes to name, the part up to and including it to
// dir (both kPathFieldSize buffers). A path without '/', with an empty name, or whose folder or
// name does not fit is refused: false, and neither buffer changes.
bool XPlatGetFileNameAndDir(const char* path, char* name, char* dir);

// Cuts a file name at its first '.' after the first character (a leading '.' stays).
void removeExtensions(char* name);
