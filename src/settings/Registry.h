#pragma once
// One registry key named by a single text ("HKEY_LOCAL_MACHINE\SOFTWARE\...\Run"): the name is
// parsed into a root key and a key path, the key is opened on demand, one string value is set or
// deleted and the key is closed again. Failures are a result of -1 and a line in the diagnostic
// trace, never a message. The store itself sits behind IRegistryBackend: the real registry on
// Windows, the desktop's autostart folder elsewhere (adapters/xdg/XdgAutostart.h).

#include <cstdint>
#include <optional>
#include <string>

namespace pw {

// The predefined root keys, in the order in which key names are searched for them.
enum class RootKey {
  kCurrentUser,
  kClassesRoot,
  kCurrentConfig,
  kLocalMachine,
  kUsers,
  kPerformanceData,
  kDynData,
};

class IRegistryBackend {
 public:
  // 0 is the null handle.
  using Handle = std::uintptr_t;
  virtual ~IRegistryBackend() = default;
  // Opens an existing key with full access; a missing key is never created.
  virtual std::optional<Handle> open(RootKey root, const std::string& subKey) = 0;
  virtual bool setString(Handle key, const std::string& name, const std::string& data) = 0;
  virtual bool deleteValue(Handle key, const std::string& name) = 0;
  virtual bool close(Handle key) = 0;
};

class CRegistry {
 public:
  // Names HKEY_CURRENT_USER\Software and is closed.
  explicit CRegistry(IRegistryBackend& backend);
  // Closes a key left open.
  ~CRegistry();
  CRegistry(const CRegistry&) = delete;
  CRegistry& operator=(const CRegistry&) = delete;

  // 0: a root name was found; 1: the name has no "HKEY_" at all and is taken as a path below
  // HKEY_CURRENT_USER\Software; -1: it holds "HKEY_" but no root name with its backslash, and the
  // object keeps its previous key. Opens and closes nothing.
  int setKeyName(const std::string& keyName);

  // These return 0 on success and -1 on failure.
  int open();
  int close();
  // Both open the key when it is closed and always leave it closed.
  int setValue(const std::string& name, const std::string& data);
  int deleteValue(const std::string& name);

  const std::string& subKey() const { return subKey_; }
  RootKey rootKey() const { return rootKey_; }

 private:
  IRegistryBackend& backend_;
  std::string subKey_;
  std::string rootName_;  // with its trailing backslash, as found in the key name
  IRegistryBackend::Handle key_ = 0;
  RootKey rootKey_ = RootKey::kCurrentUser;
  bool open_ = false;
};

}  // namespace pw
