#include "Preferences.h"

#include <charconv>
#include <string_view>

#include "Base64.h"

namespace {

constexpr size_t kMaxKeyLength = 128;
constexpr size_t kMaxLengthDigits = 9;
constexpr char kHeader[] = "# Zel Trevalon preferences, format 1\n";

bool keyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '-';
}

bool typeName(std::string_view t) {
  if (t.empty() || t.size() > 32) return false;
  for (char c : t)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

bool escaped(unsigned char c) { return c < 0x20 || c == 0x7F || c == '%'; }

std::string escape(const std::string& s) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) {
    if (escaped(c)) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c != '%') {
      if (escaped(c)) return false;
      out += static_cast<char>(c);
      continue;
    }
    if (text.size() - i < 3) return false;
    const int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

}  // namespace

bool Preferences::validKey(const std::string& key) {
  if (key.empty() || key.size() > kMaxKeyLength) return false;
  for (char c : key)
    if (!keyChar(c)) return false;
  return true;
}

bool Preferences::getData(const std::string& key, std::vector<char>& out) const {
  auto it = values.find(key);
  if (it == values.end() || it->second.type != "data") return false;
  out.assign(it->second.bytes.begin(), it->second.bytes.end());
  return true;
}

bool Preferences::getString(const std::string& key, std::string& out) const {
  auto it = values.find(key);
  if (it == values.end() || it->second.type != "string") return false;
  out = it->second.bytes;
  return true;
}

void Preferences::setData(const std::string& key, const char* data, size_t size) {
  if (!validKey(key)) return;
  values[key] = Value{"data", std::string(data, size)};
}

void Preferences::setString(const std::string& key, const std::string& value) {
  if (!validKey(key)) return;
  values[key] = Value{"string", value};
}

void Preferences::remove(const std::string& key) { values.erase(key); }

Preferences Preferences::parse(const char* text, size_t size) {
  Preferences prefs;
  if (!text) return prefs;
  std::string_view all(text, size);
  std::string decoded;
  std::vector<char> data;
  while (!all.empty()) {
    const size_t end = all.find('\n');
    std::string_view line = all.substr(0, end);
    all.remove_prefix(end == std::string_view::npos ? all.size() : end + 1);
    if (line.empty() || line[0] == '#') continue;

    // KEY = TYPE:LENGTH:PAYLOAD
    const size_t equals = line.find(" = ");
    if (equals == std::string_view::npos) continue;
    const std::string key(line.substr(0, equals));
    std::string_view rest = line.substr(equals + 3);
    const size_t colon1 = rest.find(':');
    if (!validKey(key) || colon1 == std::string_view::npos) continue;
    const std::string_view type = rest.substr(0, colon1);
    rest.remove_prefix(colon1 + 1);
    const size_t colon2 = rest.find(':');
    if (!typeName(type) || colon2 == 0 || colon2 == std::string_view::npos ||
        colon2 > kMaxLengthDigits)
      continue;
    size_t length = 0;
    const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + colon2, length);
    if (ec != std::errc() || ptr != rest.data() + colon2) continue;
    const std::string_view payload = rest.substr(colon2 + 1);

    if (type == "data") {
      if (!base64Decode(payload, data) || data.size() != length) continue;
      prefs.values[key] = Value{"data", std::string(data.begin(), data.end())};
    } else if (type == "string") {
      if (!unescape(payload, decoded) || decoded.size() != length) continue;
      prefs.values[key] = Value{"string", decoded};
    } else {
      if (payload.size() != length) continue;
      prefs.values[key] = Value{std::string(type), std::string(payload)};
    }
  }
  return prefs;
}

std::string Preferences::serialise() const {
  std::string out = kHeader;
  for (const auto& [key, value] : values) {
    std::string payload;
    size_t length = value.bytes.size();
    if (value.type == "data") {
      payload = base64Encode(value.bytes.data(), value.bytes.size());
    } else if (value.type == "string") {
      payload = escape(value.bytes);
    } else {
      payload = value.bytes;
    }
    out += key + " = " + value.type + ":" + std::to_string(length) + ":" + payload + "\n";
  }
  return out;
}
