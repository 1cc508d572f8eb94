// zel-render with only --save-preset or --save-bank: the plug-in is set up and writes the
// files; nothing is rendered.
#pragma once

#include "CommandLine.h"
#include "RenderStatus.h"

namespace zelrender {

Status runSaveOnly(const RenderOptions& options);

}  // namespace zelrender
