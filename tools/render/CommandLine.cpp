#include "CommandLine.h"

#include <charconv>

#include "BlockRenderer.h"

namespace zelrender {
namespace {

constexpr int kMaxBenchRuns = 1000;

Status usageError(const std::string& message) {
  return Status::fail(ExitCode::usage, message + " (see --help)");
}

bool readInt(const std::string& text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

Status readFormat(const std::string& text, SampleFormat& format) {
  if (text == "16") {
    format = SampleFormat::pcm16;
  } else if (text == "24") {
    format = SampleFormat::pcm24;
  } else if (text == "float" || text == "32f") {
    format = SampleFormat::float32;
  } else {
    return usageError("--format takes 16, 24 or float, not \"" + text + "\"");
  }
  return {};
}

Status readAssignment(const std::string& text, std::vector<ParameterAssignment>& list) {
  size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    return usageError("--set takes NAME=VALUE, not \"" + text + "\"");
  }
  list.push_back({text.substr(0, equals), text.substr(equals + 1)});
  return {};
}

// Applies one option that takes a value.
Status applyValueOption(const std::string& name, const std::string& value, RenderOptions& o) {
  if (name == "--output" || name == "-o") {
    o.output = value;
  } else if (name == "--plugin") {
    o.pluginPath = value;
  } else if (name == "--preset") {
    o.preset = value;
  } else if (name == "--preset-file") {
    o.presetFile = value;
  } else if (name == "--save-preset") {
    o.savePreset = value;
  } else if (name == "--save-bank") {
    o.saveBank = value;
  } else if (name == "--set") {
    return readAssignment(value, o.parameters);
  } else if (name == "--format") {
    return readFormat(value, o.format);
  } else if (name == "--block") {
    if (!readInt(value, o.blockSize) || o.blockSize < kMinBlockSize ||
        o.blockSize > kMaxBlockSize) {
      return usageError("--block takes a number from " + std::to_string(kMinBlockSize) + " to " +
                        std::to_string(kMaxBlockSize) + ", not \"" + value + "\"");
    }
  } else if (name == "--write-dry") {
    o.dryOutput = value;
  } else if (name == "--bench") {
    if (!readInt(value, o.benchRuns) || o.benchRuns < 1 || o.benchRuns > kMaxBenchRuns) {
      return usageError("--bench takes a number of runs from 1 to " +
                        std::to_string(kMaxBenchRuns) + ", not \"" + value + "\"");
    }
  }
  return {};
}

bool takesValue(const std::string& name) {
  return name == "--output" || name == "-o" || name == "--plugin" || name == "--preset" ||
         name == "--set" || name == "--format" || name == "--block" || name == "--write-dry" ||
         name == "--bench" || name == "--preset-file" || name == "--save-preset" ||
         name == "--save-bank";
}

bool isFlag(const std::string& name, RenderOptions& o) {
  if (name == "--help" || name == "-h") {
    o.help = true;
  } else if (name == "--version") {
    o.version = true;
  } else if (name == "--list") {
    o.list = true;
  } else if (name == "--double") {
    o.doublePrecision = true;
  } else if (name == "--progress") {
    o.progress = true;
  } else {
    return false;
  }
  return true;
}

Status checkCombination(const std::vector<std::string>& positional, RenderOptions& o) {
  if (positional.size() > 2) return usageError("too many file names: \"" + positional[2] + "\"");
  if (!positional.empty()) o.input = positional[0];
  if (positional.size() == 2) {
    if (!o.output.empty()) return usageError("the output is named twice");
    o.output = positional[1];
  }
  if (!o.dryOutput.empty() && !o.input.empty()) {
    return usageError("--write-dry only applies to the built-in demo (no input file)");
  }
  if (o.benchRuns > 0 &&
      (!o.output.empty() || !o.dryOutput.empty() || !o.savePreset.empty() || !o.saveBank.empty())) {
    return usageError("--bench renders in memory and writes no files");
  }
  if (!o.savePreset.empty() && o.savePreset == o.saveBank) {
    return usageError("--save-preset and --save-bank name the same file");
  }
  return {};
}

}  // namespace

Status parseCommandLine(int argc, const char* const* argv, RenderOptions& options) {
  options = RenderOptions{};
  std::vector<std::string> positional;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (onlyFiles || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyFiles = true;
      continue;
    }
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
    Status applied = applyValueOption(name, value, options);
    if (!applied.ok()) return applied;
  }
  return checkCombination(positional, options);
}

