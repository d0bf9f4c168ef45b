#pragma once
// The autostart store of freedesktop desktops: the Run key is the user's autostart folder, and a
// value "<name>" in it is the file "<name>.desktop" whose Exec line starts the program. No other
// key exists here.

#include <filesystem>
#include <optional>
#include <string>

#include "settings/Registry.h"

namespace pw {

class XdgAutostart : public IRegistryBackend {
 public:
  // The folder from the environment (see defaultFolder).
  XdgAutostart();
  explicit XdgAutostart(std::filesystem::path folder);

  // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that is unset or not absolute;
  // nothing without a home folder either.
  static std::optional<std::filesystem::path> defaultFolder();

  // The Exec line's value for a program path: quoted and escaped where the path needs it.
  static std::string execValue(const std::string& programPath);

  std::optional<Handle> open(RootKey root, const std::string& subKey) override;
  // Creates the folder when missing.
  bool setString(Handle key, const std::string& name, const std::string& data) override;
  // Fails when the entry is missing.
  bool deleteValue(Handle key, const std::string& name) override;
  bool close(Handle key) override;

 private:
  std::optional<std::filesystem::path> entryFile(Handle key, const std::string& name) const;

  std::optional<std::filesystem::path> folder_;
};

}  // namespace pw
