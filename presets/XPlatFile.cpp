#include "XPlatFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

constexpr size_t kMaxTemporaryStem = 200;

struct XPlatFile {
  FILE* file = nullptr;
  bool writing = false;
  bool failed = false;
  std::string target;     // writing: the file to replace
  std::string temporary;  // writing: where the new contents go first
};

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

long openForReading(const std::string& path, XPlatFile& f) {
  // Non-blocking open, so a named pipe in place of a preset cannot hang the caller.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kXPlatMaxFileSize) {
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  f.file = ::fdopen(fd, "rb");
  if (!f.file) {
    ::close(fd);
    return -1;
  }
  return static_cast<long>(st.st_size);
}

bool openForWriting(const std::string& path, unsigned int mode, XPlatFile& f) {
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  // A write-protected file stays protected, as it would against writing into it.
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) return false;
  // Beside the target; the name is shortened so the temporary name stays within NAME_MAX.
  std::string pattern = path.substr(0, path.size() - name.size());
  pattern.append(1, '.').append(name, 0, kMaxTemporaryStem).append(".XXXXXX");
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  struct stat old;
  const mode_t keep = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : mode;
  ::fchmod(fd, keep);
  f.file = ::fdopen(fd, "wb");
  if (!f.file) {
    ::close(fd);
    ::unlink(pattern.c_str());
    return false;
  }
  f.writing = true;
  f.target = path;
  f.temporary = pattern;
  return true;
}

}  // namespace

long XPlatFileOpen(const char* name, const char* dir, void** handle, bool write) {
  if (!handle) return 0;
  *handle = nullptr;
  if (!name) return 0;
  XPlatFile* f = new (std::nothrow) XPlatFile;
  if (!f) return 0;
  const std::string path = std::string(dir ? dir : "") + name;
  long size = 0;
  if (write) {
    if (!openForWriting(path, 0644, *f)) size = -1;
  } else {
    size = openForReading(path, *f);
  }
  if (size < 0) {
    delete f;
    return 0;
  }
  *handle = f;
  return size;
}

long XPlatFileRead(void* handle, char* buf, long n) {
  XPlatFile* f = static_cast<XPlatFile*>(handle);
  if (!f || !f->file || !buf || n <= 0) return 0;
  return static_cast<long>(std::fread(buf, 1, static_cast<size_t>(n), f->file));
}

bool XPlatFileWrite(void* handle, const char* buf, long n) {
  XPlatFile* f = static_cast<XPlatFile*>(handle);
  if (!f || !f->file || !f->writing || n < 0 || (n > 0 && !buf)) return false;
  if (n > 0 && std::fwrite(buf, 1, static_cast<size_t>(n), f->file) != static_cast<size_t>(n))
    f->failed = true;
  return !f->failed;
}

bool XPlatFileClose(void* handle) {
  XPlatFile* f = static_cast<XPlatFile*>(handle);
  if (!f) return false;
  bool ok = true;
  if (f->writing) {
    ok = !f->failed && std::fflush(f->file) == 0 && ::fsync(::fileno(f->file)) == 0;
    ok = std::fclose(f->file) == 0 && ok;
    if (ok) ok = ::rename(f->temporary.c_str(), f->target.c_str()) == 0;
    if (ok)
      syncFolder(folderOf(f->target));
    else
      ::unlink(f->temporary.c_str());
  } else if (f->file) {
    std::fclose(f->file);
  }
  delete f;
  return ok;
}

bool XPlatReplaceFile(const char* path, const char* data, long n, unsigned int mode) {
  if (!path || n < 0) return false;
  XPlatFile* f = new (std::nothrow) XPlatFile;
  if (!f) return false;
  if (!openForWriting(path, mode, *f)) {
    delete f;
    return false;
  }
  XPlatFileWrite(f, data, n);
  return XPlatFileClose(f);
}
