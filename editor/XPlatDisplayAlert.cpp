#include "XPlatDisplayAlert.h"

#include <cstdio>

#include "ChildProcess.h"

namespace {
const char* const kAlertPrograms[] = {"zenity", "kdialog", "xmessage"};
const char* const kAlertTitle = "Zel Trevalon";
}  // namespace

std::vector<std::string> alertCommandFor(const std::string& program, const char* message) {
  const std::string text = message ? message : "";
  if (program == "zenity") {
    // Without markup, so the text is shown exactly as it is.
    return {"zenity",         "--warning",    "--no-markup", std::string("--title=") + kAlertTitle,
            "--text=" + text, "--ok-label=OK"};
  }
  if (program == "kdialog") return {"kdialog", "--title", kAlertTitle, "--sorry", text};
  if (program == "xmessage") return {"xmessage", "-center", "-buttons", "OK", text};
  return {};
}

bool XPlatDisplayAlert(const char* message, ChildProcess& shown) {
  std::fprintf(stderr, "Zel Trevalon: %s\n", message ? message : "");
  shown.end();
  for (const char* program : kAlertPrograms) {
    if (findProgramOnPath(program).empty()) continue;
    if (shown.start(alertCommandFor(program, message))) return true;
  }
  return false;
}
