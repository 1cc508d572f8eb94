// Outcome of a zel-host step: an exit code and a one-line message.
#pragma once

#include <string>
#include <utility>

#include "RenderStatus.h"

namespace zelhost {

// Process exit codes. They share their numbers with zel-render where the meaning is the same.
enum class HostExit : int {
  ok = 0,
  usage = 2,       // bad command line
  output = 4,      // the screenshot cannot be written
  value = 5,       // unknown preset or parameter, value out of range
  plugin = 6,      // plug-in does not load, has no editor or refuses a setting
  processing = 7,  // plug-in refused a setting
  display = 8,     // no X display, or the window or the editor cannot be made
};

// Result of an operation: ok, or an exit code with a message for the user.
class [[nodiscard]] Outcome {
public:
  Outcome() = default;

  // A failure with the given exit code and message (without the "error:" prefix).
  static Outcome fail(HostExit code, std::string message) {
    Outcome o;
    o.code_ = code;
    o.message_ = std::move(message);
    return o;
  }
  // The same failure as a zel-render step's (their exit codes agree).
  static Outcome from(const zelrender::Status& status) {
    if (status.ok()) return {};
    return fail(static_cast<HostExit>(static_cast<int>(status.code())), status.message());
  }

  bool ok() const { return code_ == HostExit::ok; }
  HostExit code() const { return code_; }
  const std::string& message() const { return message_; }

private:
  HostExit code_ = HostExit::ok;
  std::string message_;
};

}  // namespace zelhost
