#include "settings/Autostart.h"

namespace pw {

void updateAutostartEntry(bool windowsRun, const std::string& exePath, IRegistryBackend& backend) {
  CRegistry registry(backend);
  if (windowsRun) {
    registry.setKeyName(kRunKeyName);
    registry.setValue(kAutostartValue, exePath);
  } else if (registry.setKeyName(kRunKeyName) != -1) {
    registry.deleteValue(kAutostartValue);
  }
}

std::string exePathOfModule(const std::string& modulePath) {
  const std::size_t nameStart = modulePath.find_last_of("\\/");
  const std::size_t dot = modulePath.rfind('.');
  const bool dotInName =
      dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
  if (!dotInName)
    return modulePath + ".exe";
  return modulePath.substr(0, dot + 1) + "exe";
}

std::string programExePath(const std::string& modulePath) {
#ifdef _WIN32
  return exePathOfModule(modulePath);
#else
  return modulePath;
#endif
}

}  // namespace pw
