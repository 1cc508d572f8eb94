// What zel-host answers when the plug-in calls it: the host callback and its state.
#pragma once

#include <atomic>
#include <cstdio>

#include "PluginHost.h"
#include "VstInterface.h"

namespace zelhost {

class HostWindow;

// The host side of one plug-in instance. The callback finds its EditorHost through the
// record's resvd1 field, which belongs to the host; requests that arrive before attach
// (while the plug-in is being created) get the plain answers without any printing.
class EditorHost {
public:
  // Deepest nesting of editor idle calls made for audioMasterIdle; a plug-in asking again
  // from inside that idle is not answered deeper.
  static constexpr int kMaxIdleNesting = 4;

  explicit EditorHost(bool verbose, std::FILE* out = stdout) : verbose_(verbose), out_(out) {}
  ~EditorHost();
  EditorHost(const EditorHost&) = delete;
  EditorHost& operator=(const EditorHost&) = delete;

  // Binds this object to the loaded plug-in, whose later callbacks then reach it. UI thread.
  void attach(zelrender::PluginHost& plugin);
  // Unbinds it (before the plug-in is closed). UI thread.
  void detach();
  // The window that audioMasterSizeWindow resizes (null: such requests are refused).
  void setWindow(HostWindow* window) { window_ = window; }

  // The host callback to hand to VSTPluginMain (or to an effect's constructor).
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt) noexcept;
  // Answers one request of the attached plug-in (the callback's work).
  VstIntPtr handle(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  // What the plug-in asked so far (any thread).
  int automateCount() const { return automates_.load(); }
  int beginEditCount() const { return beginEdits_.load(); }
  int endEditCount() const { return endEdits_.load(); }
  int idleRequests() const { return idleRequests_.load(); }
  int sizeRequests() const { return sizeRequests_.load(); }
  int lastAutomatedIndex() const { return lastIndex_.load(); }
  float lastAutomatedValue() const { return lastValue_.load(); }
  // Deepest nesting of idle answers seen (1 when each request came from outside an idle).
  int deepestIdleNesting() const { return deepestNesting_.load(); }

private:
  VstIntPtr answerIdle();
  VstIntPtr answerSizeWindow(VstInt32 width, VstIntPtr height);
  void printParameter(const char* what, VstInt32 index);

  bool verbose_;
  std::FILE* out_;
  zelrender::PluginHost* plugin_ = nullptr;
  HostWindow* window_ = nullptr;
  int idleNesting_ = 0;
  std::atomic<int> automates_{0};
  std::atomic<int> beginEdits_{0};
  std::atomic<int> endEdits_{0};
  std::atomic<int> idleRequests_{0};
  std::atomic<int> sizeRequests_{0};
  std::atomic<int> lastIndex_{-1};
  std::atomic<float> lastValue_{0.0f};
  std::atomic<int> deepestNesting_{0};
};

}  // namespace zelhost
