// State chunks made by tests/golden/images.py straight from the format tables,
// read and written through the plug-in's entry point: a reader and writer that
// share a mistake cannot agree with these bytes.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "GoldenData.h"
#include "PluginHost.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kStoredSlots[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13};

// Positions in a current-format chunk: 8-byte frame, 41-byte header, then per
// preset a 168-byte name record and a 32-byte record per stored slot.
constexpr size_t kSelectedAt = 8 + 17;
size_t presetAt(int p) { return 49 + static_cast<size_t>(p) * (168 + 32 * 12); }
size_t nameAt(int p) { return presetAt(p) + 12; }
size_t valueAt(int p, int i) { return presetAt(p) + 168 + 32 * static_cast<size_t>(i) + 24; }

template <class T>
T fieldOf(const Bytes& b, size_t at) {
  T v;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// A preset name as the host reads it: the 24 raw bytes up to the first NUL.
std::string nameOf(const Bytes& chunk, int p) {
  const char* name = reinterpret_cast<const char*>(chunk.data() + nameAt(p));
  return std::string(name, strnlen(name, 24));
}

class GoldenChunks : public testing::Test {
protected:
  void SetUp() override {
    static_assert(std::endian::native == std::endian::little,
                  "the written golden is the little-endian chunk");
    ASSERT_NE(host.create(), nullptr);
  }

  Bytes getChunk() {
    void* data = nullptr;
    const VstIntPtr size = host.dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return {};
    return Bytes(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
  }

  PluginHost host;
};

struct ReadCase {
  const char* file;
  const char* expected;  // the state afterwards, as a current-format chunk
};

// Each golden chunk, in either byte order and format, leaves exactly the names,
// values and selected preset that the generator put in.
TEST_F(GoldenChunks, ReadingGivesTheGeneratorsPresets) {
  const ReadCase cases[] = {
      {"chunk_le.bin", "chunk_le.bin"},
      {"chunk_be.bin", "chunk_le.bin"},
      {"chunk_old_le.bin", "chunk_le.bin"},
      {"chunk_old_be.bin", "chunk_le.bin"},
      {"chunk_old_short_le.bin", "chunk_old_short_loaded_le.bin"},
      {"chunk_old_short_be.bin", "chunk_old_short_loaded_le.bin"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.file);
    PluginHost reader;
    AEffect* e = reader.create();
    ASSERT_NE(e, nullptr);
    Bytes chunk = golden::readFile(c.file);
    const Bytes expected = golden::readFile(c.expected);
    ASSERT_FALSE(chunk.empty());
    ASSERT_EQ(expected.size(), 26545u);
    const Bytes sent = chunk;
    ASSERT_EQ(reader.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()),
              0);
    EXPECT_EQ(chunk, sent) << "the host's chunk was written to";

    for (int p = 0; p < 48; ++p) ASSERT_EQ(reader.programName(p), nameOf(expected, p)) << p;
    const int selected = fieldOf<int32_t>(expected, kSelectedAt);
    char current[64] = {};
    reader.dispatch(effGetProgramName, 0, 0, current);
    EXPECT_EQ(current, nameOf(expected, selected));
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(e->getParameter(e, kStoredSlots[i]), fieldOf<float>(expected, valueAt(selected, i)))
          << "slot " << kStoredSlots[i];

    void* data = nullptr;
    const VstIntPtr size = reader.dispatch(effGetChunk, 0, 0, &data);
    ASSERT_EQ(size, 26545);
    EXPECT_EQ(Bytes(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size),
              expected)
        << "the state read differs from the expected one";
  }
}

// A state made through the host interface alone (factory presets, then edits of
// the current preset) is written exactly as the golden chunk has it.
TEST_F(GoldenChunks, WritingAKnownStateGivesTheGoldenBytes) {
  AEffect* e = host.effect;
  e->setParameter(e, 8, 0.8125f);
  e->setParameter(e, 1, 0.1f);
  e->setParameter(e, 12, 1.0f);
  e->setParameter(e, 13, 1.5f);  // stored as 1
  char name[] = "Written Glue";
  host.dispatch(effSetProgramName, 0, 0, name);

  const Bytes golden = golden::readFile("chunk_written_le.bin");
  ASSERT_EQ(golden.size(), 26545u);
  const Bytes written = getChunk();
  ASSERT_EQ(written.size(), golden.size());
  for (size_t i = 0; i < golden.size(); ++i)
    ASSERT_EQ(written[i], golden[i]) << "first difference at byte " << i;
}

}  // namespace
