// Reading the golden files of tests/golden/data (see README.md there).
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace golden {

// The whole file; empty when it cannot be read.
inline std::vector<unsigned char> readFile(const std::string& name) {
  std::ifstream in(std::string(ZEL_GOLDEN_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Little-endian fields read one after another; throws when the file ends early.
class Reader {
public:
  explicit Reader(std::vector<unsigned char> bytes) : data(std::move(bytes)) {}

  template <class T>
  T take() {
    if (data.size() - at < sizeof(T)) throw std::runtime_error("golden file ends early");
    T v;
    std::memcpy(&v, data.data() + at, sizeof(T));
    at += sizeof(T);
    return v;
  }
  template <class T>
  std::vector<T> take(size_t n) {
    std::vector<T> v(n);
    for (T& x : v) x = take<T>();
    return v;
  }
  bool atEnd() const { return at == data.size(); }

private:
  std::vector<unsigned char> data;
  size_t at = 0;
};

}  // namespace golden
