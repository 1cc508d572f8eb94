// Writes the plug-in's parameter answers to standard output, for
// tests/plugin/data/parameter-answers.txt (see the README there).
#include <cstdio>

#include "ParameterAnswers.h"

int main() {
  PluginHost host;
  if (!host.library || !host.entry || !host.create()) {
    std::fprintf(stderr, "cannot load %s\n", ZEL_PLUGIN_PATH);
    return 1;
  }
  for (const std::string& line : parameterAnswers(host)) std::printf("%s\n", line.c_str());
  return 0;
}
