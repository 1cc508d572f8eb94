// The plug-in's parameter answers (names, labels, automation, properties,
// display texts, chunk fingerprints) match the ones captured in
// data/parameter-answers.txt, asked through the exported entry point.
#include <gtest/gtest.h>

#include <fstream>

#include "ParameterAnswers.h"

namespace {

std::vector<std::string> readLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(ParameterAnswers, MatchTheCapturedAnswers) {
  const std::vector<std::string> expected = readLines(ZEL_PARAMETER_ANSWERS);
  ASSERT_FALSE(expected.empty()) << "cannot read " << ZEL_PARAMETER_ANSWERS;
  PluginHost host;
  ASSERT_NE(host.create(), nullptr);
  const std::vector<std::string> actual = parameterAnswers(host);

  int reported = 0;
  for (size_t i = 0; i < std::min(expected.size(), actual.size()) && reported < 20; ++i) {
    if (expected[i] == actual[i]) continue;
    ADD_FAILURE() << "line " << i + 1 << "\n  captured: " << expected[i]
                  << "\n  now:      " << actual[i];
    ++reported;
  }
  EXPECT_EQ(expected.size(), actual.size());
}

}  // namespace
