// zel-host as a user runs it: its window on the X server, the close button, --seconds,
// --verbose, the offscreen screenshot without a server, and its exit codes.
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

#include "ChildProcess.h"
#include "EditorHost.h"
#include "PluginHost.h"
#include "XSession.h"

namespace e2e {
namespace {

constexpr int kEditorWidth = 811, kEditorHeight = 286;

std::string temporaryPath(const char* name) {
  return "/tmp/zel-e2e-" + std::to_string(getpid()) + "-" + name;
}

size_t lineCount(const std::string& text, const std::string& start) {
  size_t count = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    if (text.compare(at, start.size(), start) == 0) ++count;
    at = end + 1;
  }
  return count;
}

// Waits for a top-level window with the title; 0 after timeoutMs.
WindowId waitForWindow(XSession& session, const std::string& title, int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < until) {
    if (WindowId window = session.findTopLevel(title)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

TEST(HostTool, ShowsTheEditorInAFixedSizeWindowUntilItIsClosed) {
  XSession session;
  ASSERT_TRUE(session.ok()) << session.failure();
  ChildProcess host;
  ASSERT_TRUE(host.start(ZEL_HOST_EXE, {"--verbose", "--seconds", "30"}));

  WindowId window = waitForWindow(session, "Zel Trevalon", 10000);
  ASSERT_NE(window, 0u) << host.output();
  WindowGeometry g;
  ASSERT_TRUE(session.geometry(window, g));
  EXPECT_EQ(g.width, kEditorWidth);
  EXPECT_EQ(g.height, kEditorHeight);
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  ASSERT_TRUE(session.sizeLimits(window, minW, minH, maxW, maxH));
  EXPECT_TRUE(minW == maxW && minH == maxH && maxW == kEditorWidth && maxH == kEditorHeight);

  // The editor is the window's one child and draws the panel at the host's idle calls.
  WindowImage image;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < until) {
    std::vector<WindowId> children = session.children(window);
    if (children.size() == 1 && session.grab(children[0], image) && image.distinctColours() >= 64) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(image.width, kEditorWidth);
  EXPECT_GE(image.distinctColours(), 64u);

  // Once the meter has reported, close the window as a window manager does.
  const auto reportDue = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (lineCount(host.output(), "gain reduction ") == 0 &&
         std::chrono::steady_clock::now() < reportDue) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_GE(lineCount(host.output(), "gain reduction "), 1u) << host.output();
  session.requestClose(window);
  ASSERT_TRUE(host.wait(10000)) << "zel-host did not end after its window was closed";
  EXPECT_EQ(host.exitCode(), 0) << host.output();
  EXPECT_EQ(session.findTopLevel("Zel Trevalon"), 0u);
}

TEST(HostTool, SecondsEndsTheRunAndVerboseReportsTheMeter) {
  XSession session;
  ASSERT_TRUE(session.ok()) << session.failure();
  std::string output;
  EXPECT_EQ(runToEnd(ZEL_HOST_EXE, {"--seconds", "2.2", "-v", "--set", "Threshold=-30"}, output), 0)
      << output;
  // A line a second while it runs; the demo, compressed hard, shows on the meter.
  const size_t lines = lineCount(output, "gain reduction ");
  EXPECT_GE(lines, 1u) << output;
  EXPECT_LE(lines, 2u) << output;
  double db = 0.0;
  size_t at = output.find("gain reduction ");
  ASSERT_NE(at, std::string::npos);
  ASSERT_EQ(std::sscanf(output.c_str() + at, "gain reduction %lf dB", &db), 1) << output;
  EXPECT_LT(db, -1.0) << "the audio thread runs the demo through the plug-in";
}

TEST(HostTool, ScreenshotDrawsTheEditorWithoutAnXServer) {
  const std::string path = temporaryPath("panel.png");
  std::string output;
  ASSERT_EQ(runToEnd(ZEL_HOST_EXE, {"--screenshot", path, "--preset", "2", "--set", "Ratio=8:1"},
                     output, false),
            0)
      << output;
  EXPECT_NE(output.find("wrote " + path + " (811 x 286)"), std::string::npos) << output;

  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), kEditorWidth);
  EXPECT_EQ(cairo_image_surface_get_height(png), kEditorHeight);
  std::set<uint32_t> colours;
  const unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  for (int y = 0; y < kEditorHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    colours.insert(row, row + kEditorWidth);
  }
  EXPECT_GE(colours.size(), 64u) << "a panel, not an empty picture";
  cairo_surface_destroy(png);
  unlink(path.c_str());
}

TEST(HostTool, FailuresEndWithTheirExitCodesAndOneLine) {
  const std::string path = temporaryPath("failed.png");
  struct Case {
    std::vector<std::string> args;
    bool withDisplay;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {{"--bogus"}, true, 2, "unknown option \"--bogus\""},
      {{"--seconds", "0"}, true, 2, "--seconds takes"},
      {{"--seconds"}, true, 2, "--seconds needs a value"},
      {{"--screenshot", path, "--plugin", "x.so"}, true, 2, "takes no --plugin"},
      {{"--plugin", "/nonexistent/zel.so", "--seconds", "1"}, true, 6, "cannot load plug-in"},
      {{"--seconds", "1"}, false, 8, "no X display (DISPLAY is not set)"},
      {{"--screenshot", "/nonexistent/dir/x.png"}, false, 4, "cannot write"},
      {{"--screenshot", path, "--set", "Loudness=3"}, false, 5, "unknown parameter"},
      {{"--screenshot", path, "--set", "Ratio=40"}, false, 5, "Ratio"},
  };
  for (const Case& c : cases) {
    std::string output;
    EXPECT_EQ(runToEnd(ZEL_HOST_EXE, c.args, output, c.withDisplay), c.code)
        << c.args[0] << ": " << output;
    EXPECT_NE(output.find(c.message), std::string::npos) << output;
    EXPECT_EQ(lineCount(output, "zel-host: error: "), 1u) << output;
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0) << "no picture after a failed setting";
}

TEST(HostTool, VerboseLinesNameTheParameterAndItsDisplay) {
  std::FILE* log = std::tmpfile();
  ASSERT_NE(log, nullptr);
  zelrender::PluginHost plugin;
  zelhost::EditorHost host(true, log);
  ASSERT_TRUE(plugin.load(ZEL_PLUGIN_PATH, &zelhost::EditorHost::callback).ok());
  host.attach(plugin);

  // As the plug-in reports a knob turned by the user: the value is set, then the host told.
  plugin.setParameter(8, 0.5f);
  host.handle(audioMasterBeginEdit, 8, 0, nullptr, 0.0f);
  host.handle(audioMasterAutomate, 8, 0, nullptr, 0.5f);
  host.handle(audioMasterEndEdit, 8, 0, nullptr, 0.0f);
  host.handle(audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f);
  const std::string display = plugin.parameterDisplay(8);
  host.detach();
  plugin.unload();

  std::fflush(log);
  std::rewind(log);
  std::string text;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, log) != nullptr) text += buffer;
  std::fclose(log);
  EXPECT_EQ(text, "begin edit 8 Threshold\nautomate 8 Threshold 0.500000 \"" + display +
                      "\"\nend edit 8 Threshold\nupdate display\n");
  EXPECT_EQ(display, "-12.0");
  EXPECT_EQ(host.automateCount(), 1);
  EXPECT_EQ(host.lastAutomatedIndex(), 8);
}

}  // namespace
}  // namespace e2e
