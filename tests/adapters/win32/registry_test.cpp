// The registry adapters against the real registry, in keys of their own.

#include <gtest/gtest.h>

#include <string>

#include "adapters/win32/Win32Registry.h"
#include "settings/Autostart.h"

namespace pw {
namespace {

constexpr const char* kTestKey = "Software\\Quorbel\\PagewardenTest";

std::optional<std::string> stringValue(HKEY root, const char* key, const char* name) {
  char text[512] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(text);
}

// pagewarden-log.exe reads the cartridge's name from the profile.
TEST(RegistryProfile, ReadsTextsWithTheDefaultForAValueMissingOrOfAnotherType) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  RegistryProfile profile(std::string(kTestKey) + "\\Settings");
  EXPECT_EQ(profile.readString("Printer", "none"), "none");  // not even the key exists yet
  profile.writeString("Printer", "Kancelář 2");
  profile.writeString("Long", std::string(3000, 'a'));
  profile.writeInt("Quality", -2);
  EXPECT_EQ(profile.readString("Printer", ""), "Kancelář 2");
  EXPECT_EQ(profile.readString("Long", ""), std::string(3000, 'a'));
  EXPECT_EQ(profile.readString("Quality", "d"), "d");
  RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

// Through the registry backend, whose failures the logic tests fake.
TEST(Autostart, TheRunValueOfTheMachine) {
  const char* run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  Win32RegistryBackend backend;
  updateAutostartEntry(true, "C:\\Pagewarden\\Pagewarden.exe", backend);
  EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, run, kAutostartValue),
            "C:\\Pagewarden\\Pagewarden.exe");
  updateAutostartEntry(false, "C:\\Pagewarden\\Pagewarden.exe", backend);
  EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, run, kAutostartValue), std::nullopt);
}

}  // namespace
}  // namespace pw
