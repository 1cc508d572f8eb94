// A private X server for screenshots on machines without a usable display: Xvfb on a free
// display number, reachable only with a fresh cookie, stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace zelhost {

class PrivateXServer {
public:
  // Longest wait for the server to accept connections.
  static constexpr int kStartTimeoutMs = 10000;

  PrivateXServer() = default;
  ~PrivateXServer() { stop(); }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // Starts Xvfb with a 24-bit screen of at least width x height, waits until it accepts
  // connections and points this process's DISPLAY and XAUTHORITY at it. False with a
  // one-line reason. Main thread, while no other thread reads the environment.
  bool start(int width, int height, std::string& error);
  // Stops the server and waits for it, removes the cookie and restores DISPLAY and
  // XAUTHORITY. Does nothing when no server runs.
  void stop();

  bool running() const { return pid_ > 0; }
  // The display name, ":N" (empty when no server runs).
  const std::string& displayName() const { return display_; }

private:
  bool launch(const std::string& program, int width, int height, std::string& error);
  bool awaitDisplayNumber(int fd, std::string& error);
  void reap();
  void removeCookie();

  pid_t pid_ = -1;
  std::string display_;
  std::string cookieDir_;
  std::string cookieFile_;
  std::optional<std::string> savedDisplay_;
  std::optional<std::string> savedAuthority_;
  bool environmentSet_ = false;
};

}  // namespace zelhost
