// A one-line progress bar on standard error.
#pragma once

#include <cstdint>
#include <cstdio>

namespace zelrender {

// Draws "[#####     ]  50%" in place on a terminal, redrawn when the percentage changes, or
// one line per ten percent elsewhere. Disabled bars do nothing, so callers need not check.
class ProgressBar {
public:
  ProgressBar(int64_t total, bool enabled, std::FILE* out = stderr);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Shows that `done` of the total are finished.
  void update(int64_t done);

  // Ends the line at the last percentage shown; called by the destructor if not before.
  void finish();

private:
  int64_t total_;
  bool enabled_;
  std::FILE* out_;
  bool terminal_;
  int shownPercent_ = -1;
};

}  // namespace zelrender
