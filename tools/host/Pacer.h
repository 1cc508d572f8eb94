// Keeps a loop to a fixed period on the monotonic clock.
#pragma once

#include <cstdint>

namespace zelhost {

class Pacer {
public:
  // A loop of `periodNs` nanoseconds whose first period starts now.
  explicit Pacer(int64_t periodNs);

  // Sleeps until the end of the current period. A loop that fell more than a few periods
  // behind starts afresh from now instead of hurrying to catch up.
  void wait();
  // Nanoseconds since the pacer was made.
  int64_t elapsedNs() const;

  // The monotonic clock in nanoseconds.
  static int64_t nowNs();

private:
  int64_t period_;
  int64_t start_;
  int64_t deadline_;
};

}  // namespace zelhost
