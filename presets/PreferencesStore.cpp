#include "PreferencesStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "XPlatFile.h"

namespace {

constexpr mode_t kFileMode = 0600;
constexpr mode_t kFolderMode = 0700;

// Reads up to the limit from an open descriptor.
std::vector<char> readAll(int fd, size_t limit) {
  std::vector<char> bytes;
  char chunk[16384];
  while (bytes.size() < limit) {
    const ssize_t got = ::read(fd, chunk, std::min(sizeof(chunk), limit - bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

// Creates the folder and its missing parents.
bool makeFolders(const std::string& folder) {
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at != folder.size() && folder[at] != '/') continue;
    const std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// Opens and exclusively locks the file at path, retrying until the locked file is the one the
// path names (another writer may have replaced it meanwhile). -1 on failure or time-out.
int lockCurrentFile(const std::string& path) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(PreferencesStore::kLockWaitMs);
  while (true) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode);
    if (fd < 0) return -1;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) {
        ::close(fd);
        return -1;
      }
      if (std::chrono::steady_clock::now() > deadline) {
        ::close(fd);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    struct stat locked, named;
    if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
        locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
      return fd;
    ::close(fd);  // replaced while we waited: lock the new file
  }
}

// Removes temporary files that writers killed in the middle of a write left behind. Only a writer
// holding the lock makes one, so under the lock every one found is stale.
void removeStaleTemporaries(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = path.substr(0, slash);
  std::string prefix(1, '.');
  prefix.append(path, slash + 1, std::string::npos).push_back('.');
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
      ::unlinkat(::dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

}  // namespace

std::string userConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config";
  struct passwd entry, *found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof(buffer), &found) == 0 && found &&
      found->pw_dir && found->pw_dir[0] == '/')
    return std::string(found->pw_dir) + "/.config";
  return {};
}

PreferencesStore::PreferencesStore(const std::string& domain) {
  const std::string folder = userConfigFolder();
  if (!folder.empty() && Preferences::validKey(domain)) filePath = folder + "/" + domain + ".prefs";
}

Preferences PreferencesStore::read() const {
  if (filePath.empty()) return {};
  const int fd = ::open(filePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  struct stat st;
  std::vector<char> bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) bytes = readAll(fd, kMaxFileSize);
  ::close(fd);
  return Preferences::parse(bytes.data(), bytes.size());
}

bool PreferencesStore::update(const std::function<void(Preferences&)>& change) {
  if (filePath.empty()) return false;
  if (!makeFolders(filePath.substr(0, filePath.rfind('/')))) return false;
  const int fd = lockCurrentFile(filePath);
  if (fd < 0) return false;
  removeStaleTemporaries(filePath);
  const std::vector<char> bytes = readAll(fd, kMaxFileSize);
  Preferences prefs = Preferences::parse(bytes.data(), bytes.size());
  change(prefs);
  const std::string text = prefs.serialise();
  const bool ok =
      XPlatReplaceFile(filePath.c_str(), text.data(), static_cast<long>(text.size()), kFileMode);
  ::close(fd);  // releases the lock, after the new file is in place
  return ok;
}

bool PreferencesStore::setData(const std::string& key, const char* data, size_t size) {
  if (!Preferences::validKey(key) || (!data && size)) return false;
  return update([&](Preferences& p) { p.setData(key, data, size); });
}

bool PreferencesStore::setString(const std::string& key, const std::string& value) {
  if (!Preferences::validKey(key)) return false;
  return update([&](Preferences& p) { p.setString(key, value); });
}

bool PreferencesStore::remove(const std::string& key) {
  return update([&](Preferences& p) { p.remove(key); });
}
