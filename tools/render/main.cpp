// zel-render: renders audio files through the Zel Trevalon plug-in from the command line.
#include <cstdio>
#include <exception>

#include "Bench.h"
#include "CommandLine.h"
#include "Listing.h"
#include "RenderJob.h"
#include "SaveJob.h"

#ifndef ZEL_RENDER_VERSION
#define ZEL_RENDER_VERSION "0"
#endif

using namespace zelrender;

namespace {

Status run(int argc, char** argv) {
  RenderOptions options;
  Status status = parseCommandLine(argc, argv, options);
  if (!status.ok()) return status;
  if (options.help) {
    std::fputs(usageText().c_str(), stdout);
    return {};
  }
  if (options.version) {
    std::printf("zel-render %s\n", ZEL_RENDER_VERSION);
    return {};
  }
  if (options.list) return runList(options);
  if (options.benchRuns > 0) return runBench(options);
  if (options.onlySavesFiles()) return runSaveOnly(options);
  return runRender(options);
}

}  // namespace

int main(int argc, char** argv) {
  Status status;
  try {
    status = run(argc, argv);
  } catch (const std::exception& e) {
    status = Status::fail(ExitCode::processing, std::string("internal failure: ") + e.what());
  }
  std::fflush(stdout);
  if (!status.ok()) {
    std::fprintf(stderr, "zel-render: error: %s\n", status.message().c_str());
  }
  return static_cast<int>(status.code());
}
