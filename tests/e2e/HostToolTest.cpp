// zel-host as a user runs it: its window on the X server and the close button, and the exit
// code and output of runs that end by themselves.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>

#include "XSession.h"

namespace e2e {
namespace {

constexpr int kEditorWidth = 811, kEditorHeight = 286;

std::string temporaryPath(const char* name) {
  return "/tmp/zel-e2e-" + std::to_string(getpid()) + "-" + name;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t linesStartingWith(const std::string& text, const std::string& start) {
  size_t count = 0;
  for (size_t at = ("\n" + text).find("\n" + start); at != std::string::npos; ++count) {
    at = ("\n" + text).find("\n" + start, at + 1);
  }
  return count;
}

// Runs zel-host (without DISPLAY when withDisplay is false; killed after 40 s) with stdout and
// stderr going to log; its exit code.
int runHost(const std::vector<std::string>& args, const std::string& log, bool withDisplay = true) {
  std::string command = withDisplay ? "timeout -s KILL 40 " : "timeout -s KILL 40 env -u DISPLAY ";
  command += "'" ZEL_HOST_EXE "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >'" + log + "' 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostTool, ShowsTheEditorInAFixedSizeWindowUntilItIsClosed) {
  XSession session;
  ASSERT_TRUE(session.ok()) << session.failure();
  const std::string log = temporaryPath("window.txt");
  std::future<int> run = std::async(std::launch::async, [&] {
    return runHost({"-v", "--seconds", "30"}, log);
  });

  WindowId window = 0;
  WindowGeometry g;
  ASSERT_TRUE(within(10000, [&] {  // mapped: its title, size and hints are all set
    window = session.findTopLevel("Zel Trevalon");
    return window != 0 && session.geometry(window, g) && g.viewable;
  })) << readFile(log);
  EXPECT_TRUE(g.width == kEditorWidth && g.height == kEditorHeight && g.fixed);
  EXPECT_TRUE(within(5000, [&] {
    std::vector<WindowId> children = session.children(window);
    WindowImage image;
    return children.size() == 1 && session.grab(children[0], image) &&
           image.width == kEditorWidth && image.colours() >= 64;
  })) << "the editor is the window's one child and draws the panel at the host's idle calls";

  // Once the meter has reported, close the window as a window manager does.
  EXPECT_TRUE(within(10000, [&] {
    return readFile(log).find("gain reduction ") != std::string::npos;
  })) << readFile(log);
  session.requestClose(window);
  ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "zel-host did not end after its window was closed";
  EXPECT_EQ(run.get(), 0) << readFile(log);
  EXPECT_TRUE(within(2000, [&] { return session.findTopLevel("Zel Trevalon") == 0; }));
  unlink(log.c_str());
}

TEST(HostTool, RunsEndWithTheirExitCodesAndOutcome) {
  const std::string png = temporaryPath("panel.png"), failedPng = temporaryPath("failed.png");
  const std::string log = temporaryPath("run.txt");
  struct Case {
    std::vector<std::string> args;
    bool withDisplay;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {{"--seconds", "2.2", "-v", "--set", "Threshold=-30"}, true, 0, "gain reduction "},
      {{"--screenshot", png, "--preset", "2", "--set", "Ratio=8:1"},
       false,
       0,
       "wrote " + png + " (811 x 286)"},
      {{"--bogus"}, true, 2, "unknown option \"--bogus\""},
      {{"--seconds", "0"}, true, 2, "--seconds takes"},
      {{"--seconds"}, true, 2, "--seconds needs a value"},
      {{"--screenshot", failedPng, "--plugin", "x.so"}, true, 2, "takes no --plugin"},
      {{"--plugin", "/nonexistent/zel.so", "--seconds", "1"}, true, 6, "cannot load plug-in"},
      {{"--seconds", "1"}, false, 8, "no X display (DISPLAY is not set)"},
      {{"--screenshot", "/nonexistent/dir/x.png"}, false, 4, "cannot write"},
      {{"--screenshot", failedPng, "--set", "Loudness=3"}, false, 5, "unknown parameter"},
      {{"--screenshot", failedPng, "--set", "Ratio=40"}, false, 5, "Ratio"},
  };
  std::string timed;
  for (const Case& c : cases) {
    EXPECT_EQ(runHost(c.args, log, c.withDisplay), c.code) << c.args[0];
    const std::string output = readFile(log);
    EXPECT_NE(output.find(c.message), std::string::npos) << output;
    EXPECT_EQ(linesStartingWith(output, "zel-host: error: "), c.code == 0 ? 0u : 1u) << output;
    if (&c == &cases[0]) timed = output;
  }
  unlink(log.c_str());
  EXPECT_NE(access(failedPng.c_str(), F_OK), 0) << "no picture after a failed setting";

  // --verbose: a line a second while it runs; the demo, compressed hard, shows on the meter.
  const size_t reports = linesStartingWith(timed, "gain reduction ");
  EXPECT_TRUE(reports >= 1 && reports <= 2) << timed;
  double db = 0.0;
  const char* report = std::strstr(timed.c_str(), "gain reduction ");
  ASSERT_TRUE(report && std::sscanf(report, "gain reduction %lf dB", &db) == 1) << timed;
  EXPECT_LT(db, -1.0) << "the audio thread runs the demo through the plug-in";

  // --screenshot: the panel, drawn without an X server.
  cairo_surface_t* picture = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS);
  const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(picture));
  const int width = cairo_image_surface_get_width(picture);
  const int height = cairo_image_surface_get_height(picture);
  WindowImage image{width, height, {data, data + width * height}};  // ARGB32 rows are unpadded
  cairo_surface_destroy(picture);
  EXPECT_TRUE(width == kEditorWidth && height == kEditorHeight);
  EXPECT_GE(image.colours(), 64u) << "a panel, not an empty picture";
  unlink(png.c_str());
}

}  // namespace
}  // namespace e2e
