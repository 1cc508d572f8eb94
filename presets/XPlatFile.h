// File access for the preset bar: whole-file reads, and writes that replace a file
// only once the new contents are complete on disk.
#pragma once

// Largest file the loaders read; preset and bank files are a few kilobytes.
constexpr long kXPlatMaxFileSize = 16L * 1024 * 1024;

// Opens the file whose path is dir followed directly by name, and stores a handle (null when it
// cannot be opened). Reading ("rb", so read-only files load too): only regular files up to
// kXPlatMaxFileSize; returns the size in bytes, positioned at the start. Writing: opens a
// temporary file in the same folder, which XPlatFileClose puts in place of the file; returns 0.
long XPlatFileOpen(const char* name, const char* dir, void** handle, bool write);
// Reads up to n bytes; returns the number read (0 for a null handle).
long XPlatFileRead(void* handle, char* buf, long n);
// Writes n bytes; false on failure or a null handle.
bool XPlatFileWrite(void* handle, const char* buf, long n);
// Closes the file. For a write, flushes it to disk and renames it over the target: true only when
// every write succeeded and the new file is in place; otherwise the old file is left as it was.
bool XPlatFileClose(void* handle);

// Writes bytes to path through a temporary file in the same folder, flushed to disk and renamed
// over the old file (mode: permissions of a new file; a replaced file keeps its own). False when
// anything fails; then the old file is unchanged and no temporary file is left.
bool XPlatReplaceFile(const char* path, const char* data, long n, unsigned int mode);
