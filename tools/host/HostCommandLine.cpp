#include "HostCommandLine.h"

#include <cmath>
#include <cstdlib>

namespace zelhost {
namespace {

Outcome usageError(const std::string& message) {
  return Outcome::fail(HostExit::usage, message + " (see --help)");
}

// A decimal number of seconds, written the same in every locale.
bool readSeconds(const std::string& text, double& seconds) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  char* end = nullptr;
  seconds = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(seconds);
}

Outcome applyValueOption(const std::string& name, const std::string& value, HostOptions& o) {
  if (name == "--plugin") {
    if (value.empty()) return usageError("--plugin needs a file name");
    o.pluginPath = value;
  } else if (name == "--seconds") {
    if (!readSeconds(value, o.seconds) || o.seconds <= 0.0 || o.seconds > kMaxSeconds) {
      return usageError("--seconds takes a number of seconds above 0 and up to 86400, not \"" +
                        value + "\"");
    }
  } else if (name == "--screenshot") {
    if (value.empty()) return usageError("--screenshot needs a file name");
    o.screenshot = value;
  } else if (name == "--preset") {
    o.preset = value;
  } else if (name == "--set") {
    size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) {
      return usageError("--set takes NAME=VALUE, not \"" + value + "\"");
    }
    o.parameters.push_back({value.substr(0, equals), value.substr(equals + 1)});
  }
  return {};
}

bool takesValue(const std::string& name) {
  return name == "--plugin" || name == "--seconds" || name == "--screenshot" ||
         name == "--preset" || name == "--set";
}

bool isFlag(const std::string& name, HostOptions& o) {
  if (name == "--help" || name == "-h") {
    o.help = true;
  } else if (name == "--version") {
    o.version = true;
  } else if (name == "--verbose" || name == "-v") {
    o.verbose = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

Outcome parseHostCommandLine(int argc, const char* const* argv, HostOptions& options) {
  options = HostOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.size() < 2 || arg[0] != '-') return usageError("unexpected argument \"" + arg + "\"");
    std::string name = arg;
    std::string value;
    bool inlineValue = false;
    size_t equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
      inlineValue = true;
    }
    if (!inlineValue && isFlag(name, options)) continue;
    if (!takesValue(name)) return usageError("unknown option \"" + name + "\"");
    if (!inlineValue) {
      if (i + 1 >= argc) return usageError(name + " needs a value");
      value = argv[++i];
    }
    Outcome applied = applyValueOption(name, value, options);
    if (!applied.ok()) return applied;
  }
  if (!options.screenshot.empty()) {
    // The screenshot draws the editor built into zel-host, without a window or a clock.
    if (!options.pluginPath.empty()) {
      return usageError("--screenshot draws the built-in editor; it takes no --plugin");
    }
    if (options.seconds > 0.0) return usageError("--screenshot runs no window; it takes no --seconds");
  }
  return {};
}

std::string hostUsageText() {
  return R"(Usage: zel-host [options]

Loads the Zel Trevalon plug-in as a VST 2.4 host does and shows its editor in a
window of its own, while the built-in demo signal runs through the plug-in in
real time (nothing is played), so the gain-reduction meter moves. Close the
window (or press Ctrl+C) to quit.

Options:
  --plugin PATH         the plug-in file (default: zel-trevalon.so beside
                        zel-host, then ../lib/vst/, then ~/.vst/)
  --seconds N           close by itself after N seconds
  -v, --verbose         print every automation message (index, value, name and
                        display text), edit gestures and display updates the
                        plug-in sends, and the gain reduction once a second
  --preset N|NAME       start with factory preset N (0-47) or NAME
  --set NAME=VALUE      set a parameter after the preset, in display units as in
                        zel-render (e.g. Threshold=-18, Ratio=8:1, Power=Out) or
                        normalised with NAME=@0.25; repeatable
  --screenshot FILE     draw the editor without a window or X server, after one
                        second of the demo, into FILE (PNG) and exit
  -h, --help            show this text
  --version             show the version

Exit codes:
  0  success
  2  usage error
  4  the screenshot cannot be written
  5  unknown preset or parameter, or a value out of range
  6  plug-in cannot be loaded, lacks VSTPluginMain or an editor, or returns no effect
  7  the plug-in refused a setting
  8  no X display, or the window or the editor cannot be made

Examples:
  zel-host
  zel-host --verbose --seconds 10
  zel-host --preset "Smooth Vocal" --set Threshold=-24
  zel-host --screenshot panel.png --set Power=Out
)";
}

}  // namespace zelhost
