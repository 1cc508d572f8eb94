#include "ProgressBar.h"

#include <unistd.h>

namespace zelrender {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(int64_t total, bool enabled, std::FILE* out)
    : total_(total), enabled_(enabled), out_(out), terminal_(enabled && isatty(fileno(out))) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::update(int64_t done) {
  if (!enabled_) return;
  int percent = total_ > 0 ? static_cast<int>(done * 100 / total_) : 100;
  if (percent > 100) percent = 100;
  if (percent == shownPercent_) return;
  // Off a terminal (a log file) every tenth is a line of its own.
  if (!terminal_ && percent / 10 == shownPercent_ / 10 && shownPercent_ >= 0) return;
  shownPercent_ = percent;
  char bar[kBarWidth + 1];
  int filled = percent * kBarWidth / 100;
  for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : ' ';
  bar[kBarWidth] = '\0';
  std::fprintf(out_, "%srendering [%s] %3d%%", terminal_ ? "\r" : "", bar, percent);
  if (!terminal_) std::fputc('\n', out_);
  std::fflush(out_);
}

void ProgressBar::finish() {
  if (!enabled_) return;
  if (terminal_ && shownPercent_ >= 0) std::fputc('\n', out_);
  std::fflush(out_);
  enabled_ = false;
}

}  // namespace zelrender
