#include "settings/Autostart.h"

namespace pw {

void UpdateAutostartEntry(bool windowsRun, const std::string& exePath, IRegistryBackend& backend) {
  CRegistry registry(backend);
  if (windowsRun) {
    registry.SetKeyName(kRunKeyName);
    registry.SetValue(kAutostartValue, exePath);
  } else if (registry.SetKeyName(kRunKeyName) != -1) {
    registry.DeleteValue(kAutostartValue);
  }
}

std::string ExePathOfModule(const std::string& modulePath) {
  const std::size_t nameStart = modulePath.find_last_of("\\/");
  const std::size_t dot = modulePath.rfind('.');
  const bool dotInName =
      dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
  if (!dotInName)
    return modulePath + ".exe";
  return modulePath.substr(0, dot + 1) + "exe";
}

std::string ProgramExePath(const std::string& modulePath) {
#ifdef _WIN32
  return ExePathOfModule(modulePath);
#else
  return modulePath;
#endif
}

}  // namespace pw
