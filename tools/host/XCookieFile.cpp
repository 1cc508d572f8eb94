#include "XCookieFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zelhost {
namespace {

// Family "wild": the entry matches any host; an empty display number matches any display.
constexpr uint16_t kFamilyWild = 0xFFFF;
constexpr const char* kCookieName = "MIT-MAGIC-COOKIE-1";
constexpr size_t kCookieBytes = 16;

// Appends a field as the authority file stores it: a 16-bit big-endian length, then the bytes.
void appendField(std::vector<unsigned char>& out, const void* data, size_t size) {
  out.push_back(static_cast<unsigned char>(size >> 8));
  out.push_back(static_cast<unsigned char>(size & 0xFF));
  const auto* bytes = static_cast<const unsigned char*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

}  // namespace

bool writeCookieFile(const std::string& path, std::string& error) {
  unsigned char cookie[kCookieBytes];
  if (getrandom(cookie, sizeof cookie, 0) != static_cast<ssize_t>(sizeof cookie)) {
    error = std::string("no random bytes for the X cookie: ") + std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> entry = {kFamilyWild >> 8, kFamilyWild & 0xFF};
  appendField(entry, "", 0);  // address
  appendField(entry, "", 0);  // display number
  appendField(entry, kCookieName, std::strlen(kCookieName));
  appendField(entry, cookie, sizeof cookie);

  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written = write(fd, entry.data(), entry.size()) == static_cast<ssize_t>(entry.size());
  const int writeErrno = errno;
  if (close(fd) != 0 || !written) {
    error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
    unlink(path.c_str());
    return false;
  }
  return true;
}

}  // namespace zelhost
