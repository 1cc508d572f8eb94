#include "BlockRenderer.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace zelrender {
namespace {

// Long enough for the meter's start-up response to die away.
constexpr double kMeterStartupSeconds = 1.0;

// The meter readings after each block of silence, with the block lengths the render will
// use, and the resting value the last of them reaches.
struct MeterStartup {
  std::vector<double> readings;
  double resting = 0.0;
};

template <typename Sample>
MeterStartup measureMeterStartup(PluginHost& host, int64_t totalFrames, int blockSize) {
  MeterStartup startup;
  const int64_t window = static_cast<int64_t>(kMeterStartupSeconds * host.sampleRate());
  std::vector<std::vector<Sample>> planes(
      static_cast<size_t>(std::max({2, host.numInputs(), host.numOutputs()})),
      std::vector<Sample>(static_cast<size_t>(blockSize)));
  std::vector<Sample> silence(static_cast<size_t>(blockSize));
  std::vector<Sample*> inputs(static_cast<size_t>(std::max(1, host.numInputs())), silence.data());
  std::vector<Sample*> outputs(static_cast<size_t>(host.numOutputs()));
  for (size_t pin = 0; pin < outputs.size(); ++pin) outputs[pin] = planes[pin].data();
  int64_t done = 0;
  while (done < window) {
    int64_t n = blockSize;
    if (done < totalFrames) n = std::min<int64_t>(blockSize, totalFrames - done);
    host.process(inputs.data(), outputs.data(), static_cast<int>(n));
    startup.readings.push_back(host.parameter(kGainReductionParameter));
    done += n;
  }
  startup.resting = startup.readings.empty() ? 0.0 : startup.readings.back();
  // The measurement ran on silence; restart so the real audio meets a fresh plug-in.
  host.suspend();
  host.resume();
  return startup;
}

template <typename Sample>
Status renderAs(PluginHost& host, FrameSource& source, FrameSink* sink,
                const RenderSettings& settings, RenderResult& result, ProgressBar& progress) {
  const int blockSize = settings.blockSize;
  MeterStartup startup;
  if (settings.correctMeterStartup) {
    startup = measureMeterStartup<Sample>(host, source.frames(), blockSize);
  }
  const int channels = source.channels();
  const size_t block = static_cast<size_t>(blockSize);
  std::vector<Sample> interleavedIn(block * static_cast<size_t>(channels));
  std::vector<Sample> interleavedOut(block * 2);
  std::vector<std::vector<Sample>> inPlanes(static_cast<size_t>(channels),
                                            std::vector<Sample>(block));
  std::vector<std::vector<Sample>> outPlanes(static_cast<size_t>(std::max(2, host.numOutputs())),
                                             std::vector<Sample>(block));
  std::vector<Sample> silence(block);

  // Pin pointers as a host sets them up: mono goes to both inputs, spare inputs get silence.
  std::vector<Sample*> inputs(static_cast<size_t>(std::max(1, host.numInputs())), silence.data());
  for (size_t pin = 0; pin < inputs.size() && pin < 2; ++pin) {
    inputs[pin] = inPlanes[std::min(pin, static_cast<size_t>(channels - 1))].data();
  }
  std::vector<Sample*> outputs(outPlanes.size());
  for (size_t pin = 0; pin < outputs.size(); ++pin) outputs[pin] = outPlanes[pin].data();
  // Fed one buffer on both inputs, the plug-in runs its mono mode: it compresses the left
  // lane and passes the right one through untouched. A mono file is one signal, so its
  // compressed left output goes to both channels of the result.
  const Sample* left = outPlanes[0].data();
  const Sample* right = channels == 1 ? left : outPlanes[1].data();

  result.input = LevelMeter(channels);
  result.output = LevelMeter(2);
  const int64_t total = source.frames();
  int64_t done = 0;
  size_t blocks = 0;
  progress.update(0);
  for (;;) {
    int64_t n = source.read(interleavedIn.data(), blockSize);
    if (n < 0) {
      return Status::fail(ExitCode::input,
                          "reading the input failed after " + std::to_string(done) + " frames");
    }
    if (n == 0) break;
    for (int c = 0; c < channels; ++c) {
      Sample* plane = inPlanes[static_cast<size_t>(c)].data();
      for (int64_t i = 0; i < n; ++i)
        plane[i] = interleavedIn[static_cast<size_t>(i * channels + c)];
      result.input.add(c, plane, n);
    }

    auto start = std::chrono::steady_clock::now();
    host.process(inputs.data(), outputs.data(), static_cast<int>(n));
    result.pluginSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double meter = host.parameter(kGainReductionParameter);
    if (blocks < startup.readings.size()) meter += startup.resting - startup.readings[blocks];
    ++blocks;
    result.gainReduction.add(meter, n);

    result.output.add(0, left, n);
    result.output.add(1, right, n);
    if (result.output.nonFiniteSamples() > 0) {
      return Status::fail(
          ExitCode::processing,
          "the plug-in produced samples that are not finite numbers in the block at "
          "frame " +
              std::to_string(done));
    }
    for (int64_t i = 0; i < n; ++i) {
      interleavedOut[static_cast<size_t>(2 * i)] = left[i];
      interleavedOut[static_cast<size_t>(2 * i + 1)] = right[i];
    }
    if (sink != nullptr && !sink->write(interleavedOut.data(), n)) {
      return Status::fail(ExitCode::output,
                          "writing the output failed after " + std::to_string(done) + " frames");
    }
    done += n;
    progress.update(done);
  }
  result.frames = done;
  if (done < total) {
    return Status::fail(ExitCode::input, "the input ended after " + std::to_string(done) + " of " +
                                             std::to_string(total) + " frames");
  }
  return {};
}

}  // namespace

Status renderStream(PluginHost& host, FrameSource& source, FrameSink* sink,
                    const RenderSettings& settings, RenderResult& result, ProgressBar& progress) {
  if (source.channels() < 1 || source.channels() > 2) {
    return Status::fail(ExitCode::input, "only mono and stereo input can be rendered");
  }
  if (settings.blockSize < kMinBlockSize || settings.blockSize > kMaxBlockSize) {
    return Status::fail(ExitCode::usage, "block size out of range");
  }
  if (settings.doublePrecision) {
    if (!host.canProcessDouble()) {
      return Status::fail(ExitCode::plugin, "the plug-in cannot process double precision");
    }
    return renderAs<double>(host, source, sink, settings, result, progress);
  }
  return renderAs<float>(host, source, sink, settings, result, progress);
}

}  // namespace zelrender
