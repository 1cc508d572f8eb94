#include "ZelValueReading.h"

#include <charconv>
#include <cmath>

#include "ZelParameterTable.h"

namespace {

bool isWord(std::string_view text, const char* word) {
  return word != nullptr && zelEqualsIgnoreCase(text, word);
}

ZelReading readNumeric(const ZelParameterInfo& info, std::string_view text, float& normalised) {
  double x = 0.0;
  std::string_view rest;
  if (!zelReadNumber(text, x, rest)) return ZelReading::notAValue;
  rest = zelTrim(rest);
  if (!rest.empty()) {
    const ZelUnit* unit = nullptr;
    for (const ZelUnit& candidate : info.units) {
      if (candidate.text != nullptr && zelEqualsIgnoreCase(rest, candidate.text)) {
        unit = &candidate;
        break;
      }
    }
    if (unit == nullptr) return ZelReading::unknownUnit;
    x *= unit->factor;
  }
  // The ends of the range as the law gives them, with room for the rounding of a typed end.
  const double lo = zelDisplayValue(info.index, 0.0f);
  const double hi = zelDisplayValue(info.index, 1.0f);
  const double slack = 1e-9 * std::fmax(1.0, std::fmax(std::fabs(lo), std::fabs(hi)));
  if (!(x >= lo - slack && x <= hi + slack)) return ZelReading::outOfRange;
  normalised = zelNormalisedValue(info.index, x);
  return ZelReading::ok;
}

ZelReading readOnOff(const ZelParameterInfo& info, std::string_view text, float& normalised) {
  double x = -1.0;
  std::string_view rest;
  const bool number = zelReadNumber(text, x, rest) && rest.empty();
  if (isWord(text, info.onText) || isWord(text, "on") || (number && x == 1.0)) {
    normalised = 1.0f;
    return ZelReading::ok;
  }
  if (isWord(text, info.offText) || isWord(text, "off") || isWord(text, info.offAlias) ||
      (number && x == 0.0)) {
    normalised = 0.0f;
    return ZelReading::ok;
  }
  return ZelReading::notAValue;
}

ZelReading readChannel(std::string_view text, float& normalised) {
  if (isWord(text, kZelChannelTexts[0])) {
    normalised = 0.0f;
  } else if (isWord(text, kZelChannelTexts[1]) || isWord(text, "LR")) {
    normalised = 0.5f;
  } else if (isWord(text, kZelChannelTexts[2])) {
    normalised = 1.0f;
  } else {
    return ZelReading::notAValue;
  }
  return ZelReading::ok;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

ZelReading zelReadValueText(int index, std::string_view text, float& normalised) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (info == nullptr) return ZelReading::notAValue;
  text = zelTrim(text);
  switch (info->law) {
    case ZelLaw::exponential:
    case ZelLaw::linear:
      return readNumeric(*info, text, normalised);
    case ZelLaw::onOff:
      return readOnOff(*info, text, normalised);
    case ZelLaw::channel:
      return readChannel(text, normalised);
    case ZelLaw::placeholder:
    case ZelLaw::meter:
      break;
  }
  return ZelReading::notAValue;
}

bool zelParseValueText(int index, std::string_view text, float& normalised) {
  return zelReadValueText(index, text, normalised) == ZelReading::ok;
}

bool zelReadNumber(std::string_view text, double& value, std::string_view& rest) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only a digit or a point may start the number: rejects "inf", "nan" and a second sign.
  if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
    return false;
  }
  double parsed = 0.0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::fixed);
  if (ec != std::errc() || !std::isfinite(parsed)) return false;
  value = negative ? -parsed : parsed;
  rest = text.substr(static_cast<size_t>(end - text.data()));
  return true;
}

std::string_view zelTrim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool zelEqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}
