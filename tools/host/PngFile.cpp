#include "PngFile.h"

#include <cairo.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zelhost {

bool writePng(const std::string& path, const WindowPicture& picture, std::string& error) {
  const auto count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
  if (picture.width < 1 || picture.height < 1 || picture.pixels.size() != count) {
    error = "there is no picture to write";
    return false;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    error = "out of memory for the picture";
    return false;
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int row = 0; row < picture.height; ++row) {
    std::memcpy(data + static_cast<size_t>(row) * static_cast<size_t>(stride),
                picture.pixels.data() + static_cast<size_t>(row) * picture.width,
                static_cast<size_t>(picture.width) * sizeof(uint32_t));
  }
  cairo_surface_mark_dirty(surface);

  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    cairo_surface_destroy(surface);
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  // The mode a newly created file gets, not mkstemp's private 0600.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  const cairo_status_t status = cairo_surface_write_to_png(surface, temporary.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS || std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int renameErrno = errno;
    unlink(temporary.c_str());
    error = "cannot write " + path + ": " +
            (status != CAIRO_STATUS_SUCCESS ? cairo_status_to_string(status)
                                            : std::strerror(renameErrno));
    return false;
  }
  return true;
}

}  // namespace zelhost
