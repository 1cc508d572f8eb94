#include "ParameterText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zelrender {
namespace {

constexpr ParameterScale kScales[] = {
    {"Power", ScaleKind::switchLabels, 0, 0, {{"", 0}, {"", 0}}, "In", "Out", nullptr},
    {"Attack", ScaleKind::exponential, 0.1, 100, {{"ms", 1}, {"", 0}}, nullptr, nullptr, nullptr},
    {"Release", ScaleKind::exponential, 10, 100, {{"ms", 1}, {"", 0}}, nullptr, nullptr, nullptr},
    {"ScHpfSt", ScaleKind::switchLabels, 0, 0, {{"", 0}, {"", 0}}, "On", "Off", nullptr},
    {"ScHpf",
     ScaleKind::exponential,
     10,
     100,
     {{"Hz", 1}, {"kHz", 1000}},
     nullptr,
     nullptr,
     nullptr},
    {"Ratio", ScaleKind::exponential, 1, 16, {{":1", 1}, {"", 0}}, nullptr, nullptr, nullptr},
    {"Threshold", ScaleKind::linear, 48, -36, {{"dB", 1}, {"", 0}}, nullptr, nullptr, nullptr},
    {"Channel", ScaleKind::channel, 0, 0, {{"", 0}, {"", 0}}, nullptr, nullptr, nullptr},
    {"Makeup", ScaleKind::linear, 48, -12, {{"dB", 1}, {"", 0}}, nullptr, nullptr, nullptr},
    {"Link", ScaleKind::switchLabels, 0, 0, {{"", 0}, {"", 0}}, "Linked", "Unlnkd", "Unlinked"},
    {"BlndSt", ScaleKind::switchLabels, 0, 0, {{"", 0}, {"", 0}}, "On", "Off", nullptr},
    {"Blend", ScaleKind::linear, 100, 0, {{"%", 1}, {"", 0}}, nullptr, nullptr, nullptr},
};

constexpr const char* kChannelLabels[3] = {"L", "OO", "R"};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Reads a finite decimal number at the start of `text`; `rest` gets what follows it.
bool readNumber(std::string_view text, double& value, std::string_view& rest) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only digits or a point may start the number: rejects "inf", "nan" and a second sign.
  if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
    return false;
  }
  double parsed = 0.0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::fixed);
  if (ec != std::errc() || !std::isfinite(parsed)) return false;
  value = negative ? -parsed : parsed;
  rest = text.substr(static_cast<size_t>(end - text.data()));
  return true;
}

// A whole text that is one number and nothing else.
bool readBareNumber(std::string_view text, double& value) {
  std::string_view rest;
  return readNumber(text, value, rest) && rest.empty();
}

std::string formatNumber(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", x);
  return text;
}

std::string quoted(std::string_view name, std::string_view text) {
  return std::string(name) + "=" + std::string(text);
}

double inverse(const ParameterScale& scale, double display) {
  if (scale.kind == ScaleKind::exponential) return std::log(display / scale.a) / std::log(scale.b);
  return (display - scale.b) / scale.a;
}

std::string rangeText(const ParameterScale& scale) {
  double lo = displayValueOf(scale, 0.0);
  double hi = displayValueOf(scale, 1.0);
  std::string unit = scale.units[0].text;
  if (unit == ":1") return formatNumber(lo) + ":1 to " + formatNumber(hi) + ":1";
  std::string sep = unit.empty() || unit == "%" ? "" : " ";
  return formatNumber(lo) + " to " + formatNumber(hi) + sep + unit;
}

Status outOfRange(std::string_view name, std::string_view text, const std::string& range) {
  return Status::fail(ExitCode::value, quoted(name, text) + " is out of range (" + range +
                                           ", or @0..1 for a normalised value)");
}

// A bare number in 0..1 that is no display value of the parameter: read as normalised.
Status takeAsNormalised(std::string_view name, std::string_view text, double x,
                        const std::string& range, ValueRequest& request) {
  if (x < 0.0 || x > 1.0) return outOfRange(name, text, range);
  request.normalised = static_cast<float>(x);
  request.readAsNormalised = true;
  request.note =
      quoted(name, text) + " is outside " + range + "; read as normalised " + formatNumber(x);
  return {};
}

Status parseNumeric(const ParameterScale& scale, std::string_view name, std::string_view text,
                    ValueRequest& request) {
  double x = 0.0;
  std::string_view rest;
  if (!readNumber(text, x, rest)) {
    return Status::fail(ExitCode::value, quoted(name, text) + " is not a number");
  }
  rest = trim(rest);
  bool bare = rest.empty();
  if (!bare) {
    bool known = false;
    for (const UnitSuffix& unit : scale.units) {
      if (unit.text[0] != '\0' && equalsIgnoreCase(rest, unit.text)) {
        x *= unit.factor;
        known = true;
        break;
      }
    }
    if (!known) {
      return Status::fail(ExitCode::value,
                          quoted(name, text) + ": unknown unit \"" + std::string(rest) + "\"");
    }
  }
  double lo = displayValueOf(scale, 0.0);
  double hi = displayValueOf(scale, 1.0);
  double slack = 1e-9 * std::fmax(1.0, std::fmax(std::fabs(lo), std::fabs(hi)));
  if (x >= lo - slack && x <= hi + slack) {
    double v = std::fmin(1.0, std::fmax(0.0, inverse(scale, x)));
    request.normalised = static_cast<float>(v);
    return {};
  }
  if (!bare) return outOfRange(name, text, rangeText(scale));
  return takeAsNormalised(name, text, x, rangeText(scale), request);
}

