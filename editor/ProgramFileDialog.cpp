#include "ProgramFileDialog.h"

namespace {

const char* const kPrograms[] = {"zenity", "kdialog"};

// A saved name without an extension gets the filter's one.
std::string withDefaultExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (extension.empty() || name.empty() || name.find('.', 1) != std::string::npos) return path;
  return path + "." + extension;
}

}  // namespace

std::vector<std::string> ProgramFileDialog::commandFor(const std::string& program,
                                                       const FileDialogRequest& r) {
  const std::string pattern = "*." + r.extension;
  std::string start = r.folder;
  if (r.save) start += r.suggestedName;
  if (program == "zenity") {
    std::vector<std::string> argv = {"zenity", "--file-selection", "--title=" + r.title,
                                     "--file-filter=" + r.filterName + " | " + pattern};
    if (!start.empty()) argv.push_back("--filename=" + start);
    if (r.save) {
      argv.push_back("--save");
      argv.push_back("--confirm-overwrite");
    }
    return argv;
  }
  if (program == "kdialog") {
    if (start.empty()) start.assign(1, '.');
    return {"kdialog", "--title",
            r.title,   r.save ? "--getsavefilename" : "--getopenfilename",
            start,     pattern + "|" + r.filterName};
  }
  return {};
}

std::vector<std::string> ProgramFileDialog::pathsFromOutput(const std::string& output) {
  std::vector<std::string> paths;
  size_t begin = 0;
  while (begin < output.size()) {
    size_t end = output.find('\n', begin);
    if (end == std::string::npos) end = output.size();
    if (end > begin) paths.push_back(output.substr(begin, end - begin));
    begin = end + 1;
  }
  return paths;
}

bool ProgramFileDialog::start(const FileDialogRequest& request) {
  cancel();
  current = request;
  for (const char* program : kPrograms) {
    if (findProgramOnPath(program).empty()) continue;
    if (process.start(commandFor(program, request))) return true;
  }
  return false;
}

bool ProgramFileDialog::poll(std::vector<std::string>& chosen) {
  chosen.clear();
  if (!process.poll()) return false;
  // Only a dialog that ended normally chose something; cancel and failure choose nothing.
  if (process.exitStatus() == 0) {
    chosen = pathsFromOutput(process.output());
    if (current.save && chosen.size() == 1) {
      chosen[0] = withDefaultExtension(chosen[0], current.extension);
    }
  }
  return true;
}

void ProgramFileDialog::cancel() { process.end(); }
