#include "adapters/win32/Win32Registry.h"

#include <ctime>
#include <vector>

namespace pw {
namespace {

HKEY toHkey(IRegistryBackend::Handle key) {
  return reinterpret_cast<HKEY>(key);
}

HKEY rootHkey(RootKey root) {
  switch (root) {
    case RootKey::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RootKey::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RootKey::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RootKey::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RootKey::kUsers:
      return HKEY_USERS;
    case RootKey::kPerformanceData:
      return HKEY_PERFORMANCE_DATA;
    case RootKey::kDynData:
      return HKEY_DYN_DATA;
  }
  return HKEY_CURRENT_USER;
}

}  // namespace

int RegistryProfile::readInt(const std::string& name, int def) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return def;
  return static_cast<int>(value);
}

std::string RegistryProfile::readString(const std::string& name, const std::string& def) {
  DWORD size = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                   &size) != ERROR_SUCCESS)
    return def;
  // The value may grow between the two calls; then it is asked for again.
  for (;;) {
    std::vector<char> text(size + 1);
    const LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name.c_str(),
                                        RRF_RT_REG_SZ, nullptr, text.data(), &size);
    if (status == ERROR_MORE_DATA)
      continue;
    if (status != ERROR_SUCCESS)
      return def;
    return std::string(text.data());
  }
}

void RegistryProfile::write(const std::string& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void RegistryProfile::writeInt(const std::string& name, int value) {
  const DWORD dword = static_cast<DWORD>(value);
  write(name, REG_DWORD, &dword, sizeof dword);
}

void RegistryProfile::writeString(const std::string& name, const std::string& value) {
  write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

std::optional<IRegistryBackend::Handle> Win32RegistryBackend::open(RootKey root,
                                                                   const std::string& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(rootHkey(root), subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return std::nullopt;
  return reinterpret_cast<Handle>(key);
}

bool Win32RegistryBackend::setString(Handle key, const std::string& name, const std::string& data) {
  return RegSetValueExA(toHkey(key), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Win32RegistryBackend::deleteValue(Handle key, const std::string& name) {
  return RegDeleteValueA(toHkey(key), name.c_str()) == ERROR_SUCCESS;
}

bool Win32RegistryBackend::close(Handle key) {
  return RegCloseKey(toHkey(key)) == ERROR_SUCCESS;
}

std::string Win32Clock::dateText() {
  char text[128] = {};
  if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text) == 0)
    return {};
  return text;
}

std::string Win32Clock::timeText() {
  char text[128] = {};
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text) == 0)
    return {};
  return text;
}

std::int64_t Win32Clock::nowSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace pw
