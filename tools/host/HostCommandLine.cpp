#include "HostCommandLine.h"

#include <getopt.h>

#include <cmath>
#include <cstdio>
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

Outcome applyValueOption(int option, const std::string& value, HostOptions& o) {
  switch (option) {
    case 'p':
      if (value.empty()) return usageError("--plugin needs a file name");
      o.pluginPath = value;
      break;
    case 's':
      if (!readSeconds(value, o.seconds) || o.seconds <= 0.0 || o.seconds > kMaxSeconds) {
        return usageError("--seconds takes a number of seconds above 0 and up to 86400, not \"" +
                          value + "\"");
      }
      break;
    case 'S':
      if (value.empty()) return usageError("--screenshot needs a file name");
      o.screenshot = value;
      break;
    case 'P':
      o.preset = value;
      break;
    case 'c': {
      int x = 0, y = 0;
      char rest = 0;
      if (std::sscanf(value.c_str(), "%d,%d%c", &x, &y, &rest) != 2 || x < 0 || y < 0) {
        return usageError("--click takes X,Y in the editor, not \"" + value + "\"");
      }
      o.clicks.emplace_back(x, y);
      break;
    }
    case 't':
      o.typed = value;
      break;
    case 'x': {
      size_t equals = value.find('=');
      if (equals == std::string::npos || equals == 0) {
        return usageError("--set takes NAME=VALUE, not \"" + value + "\"");
      }
      o.parameters.push_back({value.substr(0, equals), value.substr(equals + 1)});
      break;
    }
    case 'h':
      o.help = true;
      break;
    case 'V':
      o.version = true;
      break;
    case 'v':
      o.verbose = true;
      break;
    default:
      break;
  }
  return {};
}

// The message for an argument getopt_long refused: unknown, or a value missing or extra.
Outcome optionError(const option* known, const std::string& arg) {
  std::string name = arg.substr(0, arg.find('='));
  for (const option* o = known; o->name != nullptr; ++o) {
    if (name != std::string("--") + o->name) continue;
    return usageError(name + (o->has_arg == no_argument ? " takes no value" : " needs a value"));
  }
  return usageError("unknown option \"" + name + "\"");
}

}  // namespace

Outcome parseHostCommandLine(int argc, const char* const* argv, HostOptions& options) {
  static const option kOptions[] = {
      {"plugin", required_argument, nullptr, 'p'},
      {"seconds", required_argument, nullptr, 's'},
      {"screenshot", required_argument, nullptr, 'S'},
      {"preset", required_argument, nullptr, 'P'},
      {"set", required_argument, nullptr, 'x'},
      {"click", required_argument, nullptr, 'c'},
      {"type", required_argument, nullptr, 't'},
      {"verbose", no_argument, nullptr, 'v'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  options = HostOptions{};
  // getopt_long keeps its place in globals; 0 starts a new scan. Errors are reported here.
  optind = 0;
  opterr = 0;
  // getopt_long only reorders the pointers, never the strings.
  auto* args = const_cast<char* const*>(argv);
  for (;;) {
    int previous = optind == 0 ? 1 : optind;
    int option = getopt_long(argc, args, "+hv", kOptions, nullptr);
    if (option == -1) break;
    if (option == '?') return optionError(kOptions, previous < argc ? argv[previous] : "");
    Outcome applied = applyValueOption(option, optarg != nullptr ? optarg : "", options);
    if (!applied.ok()) return applied;
  }
  if (optind < argc) return usageError("unexpected argument \"" + std::string(argv[optind]) + "\"");
  // The screenshot is taken after one second of the demo, processed as fast as it goes.
  if (!options.screenshot.empty() && options.seconds > 0.0) {
    return usageError("--screenshot runs one second of the demo; it takes no --seconds");
  }
  if (options.screenshot.empty() && (!options.clicks.empty() || !options.typed.empty())) {
    return usageError("--click and --type go with --screenshot");
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
  --screenshot FILE     open the editor in a window, run one second of the demo,
                        write what the window shows into FILE (PNG) and exit;
                        without a usable X display (DISPLAY unset or not
                        reachable) zel-host starts a private X server for it
                        and stops it afterwards, which needs Xvfb (Debian
                        package xvfb)
  --click X,Y           with --screenshot: click at X,Y in the editor before the
                        picture is taken (real pointer events); repeatable
  --type TEXT           with --screenshot: then type TEXT (real key events)
  -h, --help            show this text
  --version             show the version

Exit codes:
  0  success
  2  usage error
  4  the screenshot cannot be written
  5  unknown preset or parameter, or a value out of range
  6  plug-in cannot be loaded, lacks VSTPluginMain or an editor, or returns no effect
  7  the plug-in refused a setting
  8  no X display (and no Xvfb for a screenshot), or the window or the editor
     cannot be made

Examples:
  zel-host
  zel-host --verbose --seconds 10
  zel-host --preset "Smooth Vocal" --set Threshold=-24
  zel-host --screenshot panel.png --set Power=Out
  zel-host --screenshot about.png --click 460,225
  zel-host --screenshot typing.png --click 290,160 --type=-18
)";
}

}  // namespace zelhost
