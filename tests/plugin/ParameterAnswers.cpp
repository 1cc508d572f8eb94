#include "ParameterAnswers.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr int kFirstSlot = -1;  // one slot on either side of the real ones
constexpr int kLastSlot = 18;
constexpr unsigned char kFill = 0xA5;  // what buffers hold before the plug-in writes

__attribute__((format(printf, 1, 2))) std::string format(const char* fmt, ...) {
  char text[512];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(text, sizeof text, fmt, args);
  va_end(args);
  return text;
}

// The text in a buffer, and how many bytes of it the plug-in wrote (the last
// byte that differs from what the buffer held before, plus one).
std::string written(const char* before, const char* after, size_t size) {
  size_t touched = 0;
  for (size_t i = 0; i < size; ++i) {
    if (before[i] != after[i]) touched = i + 1;
  }
  const size_t length = strnlen(after, size);
  return format("\"%.*s\" (%zu bytes)", static_cast<int>(length), after, touched);
}

std::string textAnswer(PluginHost& host, VstInt32 opcode, int slot) {
  char before[256], after[256];
  std::memset(before, kFill, sizeof before);
  std::memcpy(after, before, sizeof after);
  const VstIntPtr result = host.dispatch(opcode, slot, 0, after);
  return written(before, after, sizeof after) + format(" returns %ld", static_cast<long>(result));
}

std::string hexBytes(const void* data, size_t size) {
  std::string hex;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) hex += format("%02x", bytes[i]);
  return hex;
}

std::string floatText(float v) { return format("%a", static_cast<double>(v)); }

std::vector<std::string> propertiesAnswer(PluginHost& host, int slot) {
  VstParameterProperties p;
  std::memset(&p, kFill, sizeof p);
  const VstIntPtr result = host.dispatch(effGetParameterProperties, slot, 0, &p);
  std::vector<std::string> lines;
  if (result == 0) {
    lines.push_back(format("slot %d properties returns 0", slot));
  } else {
    lines.push_back(
        format("slot %d properties returns %ld flags %d steps %s %s %s label \"%.*s\" "
               "short \"%.*s\"",
               slot, static_cast<long>(result), p.flags, floatText(p.stepFloat).c_str(),
               floatText(p.smallStepFloat).c_str(), floatText(p.largeStepFloat).c_str(),
               static_cast<int>(strnlen(p.label, sizeof p.label)), p.label,
               static_cast<int>(strnlen(p.shortLabel, sizeof p.shortLabel)), p.shortLabel));
  }
  lines.push_back(format("slot %d properties bytes %s", slot, hexBytes(&p, sizeof p).c_str()));
  return lines;
}

// FNV-1a, 64 bits.
uint64_t fingerprint(const void* data, size_t size) {
  uint64_t h = 14695981039346656037ull;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

std::string chunkAnswer(PluginHost& host, int isProgram) {
  void* data = nullptr;
  const VstIntPtr size = host.dispatch(effGetChunk, isProgram, 0, &data);
  const uint64_t h = data && size > 0 ? fingerprint(data, static_cast<size_t>(size)) : 0;
  return format("chunk %d size %ld fnv1a64 %016llx", isProgram, static_cast<long>(size),
                static_cast<unsigned long long>(h));
}

// The display text for v, carried in the buffer ("1EAD" and the float), quoted.
std::string carriedDisplay(PluginHost& host, int slot, float v) {
  char text[256];
  std::memset(text, kFill, sizeof text);
  std::memcpy(text, "1EAD", 4);
  std::memcpy(text + 4, &v, sizeof v);
  host.dispatch(effGetParamDisplay, slot, 0, text);
  return format("\"%.*s\"", static_cast<int>(strnlen(text, sizeof text)), text);
}

// The display text of the current value, quoted.
std::string currentDisplay(PluginHost& host, int slot) {
  char text[256];
  std::memset(text, kFill, sizeof text);
  host.dispatch(effGetParamDisplay, slot, 0, text);
  return format("\"%.*s\"", static_cast<int>(strnlen(text, sizeof text)), text);
}

// The grid: every thousandth, the edges of each switch position one float step
// either side, values outside 0..1, and a fixed pseudo-random spread.
std::vector<float> gridValues() {
  std::vector<float> values;
  for (int i = 0; i <= 1000; ++i) values.push_back(static_cast<float>(i) / 1000.0f);
  for (float edge : {0.25f, 0.5f, 0.75f, 1.0f}) {
    values.push_back(std::nextafter(edge, 0.0f));
    if (edge < 1.0f) values.push_back(std::nextafter(edge, 1.0f));
  }
  const float inf = std::numeric_limits<float>::infinity();
  for (float odd : {-0.0f, 1e-30f, std::numeric_limits<float>::denorm_min(), 0.49999f, 0.0001f,
                    0.9999f, -0.5f, 1.5f, -inf, inf, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()}) {
    values.push_back(odd);
  }
  uint32_t state = 12345u;
  for (int i = 0; i < 500; ++i) {
    state = state * 1664525u + 1013904223u;
    values.push_back(static_cast<float>(state >> 8) / 16777216.0f);
  }
  return values;
}

}  // namespace

std::vector<std::string> parameterAnswers(PluginHost& host) {
  std::vector<std::string> lines;
  lines.push_back("# Written by zel_parameter_answers_dump; see README.md beside this file.");
  lines.push_back("# slot: name, label, automatable, display of the state after construction");
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    lines.push_back(
        format("slot %d name %s", slot, textAnswer(host, effGetParamName, slot).c_str()));
    lines.push_back(
        format("slot %d label %s", slot, textAnswer(host, effGetParamLabel, slot).c_str()));
    lines.push_back(format("slot %d automatable %ld", slot,
                           static_cast<long>(host.dispatch(effCanBeAutomated, slot))));
    lines.push_back(
        format("slot %d display %s", slot, textAnswer(host, effGetParamDisplay, slot).c_str()));
    for (const std::string& line : propertiesAnswer(host, slot)) lines.push_back(line);
  }
  lines.push_back(chunkAnswer(host, 0));
  lines.push_back(chunkAnswer(host, 1));

  lines.push_back("# value: for slots -1 to 18, the display of the value carried in the buffer;");
  lines.push_back("# then \"set\" and the displays after setParameter(slot, value), or \"set =\"");
  lines.push_back("# when every one equals the carried display");
  AEffect* effect = host.effect;
  for (float v : gridValues()) {
    std::string carried, set;
    bool same = true;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
      const std::string shown = carriedDisplay(host, slot, v);
      effect->setParameter(effect, slot, v);
      const std::string current = currentDisplay(host, slot);
      carried += " " + shown;
      set += " " + current;
      if (current != shown) same = false;
    }
    lines.push_back(format("value %s%s set%s", floatText(v).c_str(), carried.c_str(),
                           same ? " =" : set.c_str()));
  }
  lines.push_back(chunkAnswer(host, 0));
  return lines;
}
