// Outcome of a zel-render step: an exit code and a one-line message.
#pragma once

#include <string>
#include <utility>

namespace zelrender {

// Process exit codes, documented in --help.
enum class ExitCode : int {
  ok = 0,
  usage = 2,       // bad command line
  input = 3,       // input missing, unreadable or unsupported
  output = 4,      // output cannot be written
  value = 5,       // unknown preset or parameter, value out of range
  plugin = 6,      // plug-in does not load, lacks the entry point or returns no effect
  processing = 7,  // plug-in refused a setting or produced unusable audio
};

// Result of an operation: ok, or an exit code with a message for the user.
class [[nodiscard]] Status {
public:
  Status() = default;

  // A failure with the given exit code and message (without the "error:" prefix).
  static Status fail(ExitCode code, std::string message) {
    Status s;
    s.code_ = code;
    s.message_ = std::move(message);
    return s;
  }

  bool ok() const { return code_ == ExitCode::ok; }
  ExitCode code() const { return code_; }
  const std::string& message() const { return message_; }

private:
  ExitCode code_ = ExitCode::ok;
  std::string message_;
};

}  // namespace zelrender
