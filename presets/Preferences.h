// The values of one preferences domain, and their text form: one "key = type:length:payload"
// line per value, binary data in base64, strings with control bytes and '%' escaped as %XX.
// Lines of types this version does not know are kept as they are.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class Preferences {
public:
  static constexpr int kFormatVersion = 1;

  // False when the key has no value of that type.
  bool getData(const std::string& key, std::vector<char>& out) const;
  bool getString(const std::string& key, std::string& out) const;
  void setData(const std::string& key, const char* data, size_t size);
  void setString(const std::string& key, const std::string& value);
  void remove(const std::string& key);
  size_t size() const { return values.size(); }
  bool operator==(const Preferences& other) const = default;

  // Reads a file's text as far as it is valid: damaged lines are skipped, the rest kept.
  static Preferences parse(const char* text, size_t size);
  std::string serialise() const;

  // Keys are 1 to 128 of the characters A-Z a-z 0-9 . _ -
  static bool validKey(const std::string& key);

private:
  struct Value {
    std::string type;   // "data", "string", or a type kept as it was
    std::string bytes;  // decoded value; for kept types the payload text
    bool operator==(const Value& other) const = default;
  };
  std::map<std::string, Value> values;
};
