// zel-host as a user runs it: its window on the X server and the close button, and the exit
// code and output of runs that end by themselves.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>

#include "OffscreenPanel.h"
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

// Runs zel-host (its environment changed by the env arguments in `environment`; killed after
// 40 s) with stdout and stderr going to log; its exit code.
int runHost(const std::vector<std::string>& args, const std::string& log,
            const std::string& environment = "") {
  std::string command = "timeout -s KILL 40 env " + environment + " '" ZEL_HOST_EXE "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >'" + log + "' 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A PNG file's pixels as 0xRRGGBB (empty when it cannot be read).
WindowImage readPng(const std::string& path) {
  cairo_surface_t* picture = cairo_image_surface_create_from_png(path.c_str());
  WindowImage image;
  if (cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS) {
    image.width = cairo_image_surface_get_width(picture);
    image.height = cairo_image_surface_get_height(picture);
    const unsigned char* data = cairo_image_surface_get_data(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    for (int y = 0; y < image.height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
      for (int x = 0; x < image.width; ++x) image.pixels.push_back(row[x] & 0xFFFFFFu);
    }
  }
  cairo_surface_destroy(picture);
  return image;
}

// Pixels that differ between two pictures of one size (all of them for different sizes).
size_t differingPixels(const WindowImage& a, const WindowImage& b) {
  if (a.width != b.width || a.height != b.height) return std::max(a.pixels.size(), 1ul);
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
  return count;
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
  // Held open so the X server never resets between the runs (see XSession).
  XSession session;
  ASSERT_TRUE(session.ok()) << session.failure();
  const std::string png = temporaryPath("panel.png"), failedPng = temporaryPath("failed.png");
  const std::string privatePng = temporaryPath("private.png");
  const std::string typedPng = temporaryPath("typed.png");
  const std::string log = temporaryPath("run.txt");
  const std::string noDisplay = "-u DISPLAY", noXvfb = "-u DISPLAY PATH=/var/empty";
  struct Case {
    std::vector<std::string> args;
    std::string environment;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {{"--seconds", "2.2", "-v", "--set", "Threshold=-30"}, "", 0, "gain reduction "},
      {{"--screenshot", png, "--preset", "2", "--set", "Ratio=8:1", "--plugin", ZEL_PLUGIN_PATH},
       "",
       0,
       "wrote " + png + " (811 x 286)"},
      {{"--screenshot", privatePng, "--preset", "2", "--set", "Ratio=8:1"},
       noDisplay,
       0,
       "wrote " + privatePng + " (811 x 286)"},
      {{"--screenshot", typedPng, "--preset", "2", "--set", "Ratio=8:1", "--click", "290,160",
        "--type=-18"},
       noDisplay,
       0,
       "wrote " + typedPng},
      {{"--click", "290,160"}, "", 2, "--click and --type go with --screenshot"},
      {{"--screenshot", failedPng, "--click", "290"}, "", 2, "--click takes X,Y"},
      {{"--bogus"}, "", 2, "unknown option \"--bogus\""},
      {{"--seconds", "0"}, "", 2, "--seconds takes"},
      {{"--seconds"}, "", 2, "--seconds needs a value"},
      {{"--screenshot", failedPng, "--seconds", "1"}, "", 2, "takes no --seconds"},
      {{"--plugin", "/nonexistent/zel.so", "--seconds", "1"}, "", 6, "cannot load plug-in"},
      {{"--screenshot", failedPng, "--plugin", "/nonexistent/zel.so"}, "", 6, "cannot load"},
      {{"--seconds", "1"}, noDisplay, 8, "no X display (DISPLAY is not set)"},
      {{"--screenshot", failedPng}, noXvfb, 8, "Xvfb is not installed (Debian package xvfb)"},
      {{"--screenshot", "/nonexistent/dir/x.png"}, noDisplay, 4, "cannot write"},
      {{"--screenshot", failedPng, "--set", "Loudness=3"}, noDisplay, 5, "unknown parameter"},
      {{"--screenshot", failedPng, "--set", "Ratio=40"}, "", 5, "Ratio"},
  };
  std::string timed, privateRun;
  for (const Case& c : cases) {
    EXPECT_EQ(runHost(c.args, log, c.environment), c.code) << c.args[0] << " " << c.args.back();
    const std::string output = readFile(log);
    EXPECT_NE(output.find(c.message), std::string::npos) << output;
    EXPECT_EQ(linesStartingWith(output, "zel-host: error: "), c.code == 0 ? 0u : 1u) << output;
    if (&c == &cases[0]) timed = output;
    if (&c == &cases[2]) privateRun = output;
  }
  unlink(log.c_str());
  EXPECT_NE(access(failedPng.c_str(), F_OK), 0) << "no picture after a failed run";

  // --verbose: a line a second while it runs; the demo, compressed hard, shows on the meter.
  const size_t reports = linesStartingWith(timed, "gain reduction ");
  EXPECT_TRUE(reports >= 1 && reports <= 2) << timed;
  double db = 0.0;
  const char* report = std::strstr(timed.c_str(), "gain reduction ");
  ASSERT_TRUE(report && std::sscanf(report, "gain reduction %lf dB", &db) == 1) << timed;
  EXPECT_LT(db, -1.0) << "the audio thread runs the demo through the plug-in";

  // Without a display zel-host ran its own X server, and stopped it (which removes its socket).
  unsigned display = 0;
  const char* started = std::strstr(privateRun.c_str(), "private X server (Xvfb :");
  ASSERT_TRUE(started && std::sscanf(started, "private X server (Xvfb :%u)", &display) == 1)
      << privateRun;
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
  EXPECT_NE(access(socket.c_str(), F_OK), 0) << socket << ": the private server still runs";

  // Both screenshots show what the editor of the loaded plug-in draws in a window: the panel
  // of the editor drawn offscreen after the same settings and demo (a moving part may differ).
  zelhost::HostOptions options;
  options.preset = "2";
  options.parameters.push_back({"Ratio", "8:1"});
  const WindowImage reference = offscreenPanel(options);
  ASSERT_TRUE(reference.width == kEditorWidth && reference.height == kEditorHeight);
  ASSERT_GE(reference.colours(), 64u) << "a panel, not an empty picture";
  // A click on the Threshold display and typing show the entry field over it, and nothing
  // else changes.
  const WindowImage typed = readPng(typedPng);
  const WindowImage plain = readPng(privatePng);
  ASSERT_EQ(typed.pixels.size(), plain.pixels.size());
  size_t inField = 0, elsewhere = 0;
  for (int y = 0; y < kEditorHeight; ++y) {
    for (int x = 0; x < kEditorWidth; ++x) {
      if (typed.at(x, y) == plain.at(x, y)) continue;
      (x >= 265 && x <= 325 && y >= 150 && y <= 172 ? inField : elsewhere)++;
    }
  }
  EXPECT_GT(inField, 50u);
  EXPECT_LE(elsewhere, plain.pixels.size() / 100);
  unlink(typedPng.c_str());

  for (const std::string& path : {png, privatePng}) {
    const WindowImage shot = readPng(path);
    EXPECT_TRUE(shot.width == kEditorWidth && shot.height == kEditorHeight) << path;
    EXPECT_LE(differingPixels(shot, reference), reference.pixels.size() / 100) << path;
    unlink(path.c_str());
  }
}

}  // namespace
}  // namespace e2e
