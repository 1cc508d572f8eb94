// State chunks from the host: the old format in both byte orders, the
// identifier and marker checks, and malformed chunks that must change nothing.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "PluginHost.h"

namespace {

uint32_t swap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

// Builds an old-format chunk: 32-byte head, then presets of a name and `floats` values.
class OldChunk {
public:
  OldChunk(int count, int selected, int floats, bool swapped) : floats_(floats), swapped_(swapped) {
    bytes.assign(32 + static_cast<size_t>(count) * (24 + 4 * floats), 0);
    put(0, 0x01000000);
    putRaw(4, swapped ? swap32(0x4B765264) : 0x4B765264);
    put(8, static_cast<uint32_t>(count));
    put(12, static_cast<uint32_t>(selected));
  }
  void setPreset(int i, const char* name, float value) {
    std::memcpy(&bytes[offset(i)], name, std::strlen(name));
    for (int j = 0; j < floats_; ++j) setValue(i, j, value);
  }
  void setValue(int i, int j, float value) {
    uint32_t w;
    std::memcpy(&w, &value, 4);
    put(offset(i) + 24 + 4 * static_cast<size_t>(j), w);
  }
  void put(size_t at, uint32_t v) { putRaw(at, swapped_ ? swap32(v) : v); }
  void putRaw(size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }
  std::vector<unsigned char> bytes;

private:
  size_t offset(int i) const { return 32 + static_cast<size_t>(i) * (24 + 4 * floats_); }
  int floats_;
  bool swapped_;
};

class Chunks : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(host.create(), nullptr); }

  // Sends the chunk from a read-only page, so any write into it would crash the test.
  VstIntPtr send(const std::vector<unsigned char>& chunk) {
    const size_t page = 4096;
    const size_t length = (chunk.size() + page) / page * page;
    void* mem = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    EXPECT_NE(mem, MAP_FAILED);
    std::memcpy(mem, chunk.data(), chunk.size());
    mprotect(mem, length, PROT_READ);
    VstIntPtr result = host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), mem);
    munmap(mem, length);
    return result;
  }

  std::vector<std::string> allNames() {
    std::vector<std::string> names;
    for (int i = 0; i < 48; ++i) names.push_back(host.programName(i));
    return names;
  }

  PluginHost host;
};

TEST_F(Chunks, CurrentFormatRoundTripInBothByteOrders) {
  AEffect* e = host.effect;
  ASSERT_EQ(send(OldChunk(0, 14, 16, false).bytes), 0);  // select "Master Track"
  e->setParameter(e, 8, 0.8125f);
  char name[] = "Bus Glue";
  host.dispatch(effSetProgramName, 0, 0, name);

  void* data = nullptr;
  const VstIntPtr size = host.dispatch(effGetChunk, 0, 0, &data);
  ASSERT_EQ(size, 26545);
  std::vector<unsigned char> chunk(static_cast<unsigned char*>(data),
                                   static_cast<unsigned char*>(data) + size);
  void* again = nullptr;
  EXPECT_EQ(host.dispatch(effGetChunk, 1, 0, &again), size);  // the preset flag changes nothing

  // The same bank as a big-endian machine writes it: every 32-bit field reversed.
  std::vector<unsigned char> reversed = chunk;
  auto flip = [&](size_t at) { std::reverse(reversed.begin() + at, reversed.begin() + at + 4); };
  flip(0);
  flip(4);
  for (size_t at = 8 + 5; at < 8 + 41; at += 4) flip(at);
  for (size_t at = 49; at < reversed.size();) {
    int32_t type, length;
    std::memcpy(&type, &chunk[at], 4);
    std::memcpy(&length, &chunk[at + 4], 4);
    for (int w = 0; w < 3; ++w) flip(at + 4 * w);
    if (type == 1) {
      flip(at + 12);
      flip(at + 24);
    }
    at += 12 + static_cast<size_t>(length);
  }

  for (const auto& image : {chunk, reversed}) {
    PluginHost other;
    ASSERT_NE(other.create(), nullptr);
    ASSERT_EQ(other.dispatch(effSetChunk, 0, size, const_cast<unsigned char*>(image.data())), 0);
    char current[64] = {};
    other.dispatch(effGetProgramName, 0, 0, current);
    EXPECT_STREQ(current, "Bus Glue");
    EXPECT_EQ(other.paramDisplay(8), "3.0");
    for (int i = 0; i < 48; ++i) ASSERT_EQ(other.programName(i), host.programName(i));
  }
}

