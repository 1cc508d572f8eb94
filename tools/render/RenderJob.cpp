#include "RenderJob.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AudioBuffer.h"
#include "AudioFile.h"
#include "BlockRenderer.h"
#include "DemoSignal.h"
#include "PluginSetup.h"
#include "SafeAudioWriter.h"
#include "Summary.h"

namespace zelrender {
namespace {

// Files shorter than this render too fast for a progress bar to help.
constexpr double kProgressMinSeconds = 30.0;

void note(const std::string& text) {
  if (!text.empty()) std::fprintf(stderr, "zel-render: note: %s\n", text.c_str());
}

std::string absolutePath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string describeInput(const std::string& name, const FrameSource& source, int format) {
  char text[256];
  std::snprintf(text, sizeof text, "%.0f Hz %s, %s, %.3f s", source.sampleRate(),
                source.channels() == 1 ? "mono" : "stereo",
                format != 0 ? describeFormat(format).c_str() : "synthesised",
                static_cast<double>(source.frames()) / source.sampleRate());
  return name + ": " + text;
}

Status writeWhole(SafeAudioWriter& writer, const AudioBuffer& buffer) {
  if (!writer.write(buffer.samples.data(), buffer.frames())) {
    return Status::fail(ExitCode::output, "writing " + writer.path() + " failed");
  }
  return {};
}

}  // namespace

std::string defaultOutputPath(const std::string& input) {
  if (input.empty()) return kDemoOutputFile;
  size_t slash = input.rfind('/');
  size_t dot = input.rfind('.');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  std::string stem = hasExtension ? input.substr(0, dot) : input;
  std::string extension = hasExtension ? input.substr(dot) : "";
  if (containerFromPath(input) == 0) extension = ".wav";
  return stem + "-zel" + extension;
}

Status runRender(const RenderOptions& options) {
  const auto wallStart = std::chrono::steady_clock::now();

  // What to render.
  AudioReader reader;
  AudioBuffer demo;
  std::unique_ptr<MemorySource> demoSource;
  FrameSource* source = nullptr;
  int inputFormat = 0;
  std::string inputName;
  if (!options.input.empty()) {
    Status opened = reader.open(options.input);
    if (!opened.ok()) return opened;
    source = &reader;
    inputFormat = reader.format();
    inputName = options.input;
  } else {
    demo = makeDemoSignal();
    demoSource = std::make_unique<MemorySource>(demo);
    source = demoSource.get();
    inputName = "built-in demo";
  }
  const double rate = source->sampleRate();

  // Where to write it.
  const std::string outputPath =
      options.output.empty() ? defaultOutputPath(options.input) : options.output;
  if (!options.dryOutput.empty() && absolutePath(options.dryOutput) == absolutePath(outputPath)) {
    return Status::fail(ExitCode::usage, "the dry demo and the output must be different files");
  }
  int format = 0;
  std::string formatNote;
  Status status = chooseOutputFormat(outputPath, inputFormat, options.format, format, formatNote);
  if (!status.ok()) return status;
  note(formatNote);
  int dryFormat = 0;
  if (!options.dryOutput.empty()) {
    status = chooseOutputFormat(options.dryOutput, 0, options.format, dryFormat, formatNote);
    if (!status.ok()) return status;
  }
  installInterruptCleanup();
  SafeAudioWriter writer;
  status = writer.open(outputPath, format, 2, static_cast<int>(rate));
  if (!status.ok()) return status;
  SafeAudioWriter dryWriter;
  if (!options.dryOutput.empty()) {
    status = dryWriter.open(options.dryOutput, dryFormat, 2, static_cast<int>(rate));
    if (!status.ok()) return status;
  }

  // The plug-in, set up before it is resumed so that it starts at its targets.
  PluginHost host;
  PluginSetup setup;
  status = setUpPlugin(options, rate, host, setup);
  if (!status.ok()) return status;
  host.resume();

  RenderSettings settings;
  settings.blockSize = options.blockSize;
  settings.doublePrecision = options.doublePrecision;
  RenderResult result;
  const double seconds = static_cast<double>(source->frames()) / rate;
  ProgressBar progress(source->frames(), options.progress || (isatty(STDERR_FILENO) &&
                                                              seconds >= kProgressMinSeconds));
  SummaryInfo info;
  info.input = describeInput(inputName, *source, inputFormat);
  status = renderStream(host, *source, &writer, settings, result, progress);
  progress.finish();
  if (!status.ok()) return status;
  info.pluginPath = host.path();
  host.unload();

  if (!options.dryOutput.empty()) {
    status = writeWhole(dryWriter, demo);
    if (!status.ok()) return status;
    status = dryWriter.commit();
    if (!status.ok()) return status;
    info.dryOutput =
        absolutePath(options.dryOutput) + " (" + describeFormat(dryFormat) + ", dry demo)";
  }
  status = writer.commit();
  if (!status.ok()) return status;

  if (isIntegerFormat(format) && result.output.clippedSamples() > 0) {
    note(std::to_string(result.output.clippedSamples()) +
         " output samples beyond full scale were clipped in the " + describeFormat(format) +
         " file; lower Makeup or use --format float");
  }
  info.setup = setup;
  info.settings = settings;
  info.sampleRate = rate;
  info.output = absolutePath(outputPath) + " (" + describeFormat(format) + ", stereo, " +
                std::to_string(static_cast<int>(rate)) + " Hz)";
  info.wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  printSummary(stdout, info, result);
  return {};
}

}  // namespace zelrender
