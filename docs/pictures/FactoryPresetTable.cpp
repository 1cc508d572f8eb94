#include "FactoryPresetTable.h"

#include <cstdio>
#include <string>
#include <vector>

#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

constexpr int kPresets = 48;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// Text safe in a troff table cell: backslashes escaped, minus signs as minus signs.
std::string troffText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

std::string display(ZelFETcomp* effect, int index) {
  char text[64] = {};
  effect->getParameterDisplay(index, text);
  std::string s(text);
  const auto first = s.find_first_not_of(' ');
  const auto last = s.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

struct Row {
  std::string name;
  std::string cells;  // everything after the name, tab separated
};

Row readPreset(ZelFETcomp* effect, int n) {
  char name[kVstMaxProgNameLen + 1] = {};
  effect->getProgramNameIndexed(0, n, name);
  effect->setPresetNo(n);
  const bool filter = display(effect, kScHpfSwitch) == "On";
  const bool blend = display(effect, kBlendSwitch) == "On";
  const bool linked = display(effect, kLink) == "Linked";
  Row row;
  row.name = troffText(name);
  for (const std::string& cell :
       {display(effect, kThreshold), display(effect, kRatio), display(effect, kAttack),
        display(effect, kRelease), display(effect, kMakeup),
        filter ? display(effect, kScHpf) : std::string("off"),
        blend ? display(effect, kBlend) : std::string("off"),
        std::string(linked ? "linked" : "unlinked")}) {
    row.cells += '\t' + troffText(cell);
  }
  return row;
}

}  // namespace

bool writeFactoryPresetTable(const std::string& path) {
  ZelFETcomp* effect = createZelFETcomp(&quietHost);
  std::vector<Row> rows;
  for (int n = 0; n < kPresets; ++n) rows.push_back(readPreset(effect, n));
  delete effect;

  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::fputs(".TS H\nbox center tab(\t);\n", out);
  std::fputs("cb lb cb cb cb cb cb cb cb cb\nr l n n n n n n n l.\n", out);
  std::fputs("No.\tName\tThreshold\tRatio\tAttack\tRelease\tMakeup\tSC filter\tBlend\tLink\n", out);
  std::fputs("\t\tdB\t\tms\tms\tdB\tHz\t%\t\n_\n.TH\n", out);
  // A run of equal presets (the "Init" slots) shares one line.
  for (size_t first = 0; first < rows.size();) {
    size_t last = first;
    while (last + 1 < rows.size() && rows[last + 1].name == rows[first].name &&
           rows[last + 1].cells == rows[first].cells) {
      ++last;
    }
    if (last == first) {
      std::fprintf(out, "%zu\t%s%s\n", first, rows[first].name.c_str(), rows[first].cells.c_str());
    } else {
      std::fprintf(out, "%zu\\(en%zu\t%s%s\n", first, last, rows[first].name.c_str(),
                   rows[first].cells.c_str());
    }
    first = last + 1;
  }
  std::fputs(".TE\n", out);
  const bool ok = std::fclose(out) == 0;
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}
