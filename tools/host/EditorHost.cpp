#include "EditorHost.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "HostWindow.h"

namespace zelhost {
namespace {

EditorHost* hostOf(AEffect* effect) {
  if (effect == nullptr || effect->resvd1 == 0) return nullptr;
  return reinterpret_cast<EditorHost*>(effect->resvd1);
}

}  // namespace

EditorHost::~EditorHost() { detach(); }

void EditorHost::attach(zelrender::PluginHost& plugin) {
  detach();
  plugin_ = &plugin;
  if (AEffect* effect = plugin.effect()) effect->resvd1 = reinterpret_cast<VstIntPtr>(this);
}

void EditorHost::detach() {
  if (plugin_ != nullptr && plugin_->effect() != nullptr &&
      plugin_->effect()->resvd1 == reinterpret_cast<VstIntPtr>(this)) {
    plugin_->effect()->resvd1 = 0;
  }
  plugin_ = nullptr;
}

VstIntPtr EditorHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                               void* ptr, float opt) noexcept {
  if (EditorHost* host = hostOf(effect)) return host->handle(opcode, index, value, ptr, opt);
  // Not attached yet: the plug-in is being created.
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterCanDo:
      return ptr != nullptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    default:
      return 0;
  }
}

VstIntPtr EditorHost::handle(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterAutomate:
      lastIndex_.store(index);
      lastValue_.store(opt);
      automates_.fetch_add(1);
      if (verbose_) {
        std::fprintf(out_, "automate %d %s %.6f \"%s\"\n", index,
                     plugin_ ? plugin_->parameterName(index).c_str() : "", static_cast<double>(opt),
                     plugin_ ? plugin_->parameterDisplay(index).c_str() : "");
      }
      return 0;
    case audioMasterBeginEdit:
      beginEdits_.fetch_add(1);
      printParameter("begin edit", index);
      return 0;
    case audioMasterEndEdit:
      endEdits_.fetch_add(1);
      printParameter("end edit", index);
      return 0;
    case audioMasterUpdateDisplay:
      if (verbose_) std::fprintf(out_, "update display\n");
      return 0;
    case audioMasterIdle:
      return answerIdle();
    case audioMasterSizeWindow:
      return answerSizeWindow(index, value);
    case audioMasterCanDo:
      return ptr != nullptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    default:
      return 0;
  }
}

VstIntPtr EditorHost::answerIdle() {
  idleRequests_.fetch_add(1);
  if (plugin_ == nullptr || idleNesting_ >= kMaxIdleNesting) return 0;
  // As Ardour and Qtractor do: the editor gets its idle call at once, from inside the
  // plug-in's own request.
  ++idleNesting_;
  if (idleNesting_ > deepestNesting_.load()) deepestNesting_.store(idleNesting_);
  plugin_->dispatch(effEditIdle);
  --idleNesting_;
  return 1;
}

VstIntPtr EditorHost::answerSizeWindow(VstInt32 width, VstIntPtr height) {
  sizeRequests_.fetch_add(1);
  if (window_ == nullptr || !window_->exists() || width < 1 || height < 1 || height > 32767) {
    return 0;
  }
  window_->resize(width, static_cast<int>(height));
  if (verbose_) std::fprintf(out_, "size window %d x %d\n", width, static_cast<int>(height));
  return 1;
}

void EditorHost::printParameter(const char* what, VstInt32 index) {
  if (!verbose_) return;
  std::fprintf(out_, "%s %d %s\n", what, index,
               plugin_ ? plugin_->parameterName(index).c_str() : "");
}

}  // namespace zelhost
