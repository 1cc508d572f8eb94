#include "ParameterSettings.h"

#include <cmath>

#include "ParameterText.h"
#include "ZelValueReading.h"

namespace zelrender {
namespace {

constexpr const char* kPlaceholderName = "-";

std::string knownNames(const PluginHost& host) {
  std::string list;
  for (int i = 0; i < host.numParams(); ++i) {
    std::string name = host.parameterName(i);
    if (name.empty() || name == kPlaceholderName) continue;
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace

Status findParameter(const PluginHost& host, const std::string& name, int& index,
                     std::string& pluginName) {
  if (name == kPlaceholderName) {
    return Status::fail(ExitCode::value, "\"-\" marks unused parameter slots; they cannot be set");
  }
  for (int i = 0; i < host.numParams(); ++i) {
    std::string candidate = host.parameterName(i);
    if (candidate != kPlaceholderName && zelEqualsIgnoreCase(candidate, name)) {
      index = i;
      pluginName = candidate;
      return {};
    }
  }
  return Status::fail(ExitCode::value,
                      "unknown parameter \"" + name + "\" (known: " + knownNames(host) + ")");
}

Status applyParameters(const PluginHost& host, const std::vector<ParameterAssignment>& assignments,
                       std::vector<AppliedParameter>& applied, std::vector<std::string>& notes) {
  for (const ParameterAssignment& assignment : assignments) {
    AppliedParameter result;
    Status found = findParameter(host, assignment.name, result.index, result.name);
    if (!found.ok()) return found;
    ValueRequest request;
    Status parsed = parseParameterValue(result.name, assignment.value, request);
    if (!parsed.ok()) return parsed;
    if (request.readAsNormalised) notes.push_back(request.note);

    host.setParameter(result.index, request.normalised);
    result.normalised = host.parameter(result.index);
    result.display = host.parameterDisplay(result.index);
    if (std::fabs(result.normalised - request.normalised) > 1e-6f ||
        !displayAgrees(result.name, request.normalised, result.display)) {
      return Status::fail(ExitCode::processing, "the plug-in did not take " + result.name + "=" +
                                                    assignment.value + " (it shows \"" +
                                                    result.display + "\")");
    }
    // A later assignment of the same parameter replaces the earlier one.
    for (auto it = applied.begin(); it != applied.end(); ++it) {
      if (it->index == result.index) {
        applied.erase(it);
        break;
      }
    }
    applied.push_back(result);
  }
  return {};
}

}  // namespace zelrender