TEST_F(Chunks, OldFormatInBothByteOrders) {
  for (bool swapped : {false, true}) {
    OldChunk chunk(48, 5, 16, swapped);
    for (int i = 0; i < 48; ++i) {
      std::string name = "Preset " + std::to_string(i);
      chunk.setPreset(i, name.c_str(), static_cast<float>(i) / 64.0f);
    }
    chunk.setValue(5, 6, 0.5f);  // Ratio of preset 5
    host.clearCalls();
    ASSERT_EQ(send(chunk.bytes), 0) << "swapped " << swapped;
    EXPECT_EQ(host.programName(0), "Preset 0");
    EXPECT_EQ(host.programName(47), "Preset 47");
    // Preset 5 is selected and its values reach the effect.
    AEffect* e = host.effect;
    EXPECT_FLOAT_EQ(e->getParameter(e, 1), 5.0f / 64.0f);
    EXPECT_EQ(host.paramDisplay(6), "4.0:1");
    char name[64];
    host.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "Preset 5");
    // The host is asked to re-read names and values.
    bool updated = false;
    for (const HostCall& call : host.calls()) updated |= call.opcode == audioMasterUpdateDisplay;
    EXPECT_TRUE(updated);
  }
}

TEST_F(Chunks, OldFormatWithFewerPresetsAndValues) {
  OldChunk chunk(3, 2, 10, false);  // 3 presets of 10 values
  for (int i = 0; i < 3; ++i) chunk.setPreset(i, "Short", 0.25f);
  ASSERT_EQ(send(chunk.bytes), 0);
  EXPECT_EQ(host.programName(2), "Short");
  EXPECT_EQ(host.programName(3), "Smooth Vocal");  // untouched
  AEffect* e = host.effect;
  EXPECT_FLOAT_EQ(e->getParameter(e, 8), 0.25f);
  // Slots past the tenth come from the default record ("Default").
  EXPECT_FLOAT_EQ(e->getParameter(e, 10), 0.375f);
  EXPECT_FLOAT_EQ(e->getParameter(e, 13), 0.75f);
}

TEST_F(Chunks, ZeroPresetsOnlySelects) {
  OldChunk chunk(0, 8, 16, false);
  ASSERT_EQ(send(chunk.bytes), 0);
  char name[64];
  host.dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Power of Blend");
  EXPECT_EQ(host.paramDisplay(12), "On");

  OldChunk outOfRange(0, 99, 16, true);
  ASSERT_EQ(send(outOfRange.bytes), 0);
  host.dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Default");
}

TEST_F(Chunks, PowerStaysWhenAnotherPresetIsSelected) {
  AEffect* e = host.effect;
  e->setParameter(e, 0, 0.0f);
  for (int preset : {3, 17, 40}) {
    ASSERT_EQ(send(OldChunk(0, preset, 16, false).bytes), 0);
    EXPECT_EQ(e->getParameter(e, 0), 0.0f) << preset;
    EXPECT_EQ(host.paramDisplay(0), "Out");
  }
}

TEST_F(Chunks, MalformedChunksAreRejectedAndChangeNothing) {
  AEffect* e = host.effect;
  e->setParameter(e, 8, 0.3f);
  const auto namesBefore = allNames();

  std::vector<std::vector<unsigned char>> bad;
  {
    OldChunk c(48, 1, 16, false);
    c.putRaw(4, 0x12345678);  // foreign identifier
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(48, 1, 16, false);
    c.put(0, 0x03000000);  // unknown marker
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(48, 1, 16, false);
    for (int i = 0; i < 48; ++i) c.setPreset(i, "Changed", 0.5f);
    c.setValue(30, 8, 1.5f);  // a value out of range late in the chunk
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(48, 1, 16, true);
    for (int i = 0; i < 48; ++i) c.setPreset(i, "Changed", 0.5f);
    c.setValue(0, 2, -0.25f);
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(4, 1, 16, false);
    c.put(8, 1000);  // announces far more presets than it holds
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(2, 1, 16, false);
    c.put(8, static_cast<uint32_t>(-2));  // negative count
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(0, 1, 16, false);
    c.bytes.erase(c.bytes.begin() + 20, c.bytes.end());  // shorter than the head
    bad.push_back(c.bytes);
  }
  {
    OldChunk c(48, 1, 16, false);
    c.bytes.erase(c.bytes.begin() + 4, c.bytes.end());
    bad.push_back(c.bytes);
  }
  {
    // Current marker but too short for the bank header.
    OldChunk c(1, 0, 16, false);
    c.put(0, 0x02000000);
    c.bytes.erase(c.bytes.begin() + 40, c.bytes.end());
    bad.push_back(c.bytes);
  }
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(send(bad[i]), -1) << "chunk " << i;

  EXPECT_EQ(allNames(), namesBefore);
  EXPECT_FLOAT_EQ(e->getParameter(e, 8), 0.3f);
  EXPECT_EQ(host.dispatch(effSetChunk, 0, 100, nullptr), -1);
}

TEST_F(Chunks, NotANumberInAnOldChunkIsStoredAsZero) {
  OldChunk chunk(1, 0, 16, false);
  chunk.setPreset(0, "Nan", 0.5f);
  chunk.setValue(0, 8, std::nanf(""));
  ASSERT_EQ(send(chunk.bytes), 0);
  AEffect* e = host.effect;
  EXPECT_EQ(e->getParameter(e, 8), 0.0f);
  EXPECT_FLOAT_EQ(e->getParameter(e, 10), 0.5f);
}

}  // namespace
