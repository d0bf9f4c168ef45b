#pragma once
// The autostart entry that mirrors the option "WindowsRun": a string value "Pagewarden" in the
// machine-wide Run key, holding the program's own executable path.

#include <string>

#include "settings/Registry.h"

namespace pw {

inline constexpr const char* kRunKeyName =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr RootKey kRunRoot = RootKey::kLocalMachine;
inline constexpr const char* kRunSubKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutostartValue = "Pagewarden";

// windowsRun: writes the entry with exePath (rewritten at every start, so a moved program
// registers its new place); otherwise deletes it. A failure shows only in the trace.
void updateAutostartEntry(bool windowsRun, const std::string& exePath, IRegistryBackend& backend);

// The Windows rule: the module's path with the text after the last "." of its file name replaced
// by "exe" (".exe" appended when the file name has no dot).
std::string exePathOfModule(const std::string& modulePath);

// The path the autostart entry holds for the running program's module: the Windows rule there,
// the executable's path unchanged elsewhere (executables carry no extension).
std::string programExePath(const std::string& modulePath);

}  // namespace pw
