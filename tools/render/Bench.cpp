#include "Bench.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "AudioBuffer.h"
#include "AudioFile.h"
#include "BlockRenderer.h"
#include "DemoSignal.h"
#include "PluginSetup.h"

namespace zelrender {
namespace {

constexpr double kReferenceRate = 48000.0;

// Runs the buffer through the plug-in `runs` times at one precision; fills ns per frame per run.
Status timeRuns(PluginHost& host, const AudioBuffer& audio, const RenderOptions& options,
                bool doublePrecision, std::vector<double>& nsPerFrame) {
  Status status = host.setPrecision(doublePrecision);
  if (!status.ok()) return status;
  RenderSettings settings;
  settings.blockSize = options.blockSize;
  settings.doublePrecision = doublePrecision;
  settings.correctMeterStartup = false;
  for (int run = 0; run < options.benchRuns; ++run) {
    // A fresh start for every run, so each one does the same work.
    host.suspend();
    host.resume();
    MemorySource source(audio);
    RenderResult result;
    ProgressBar quiet(0, false);
    status = renderStream(host, source, nullptr, settings, result, quiet);
    if (!status.ok()) return status;
    if (result.frames > 0) {
      nsPerFrame.push_back(result.pluginSeconds * 1e9 / static_cast<double>(result.frames));
    }
  }
  host.suspend();
  return {};
}

void report(const char* label, std::vector<double> nsPerFrame) {
  if (nsPerFrame.empty()) {
    std::printf("%s precision: no frames to time\n", label);
    return;
  }
  std::sort(nsPerFrame.begin(), nsPerFrame.end());
  double best = nsPerFrame.front();
  double median = nsPerFrame[nsPerFrame.size() / 2];
  double frameBudgetNs = 1e9 / kReferenceRate;
  std::printf(
      "%s precision: %.1f ns per stereo frame (median; best %.1f), %.0fx real time at 48 kHz\n",
      label, median, best, median > 0 ? frameBudgetNs / median : 0.0);
}

}  // namespace

Status runBench(const RenderOptions& options) {
  AudioBuffer audio;
  std::string what = "built-in demo";
  if (!options.input.empty()) {
    AudioReader reader;
    Status opened = reader.open(options.input);
    if (!opened.ok()) return opened;
    if (!readAll(reader, audio)) {
      return Status::fail(ExitCode::input, "cannot read all of " + options.input);
    }
    what = options.input;
  } else {
    audio = makeDemoSignal();
  }

  PluginHost host;
  PluginSetup setup;
  Status status = setUpPlugin(options, audio.sampleRate, host, setup);
  if (!status.ok()) return status;

  std::printf("bench    %s, %lld frames at %.0f Hz, %d runs, %d-frame blocks, %s\n", what.c_str(),
              static_cast<long long>(audio.frames()), audio.sampleRate, options.benchRuns,
              options.blockSize, describePreset(setup).c_str());
  std::vector<double> single;
  status = timeRuns(host, audio, options, false, single);
  if (!status.ok()) return status;
  report("single", single);
  if (host.canProcessDouble()) {
    std::vector<double> twice;
    status = timeRuns(host, audio, options, true, twice);
    if (!status.ok()) return status;
    report("double", twice);
  } else {
    std::printf("double precision: not supported by the plug-in\n");
  }
  return {};
}

}  // namespace zelrender