std::string usageText() {
  return R"(Usage: zel-render [options] [INPUT [OUTPUT]]

Renders an audio file through the Zel Trevalon compressor plug-in, loaded exactly
as a VST 2.4 host loads it. Without INPUT it renders a built-in 8-second
drum-and-bass demo to zel-demo.wav (or -o FILE).

INPUT is a mono or stereo WAV, AIFF or FLAC file. The output is stereo, at the
input's rate and length, in the input's sample format unless --format says
otherwise; its container follows its extension (.wav, .aif, .aiff, .flac).
Without OUTPUT, NAME.EXT is rendered to NAME-zel.EXT beside the input.

Options:
  -o, --output FILE     where to write the result
  --plugin PATH         the plug-in file (default: zel-trevalon.so beside
                        zel-render, then ../lib/vst/, then ~/.vst/)
  --preset N|NAME       preset by number (0-47) or name, e.g. 3 or "Smooth Vocal"
                        (exact name first, then any case)
  --preset-file FILE    load a preset file (.zel) into the current preset, or a
                        bank file (.zlb) into all 48 presets (then --preset picks
                        one of them; without it, preset 0); current or old
                        format, either byte order, exactly as the plug-in's
                        preset bar loads it
  --save-preset FILE    save the current preset, after --preset-file, --preset and
                        --set, as a preset file, as the plug-in's preset bar does
  --save-bank FILE      save all 48 presets (current one as set) as a bank file
  --set NAME=VALUE      set a parameter after the preset, by its name (any case);
                        repeatable. VALUE is in display units:
                          Attack 0.1..10 ms      Release 10..1000 ms
                          ScHpf 10..1000 Hz      Ratio 1..16 (":1" allowed)
                          Threshold -36..12 dB   Makeup -12..36 dB
                          Blend 0..100 %         Channel L, LR (or OO), R
                          Power In/Out, ScHpfSt and BlndSt On/Off,
                          Link Linked/Unlnkd (switches also on/off/1/0)
                        NAME=@0.25 sets a normalised value 0..1. A bare number
                        outside the display range but within 0..1 is read as
                        normalised, with a note (Ratio=0.5 is 4:1).
  --format 16|24|float  output sample format
  --double              process in double precision (default: single)
  --block N             block size handed to the plug-in, 1-8192 (default 512)
  --progress            show a progress bar (default: on a terminal, for long files)
  --write-dry FILE      demo only: also write the unprocessed demo
                        With only --save-preset or --save-bank (no INPUT, no
                        -o) nothing is rendered: the files are written and that
                        is all.
  --bench N             render the demo (or INPUT) N times in memory, in single
                        and double precision, and report the speed; writes nothing
  --list                list the plug-in's presets and parameters and exit
  -h, --help            show this text
  --version             show the version

Exit codes:
  0  success
  2  usage error (bad option or value syntax, unusable output name or format)
  3  input or preset file missing or unreadable, or input not mono or stereo
  4  output, preset or bank file cannot be written
  5  unknown preset or parameter, a value out of range, or a preset file the
     plug-in rejects (not a Zel Trevalon preset or bank file, or damaged)
  6  plug-in cannot be loaded, lacks VSTPluginMain, or returns no effect
  7  processing failure (the plug-in refused a setting or produced invalid audio)
On failure nothing is left at the output path: files are written under a
temporary name and moved into place only when complete.

Examples:
  zel-render
  zel-render --preset "Smooth Vocal" vocal.wav vocal-comp.wav
  zel-render --preset 10 --set Threshold=-18 --set Ratio=8:1 drums.flac -o out.wav
  zel-render --set Ratio=@0.5 --format float --double mix.aiff
  zel-render --preset-file bright.zel vocal.wav
  zel-render --preset-file studio.zlb --preset 5 bass.flac
  zel-render --preset 3 --set Ratio=8:1 --save-preset punchy.zel
  zel-render --bench 20

Every new instance of the plug-in starts from the user's stored default bank
and default preset, if any (set in the plug-in's preset bar), so zel-render
does too. Preset and bank files are written through a temporary file and moved
into place only when complete.

Preset and bank files are loaded and saved by the plug-in itself, through its
vendor-specific requests (effVendorSpecific with index 'ZlLd' or 'ZlSv'; see
the README).
)";
}

}  // namespace zelrender
