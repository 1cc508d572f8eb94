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

static_assert(std::endian::native == std::endian::little,
              "the goldens' native order is little-endian");

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

// The state chunk the plug-in writes now.
Bytes getChunk(PluginHost& host) {
  void* data = nullptr;
  const VstIntPtr size = host.dispatch(effGetChunk, 0, 0, &data);
  if (size <= 0 || !data) return {};
  return Bytes(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

// Byte-for-byte equality, reporting the first difference.
testing::AssertionResult sameBytes(const Bytes& expected, const Bytes& actual) {
  if (expected.size() != actual.size())
    return testing::AssertionFailure()
           << "size " << actual.size() << ", expected " << expected.size();
  for (size_t i = 0; i < expected.size(); ++i)
    if (expected[i] != actual[i])
      return testing::AssertionFailure() << "first difference at byte " << i << ": "
                                         << int{actual[i]} << ", expected " << int{expected[i]};
  return testing::AssertionSuccess();
}

struct ReadCase {
  const char* file;
  const char* expected;  // the state afterwards, as a current-format chunk
};

// Each golden chunk, in either byte order and format, leaves exactly the names,
// values and selected preset that the generator put in.
TEST(GoldenChunks, ReadingGivesTheGeneratorsPresets) {
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
    EXPECT_TRUE(sameBytes(sent, chunk)) << "the host's chunk was written to";

    for (int p = 0; p < 48; ++p) ASSERT_EQ(reader.programName(p), nameOf(expected, p)) << p;
    const int selected = fieldOf<int32_t>(expected, kSelectedAt);
    char current[64] = {};
    reader.dispatch(effGetProgramName, 0, 0, current);
    EXPECT_EQ(current, nameOf(expected, selected));
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(e->getParameter(e, kStoredSlots[i]), fieldOf<float>(expected, valueAt(selected, i)))
          << "slot " << kStoredSlots[i];

    EXPECT_TRUE(sameBytes(expected, getChunk(reader))) << "the state read is not the expected one";
  }
}

// A state made through the host interface alone (factory presets, then edits of
// the current preset) is written exactly as the golden chunk has it.
TEST(GoldenChunks, WritingAKnownStateGivesTheGoldenBytes) {
  PluginHost host;
  AEffect* e = host.create();
  ASSERT_NE(e, nullptr);
  e->setParameter(e, 8, 0.8125f);
  e->setParameter(e, 1, 0.1f);
  e->setParameter(e, 12, 1.0f);
  e->setParameter(e, 13, 1.5f);  // stored as 1
  char name[] = "Written Glue";
  host.dispatch(effSetProgramName, 0, 0, name);

  const Bytes golden = golden::readFile("chunk_written_le.bin");
  ASSERT_EQ(golden.size(), 26545u);
  EXPECT_TRUE(sameBytes(golden, getChunk(host)));
}

}  // namespace
