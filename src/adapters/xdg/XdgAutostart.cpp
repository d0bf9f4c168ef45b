#include "adapters/xdg/XdgAutostart.h"

#include <cstdlib>
#include <fstream>
#include <string_view>
#include <system_error>

#include "settings/Autostart.h"

namespace pw {
namespace {

constexpr IRegistryBackend::Handle kRunKey = 1;

bool sameKeyPath(std::string_view a, std::string_view b) {
  // Key paths compare without regard to ASCII case, as in the registry.
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

// The escapes of a desktop-entry string value; a raw line end would end the entry's line.
std::string escapeStringValue(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::filesystem::path> absoluteEnvPath(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0')
    return std::nullopt;
  std::filesystem::path path(value);
  if (!path.is_absolute())
    return std::nullopt;
  return path;
}

}  // namespace

XdgAutostart::XdgAutostart() : folder_(defaultFolder()) {}

XdgAutostart::XdgAutostart(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::optional<std::filesystem::path> XdgAutostart::defaultFolder() {
  if (const auto config = absoluteEnvPath("XDG_CONFIG_HOME"))
    return *config / "autostart";
  if (const auto home = absoluteEnvPath("HOME"))
    return *home / ".config" / "autostart";
  return std::nullopt;
}

std::string XdgAutostart::execValue(const std::string& programPath) {
  // An argument holding any of these must be quoted; inside quotes four of them take a backslash.
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  constexpr std::string_view kEscapedInQuotes = "\"`$\\";
  const bool quote = programPath.find_first_of(kReserved) != std::string::npos;
  std::string arg;
  if (quote)
    arg += '"';
  for (const char c : programPath) {
    if (quote && kEscapedInQuotes.find(c) != std::string_view::npos)
      arg += '\\';
    arg += c;
    if (c == '%')
      arg += '%';  // a literal percent sign, not a field code
  }
  if (quote)
    arg += '"';
  return escapeStringValue(arg);
}

std::optional<IRegistryBackend::Handle> XdgAutostart::open(RootKey root,
                                                           const std::string& subKey) {
  if (root != kRunRoot || !sameKeyPath(subKey, kRunSubKey) || !folder_)
    return std::nullopt;
  return kRunKey;
}

std::optional<std::filesystem::path> XdgAutostart::entryFile(Handle key,
                                                             const std::string& name) const {
  if (key != kRunKey || !folder_)
    return std::nullopt;
  // The value name becomes a file name in the folder and must stay one.
  if (name.empty() || name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) {
    return std::nullopt;
  }
  return *folder_ / (name + ".desktop");
}

bool XdgAutostart::setString(Handle key, const std::string& name, const std::string& data) {
  const auto file = entryFile(key, name);
  if (!file)
    return false;
  std::error_code error;
  std::filesystem::create_directories(*folder_, error);
  if (error)
    return false;
  std::ofstream out(*file, std::ios::binary | std::ios::trunc);
  out << "[Desktop Entry]\n"
      << "Type=Application\n"
      << "Name=" << escapeStringValue(name) << "\n"
      << "Exec=" << execValue(data) << "\n";
  out.close();
  return !out.fail();
}

bool XdgAutostart::deleteValue(Handle key, const std::string& name) {
  const auto file = entryFile(key, name);
  if (!file)
    return false;
  std::error_code error;
  return std::filesystem::remove(*file, error) && !error;
}

bool XdgAutostart::close(Handle key) {
  return key == kRunKey;
}

}  // namespace pw