Status parseSwitch(const ParameterScale& scale, std::string_view name, std::string_view text,
                   ValueRequest& request) {
  const std::string labels = std::string(scale.onLabel) + "/" + scale.offLabel;
  if (equalsIgnoreCase(text, scale.onLabel) || equalsIgnoreCase(text, "on") || text == "1") {
    request.normalised = 1.0f;
    return {};
  }
  if (equalsIgnoreCase(text, scale.offLabel) || equalsIgnoreCase(text, "off") || text == "0" ||
      (scale.offAlias != nullptr && equalsIgnoreCase(text, scale.offAlias))) {
    request.normalised = 0.0f;
    return {};
  }
  double x = 0.0;
  if (readBareNumber(text, x)) {
    if (x == 0.0 || x == 1.0) {
      request.normalised = static_cast<float>(x);
      return {};
    }
    return takeAsNormalised(name, text, x, labels, request);
  }
  return Status::fail(ExitCode::value, quoted(name, text) + " is not a setting of " +
                                           std::string(name) + " (" + labels +
                                           ", on/off, 1/0, or @0..1)");
}

Status parseChannel(std::string_view name, std::string_view text, ValueRequest& request) {
  if (equalsIgnoreCase(text, "L")) {
    request.normalised = 0.0f;
  } else if (equalsIgnoreCase(text, "LR") || equalsIgnoreCase(text, "OO")) {
    request.normalised = 0.5f;
  } else if (equalsIgnoreCase(text, "R")) {
    request.normalised = 1.0f;
  } else {
    double x = 0.0;
    if (readBareNumber(text, x)) return takeAsNormalised(name, text, x, "L/LR/R", request);
    return Status::fail(ExitCode::value,
                        quoted(name, text) + " is not a channel setting (L, LR, OO, R, or @0..1)");
  }
  return {};
}

}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

const ParameterScale* findScale(std::string_view parameterName) {
  for (const ParameterScale& scale : kScales) {
    if (equalsIgnoreCase(parameterName, scale.name)) return &scale;
  }
  return nullptr;
}

double displayValueOf(const ParameterScale& scale, double v) {
  if (scale.kind == ScaleKind::exponential) return scale.a * std::pow(scale.b, v);
  if (scale.kind == ScaleKind::linear) return scale.a * v + scale.b;
  return v;
}

Status parseParameterValue(std::string_view parameterName, std::string_view text,
                           ValueRequest& request) {
  request = ValueRequest{};
  text = trim(text);
  if (!text.empty() && text.front() == '@') {
    double x = 0.0;
    if (!readBareNumber(trim(text.substr(1)), x) || x < 0.0 || x > 1.0) {
      return Status::fail(ExitCode::value, quoted(parameterName, text) +
                                               ": a normalised value must be a number from 0 to 1");
    }
    request.normalised = static_cast<float>(x);
    return {};
  }
  const ParameterScale* scale = findScale(parameterName);
  if (scale == nullptr) {
    double x = 0.0;
    if (readBareNumber(text, x) && x >= 0.0 && x <= 1.0) {
      request.normalised = static_cast<float>(x);
      return {};
    }
    return Status::fail(ExitCode::value, quoted(parameterName, text) +
                                             ": this parameter takes a normalised value 0..1");
  }
  switch (scale->kind) {
    case ScaleKind::exponential:
    case ScaleKind::linear:
      return parseNumeric(*scale, parameterName, text, request);
    case ScaleKind::switchLabels:
      return parseSwitch(*scale, parameterName, text, request);
    case ScaleKind::channel:
      return parseChannel(parameterName, text, request);
    case ScaleKind::none:
      break;
  }
  return Status::fail(ExitCode::value, quoted(parameterName, text) + " cannot be read");
}

bool displayAgrees(std::string_view parameterName, float v, std::string_view display) {
  const ParameterScale* scale = findScale(parameterName);
  if (scale == nullptr) return true;
  display = trim(display);
  switch (scale->kind) {
    case ScaleKind::switchLabels:
      // The plug-in rounds half up: 0.5 is on.
      return equalsIgnoreCase(display, v + 0.5f >= 1.0f ? scale->onLabel : scale->offLabel);
    case ScaleKind::channel: {
      int position = static_cast<int>(2.0f * v + 0.5f);
      return position >= 0 && position <= 2 && equalsIgnoreCase(display, kChannelLabels[position]);
    }
    case ScaleKind::exponential:
    case ScaleKind::linear: {
      double shown = 0.0;
      std::string_view rest;
      if (!readNumber(display, shown, rest)) return false;
      rest = trim(rest);
      if (!rest.empty() && !equalsIgnoreCase(rest, scale->units[0].text)) return false;
      size_t point = display.find('.');
      size_t decimals = 0;
      if (point != std::string_view::npos) {
        while (point + 1 + decimals < display.size() && display[point + 1 + decimals] >= '0' &&
               display[point + 1 + decimals] <= '9') {
          ++decimals;
        }
      }
      double expected = displayValueOf(*scale, v);
      double tolerance =
          0.5001 * std::pow(10.0, -static_cast<double>(decimals)) + 1e-6 * std::fabs(expected);
      return std::fabs(shown - expected) <= tolerance;
    }
    case ScaleKind::none:
      break;
  }
  return true;
}

}  // namespace zelrender
