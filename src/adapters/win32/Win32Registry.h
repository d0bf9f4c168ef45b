#pragma once
// The registry: the options profile below HKEY_CURRENT_USER and the key store under CRegistry.

#include <windows.h>

#include <string>

#include "base/Ports.h"
#include "settings/Registry.h"

namespace pw {

// The profile key of the program's options.
inline constexpr const char* kProfileKey = "Software\\Quorbel\\Pagewarden\\Settings";

// Integers as REG_DWORD, texts as REG_SZ, in one key below HKEY_CURRENT_USER. A value that is
// missing or of another type reads as the default; a write creates the key when it is missing.
class RegistryProfile : public IProfile {
 public:
  explicit RegistryProfile(std::string key = kProfileKey) : key_(std::move(key)) {}

  int ReadInt(const std::string& name, int def) override;
  std::string ReadString(const std::string& name, const std::string& def) override;
  void WriteInt(const std::string& name, int value) override;
  void WriteString(const std::string& name, const std::string& value) override;

 private:
  void Write(const std::string& name, DWORD type, const void* data, DWORD size);
  std::string key_;
};

// RegOpenKeyExA with full access, RegSetValueExA (REG_SZ), RegDeleteValueA, RegCloseKey.
class Win32RegistryBackend : public IRegistryBackend {
 public:
  std::optional<Handle> Open(RootKey root, const std::string& subKey) override;
  bool SetString(Handle key, const std::string& name, const std::string& data) override;
  bool DeleteValue(Handle key, const std::string& name) override;
  bool Close(Handle key) override;
};

// The local date and time, each alone, in the user's default locale forms.
class Win32Clock : public IClock {
 public:
  std::string DateText() override;
  std::string TimeText() override;
  std::int64_t NowSeconds() override;
};

}  // namespace pw
