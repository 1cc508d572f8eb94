#include "ParameterText.h"

#include <cstdio>

#include "ZelParameterTable.h"
#include "ZelValueReading.h"

namespace zelrender {
namespace {

// A whole text that is one number and nothing else.
bool readBareNumber(std::string_view text, double& value) {
  std::string_view rest;
  return zelReadNumber(text, value, rest) && rest.empty();
}

std::string formatNumber(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", x);
  return text;
}

std::string quoted(std::string_view name, std::string_view text) {
  return std::string(name) + "=" + std::string(text);
}

Status outOfRange(std::string_view name, std::string_view text) {
  return Status::fail(ExitCode::value, quoted(name, text) + " is out of range (" +
                                           acceptedValues(name) +
                                           ", or @0..1 for a normalised value)");
}

// A bare number in 0..1 that is no display value of the parameter: read as normalised.
Status takeAsNormalised(std::string_view name, std::string_view text, double x,
                        ValueRequest& request) {
  if (x < 0.0 || x > 1.0) return outOfRange(name, text);
  request.normalised = static_cast<float>(x);
  request.readAsNormalised = true;
  request.note = quoted(name, text) + " is outside " + acceptedValues(name) +
                 "; read as normalised " + formatNumber(x);
  return {};
}

Status notAValue(const ZelParameterInfo& info, std::string_view name, std::string_view text) {
  std::string what;
  switch (info.law) {
    case ZelLaw::onOff:
      what = " is not a setting of " + std::string(name) + " (" + acceptedValues(name) +
             ", on/off, 1/0, or @0..1)";
      break;
    case ZelLaw::channel:
      what = " is not a channel setting (L, LR, OO, R, or @0..1)";
      break;
    default:
      what = " is not a number";
      break;
  }
  return Status::fail(ExitCode::value, quoted(name, text) + what);
}

}  // namespace

Status parseParameterValue(std::string_view parameterName, std::string_view text,
                           ValueRequest& request) {
  request = ValueRequest{};
  text = zelTrim(text);
  double x = 0.0;
  if (!text.empty() && text.front() == '@') {
    if (!readBareNumber(zelTrim(text.substr(1)), x) || x < 0.0 || x > 1.0) {
      return Status::fail(ExitCode::value, quoted(parameterName, text) +
                                               ": a normalised value must be a number from 0 to 1");
    }
    request.normalised = static_cast<float>(x);
    return {};
  }
  const ZelParameterInfo* info = zelFindParameter(parameterName);
  if (info == nullptr) {
    if (readBareNumber(text, x) && x >= 0.0 && x <= 1.0) {
      request.normalised = static_cast<float>(x);
      return {};
    }
    return Status::fail(ExitCode::value, quoted(parameterName, text) +
                                             ": this parameter takes a normalised value 0..1");
  }
  const bool bare = readBareNumber(text, x);
  switch (zelReadValueText(info->index, text, request.normalised)) {
    case ZelReading::ok:
      return {};
    case ZelReading::unknownUnit: {
      std::string_view rest;
      zelReadNumber(text, x, rest);
      return Status::fail(ExitCode::value, quoted(parameterName, text) + ": unknown unit \"" +
                                               std::string(zelTrim(rest)) + "\"");
    }
    case ZelReading::outOfRange:
      return bare ? takeAsNormalised(parameterName, text, x, request)
                  : outOfRange(parameterName, text);
    case ZelReading::notAValue:
      break;
  }
  if (bare) return takeAsNormalised(parameterName, text, x, request);
  return notAValue(*info, parameterName, text);
}

bool displayAgrees(std::string_view parameterName, float v, std::string_view display) {
  const ZelParameterInfo* info = zelFindParameter(parameterName);
  if (info == nullptr) return true;
  char expected[32];
  zelHostDisplayText(info->index, v, expected);
  return zelTrim(display) == expected;
}

std::string acceptedValues(std::string_view parameterName) {
  const ZelParameterInfo* info = zelFindParameter(parameterName);
  if (info == nullptr) return "@0..1";
  switch (info->law) {
    case ZelLaw::onOff:
      return std::string(info->onText) + "/" + info->offText;
    case ZelLaw::channel:
      return "L/LR/R";
    case ZelLaw::exponential:
    case ZelLaw::linear:
      break;
    default:
      return "@0..1";
  }
  const std::string lo = formatNumber(zelDisplayValue(info->index, 0.0f));
  const std::string hi = formatNumber(zelDisplayValue(info->index, 1.0f));
  const std::string unit = info->units[0].text != nullptr ? info->units[0].text : "";
  if (unit == ":1") return lo + ":1 to " + hi + ":1";
  const std::string separator = unit.empty() || unit == "%" ? "" : " ";
  return lo + " to " + hi + separator + unit;
}

}  // namespace zelrender
