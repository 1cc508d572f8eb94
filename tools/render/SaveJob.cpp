#include "SaveJob.h"

#include <cstdio>

#include "PluginSetup.h"

namespace zelrender {

Status runSaveOnly(const RenderOptions& options) {
  PluginHost host;
  PluginSetup setup;
  Status status = setUpPlugin(options, 48000.0, host, setup);
  if (!status.ok()) return status;
  std::printf("plug-in  %s\n", host.path().c_str());
  std::printf("preset   %s\n", describePreset(setup).c_str());
  for (const AppliedParameter& p : setup.parameters)
    std::printf("set      %s = %s\n", p.name.c_str(), p.display.c_str());
  for (const std::string& saved : setup.savedFiles) std::printf("saved    %s\n", saved.c_str());
  return {};
}

}  // namespace zelrender
