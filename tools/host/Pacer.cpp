#include "Pacer.h"

#include <time.h>

#include <cerrno>

namespace zelhost {
namespace {

constexpr int64_t kNsPerSecond = 1000000000;
// How far behind a loop may fall before it gives up catching up.
constexpr int64_t kMaxLatePeriods = 4;

}  // namespace

Pacer::Pacer(int64_t periodNs) : period_(periodNs > 0 ? periodNs : 1), start_(nowNs()) {
  deadline_ = start_ + period_;
}

int64_t Pacer::nowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNsPerSecond + now.tv_nsec;
}

void Pacer::wait() {
  int64_t now = nowNs();
  if (now - deadline_ > kMaxLatePeriods * period_) deadline_ = now;
  timespec until{};
  until.tv_sec = static_cast<time_t>(deadline_ / kNsPerSecond);
  until.tv_nsec = static_cast<long>(deadline_ % kNsPerSecond);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
  deadline_ += period_;
}

int64_t Pacer::elapsedNs() const { return nowNs() - start_; }

}  // namespace zelhost
