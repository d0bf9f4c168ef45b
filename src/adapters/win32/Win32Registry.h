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

  int readInt(const std::string& name, int def) override;
  std::string readString(const std::string& name, const std::string& def) override;
  void writeInt(const std::string& name, int value) override;
  void writeString(const std::string& name, const std::string& value) override;

 private:
  void write(const std::string& name, DWORD type, const void* data, DWORD size);
  std::string key_;
};

// RegOpenKeyExA with full access, RegSetValueExA (REG_SZ), RegDeleteValueA, RegCloseKey.
class Win32RegistryBackend : public IRegistryBackend {
 public:
  std::optional<Handle> open(RootKey root, const std::string& subKey) override;
  bool setString(Handle key, const std::string& name, const std::string& data) override;
  bool deleteValue(Handle key, const std::string& name) override;
  bool close(Handle key) override;
};

// The local date and time, each alone, in the user's default locale forms.
class Win32Clock : public IClock {
 public:
  std::string dateText() override;
  std::string timeText() override;
  std::int64_t nowSeconds() override;
};

}  // namespace pw
