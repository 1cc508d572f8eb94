#include "Summary.h"

#include <cmath>

namespace zelrender {
namespace {

void printLevels(std::FILE* out, const char* label, const LevelMeter& meter) {
  std::fprintf(out, "  %-4s %10s %10s ", label, formatDb(amplitudeToDb(meter.peak())).c_str(),
               formatDb(amplitudeToDb(meter.rms())).c_str());
  if (meter.channels() == 1) {
    std::fprintf(out, "   (mono)\n");
    return;
  }
  static const char* const kNames[2] = {"L", "R"};
  for (int c = 0; c < meter.channels() && c < 2; ++c) {
    std::fprintf(out, "   %s %s / %s", kNames[c], formatDb(amplitudeToDb(meter.peak(c))).c_str(),
                 formatDb(amplitudeToDb(meter.rms(c))).c_str());
  }
  std::fprintf(out, "\n");
}

}  // namespace

std::string formatDb(double db) {
  if (std::isinf(db) && db < 0) return "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", db);
  return text;
}

void printSummary(std::FILE* out, const SummaryInfo& info, const RenderResult& result) {
  const double seconds =
      info.sampleRate > 0 ? static_cast<double>(result.frames) / info.sampleRate : 0.0;
  std::fprintf(out, "input    %s\n", info.input.c_str());
  std::fprintf(out, "plug-in  %s\n", info.pluginPath.c_str());
  std::fprintf(out, "preset   %s\n", describePreset(info.setup).c_str());
  for (const AppliedParameter& p : info.setup.parameters) {
    std::fprintf(out, "set      %s = %s\n", p.name.c_str(), p.display.c_str());
  }
  std::fprintf(out, "process  %s precision, %d-frame blocks\n",
               info.settings.doublePrecision ? "double" : "single", info.settings.blockSize);
  std::fprintf(out, "levels     peak dBFS   RMS dBFS   per channel peak / RMS\n");
  printLevels(out, "in", result.input);
  printLevels(out, "out", result.output);
  std::fprintf(out, "gain reduction  max %.2f dB, average %.2f dB\n",
               result.gainReduction.maximumDb(), result.gainReduction.averageDb());
  std::fprintf(out, "time     %.3f s in all, %.3f s in the plug-in", info.wallSeconds,
               result.pluginSeconds);
  if (info.wallSeconds > 0 && result.pluginSeconds > 0) {
    std::fprintf(out, "; %.1fx real time (plug-in alone %.1fx)", seconds / info.wallSeconds,
                 seconds / result.pluginSeconds);
  }
  std::fprintf(out, "\n");
  for (const std::string& saved : info.setup.savedFiles)
    std::fprintf(out, "saved    %s\n", saved.c_str());
  if (!info.dryOutput.empty()) std::fprintf(out, "wrote    %s\n", info.dryOutput.c_str());
  std::fprintf(out, "wrote    %s\n", info.output.c_str());
}

}  // namespace zelrender
