#include "settings/Registry.h"

#include <array>
#include <string_view>

#include "base/Ports.h"

namespace pw {
namespace {

struct RootName {
  std::string_view text;
  RootKey key;
};

// Every root name is searched for; when a key name holds several, the last one here wins.
constexpr std::array<RootName, 7> kRootNames{{
    {"HKEY_CURRENT_USER\\", RootKey::kCurrentUser},
    {"HKEY_CLASSES_ROOT\\", RootKey::kClassesRoot},
    {"HKEY_CURRENT_CONFIG\\", RootKey::kCurrentConfig},
    {"HKEY_LOCAL_MACHINE\\", RootKey::kLocalMachine},
    {"HKEY_USERS\\", RootKey::kUsers},
    {"HKEY_PERFORMANCE_DATA\\", RootKey::kPerformanceData},
    {"HKEY_DYN_DATA\\", RootKey::kDynData},
}};

}  // namespace

CRegistry::CRegistry(IRegistryBackend& backend) : backend_(backend) {
  setKeyName("HKEY_CURRENT_USER\\Software");
}

CRegistry::~CRegistry() {
  if (open_)
    close();
}

int CRegistry::setKeyName(const std::string& keyName) {
  int result = -1;
  for (const RootName& root : kRootNames) {
    const std::size_t pos = keyName.find(root.text);
    if (pos == std::string::npos)
      continue;
    rootKey_ = root.key;
    subKey_ = keyName.substr(pos + root.text.size());
    rootName_ = root.text;
    result = 0;
  }
  if (keyName.find("HKEY_") == std::string::npos) {
    rootKey_ = RootKey::kCurrentUser;
    rootName_ = "HKEY_CURRENT_USER\\";
    subKey_ = "Software\\" + keyName;
    result = 1;
  }
  if (result == -1) {
    trace("CRegistry::SetKeyName error: %s doesn't contain a root key name!\n", keyName.c_str());
  }
  return result;
}

int CRegistry::open() {
  // The constructor always names a key; this guards the invariant, not a reachable state.
  if (rootName_.empty()) {
    trace("CRegistry::Open error: the root key name is empty!\n");
    return -1;
  }
  if (open_ && close() != 0) {
    trace("CRegistry::Open error: Can't close opened registry!\n");
    return -1;
  }
  const std::optional<IRegistryBackend::Handle> key = backend_.open(rootKey_, subKey_);
  if (!key) {
    key_ = 0;
    open_ = false;
    trace("CRegistry::Open error: Can't open key %s!\n", subKey_.c_str());
    return -1;
  }
  key_ = *key;
  open_ = true;
  return 0;
}

int CRegistry::close() {
  if (!open_) {
    trace("CRegistry::Close error: Can't close not opened registry!\n");
    return -1;
  }
  if (key_ == 0) {
    trace(
        "CRegistry::Close error: Eventhough the registry should be opened, the key handle is "
        "null!\n");
    return -1;
  }
  if (!backend_.close(key_)) {
    trace("CRegistry::Close error: Can't close the registry!\n");
    return -1;
  }
  open_ = false;
  key_ = 0;
  return 0;
}

int CRegistry::setValue(const std::string& name, const std::string& data) {
  if (!open_ && open() != 0) {
    trace("CRegistry::SetValue error: Can't open registry!\n");
    return -1;
  }
  const bool stored = backend_.setString(key_, name, data);
  close();
  if (!stored) {
    trace("CRegistry::SetValue error: Value %s can't be set!\n", name.c_str());
    return -1;
  }
  return 0;
}

int CRegistry::deleteValue(const std::string& name) {
  if (!open_ && open() != 0) {
    trace("CRegistry::DeleteValue error: Can't open registry!\n");
    return -1;
  }
  const bool deleted = backend_.deleteValue(key_, name);
  close();
  if (!deleted) {
    trace("CRegistry::DeleteValue error: Value %s can't be deleted!\n", name.c_str());
    return -1;
  }
  return 0;
}

}  // namespace pw
