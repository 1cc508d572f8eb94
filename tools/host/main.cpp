// zel-host: shows the Zel Trevalon plug-in's editor in a window of its own.
#include <cstdio>
#include <exception>

#include "HostCommandLine.h"
#include "ScreenshotRun.h"
#include "WindowRun.h"

#ifndef ZEL_HOST_VERSION
#define ZEL_HOST_VERSION "0"
#endif

using namespace zelhost;

namespace {

Outcome run(int argc, char** argv) {
  HostOptions options;
  Outcome parsed = parseHostCommandLine(argc, argv, options);
  if (!parsed.ok()) return parsed;
  if (options.help) {
    std::fputs(hostUsageText().c_str(), stdout);
    return {};
  }
  if (options.version) {
    std::printf("zel-host %s\n", ZEL_HOST_VERSION);
    return {};
  }
  // Lines appear as they happen, also when stdout is a pipe.
  if (options.verbose) std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (!options.screenshot.empty()) return runScreenshot(options, stdout);
  return runWindow(options, stdout);
}

}  // namespace

int main(int argc, char** argv) {
  Outcome outcome;
  try {
    outcome = run(argc, argv);
  } catch (const std::exception& e) {
    outcome = Outcome::fail(HostExit::processing, std::string("internal failure: ") + e.what());
  }
  std::fflush(stdout);
  if (!outcome.ok()) std::fprintf(stderr, "zel-host: error: %s\n", outcome.message().c_str());
  return static_cast<int>(outcome.code());
}
