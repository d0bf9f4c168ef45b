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

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
};

TEST_F(RegistryTest, ProfileKeepsNumbersAndTextsWithDefaultsForTheRest) {
  RegistryProfile profile(std::string(kTestKey) + "\\Settings");
  EXPECT_EQ(profile.readInt("Quality", 1), 1);  // not even the key exists yet
  EXPECT_EQ(profile.readString("Printer", "none"), "none");

  profile.writeInt("Quality", -2);
  profile.writeString("Printer", "Kancelář 2");
  profile.writeString("Empty", "");
  EXPECT_EQ(profile.readInt("Quality", 1), -2);
  EXPECT_EQ(profile.readString("Printer", ""), "Kancelář 2");
  EXPECT_EQ(profile.readString("Empty", "x"), "");
  // The stored types are the registry's own: a number is a DWORD, a text a string.
  DWORD type = 0;
  const std::string key = std::string(kTestKey) + "\\Settings";
  RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Quality", RRF_RT_ANY, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  // A value of the other type reads as the default.
  EXPECT_EQ(profile.readInt("Printer", 5), 5);
  EXPECT_EQ(profile.readString("Quality", "d"), "d");
  // A long text is read whole.
  const std::string longText(3000, 'a');
  profile.writeString("Anyonestr", longText);
  EXPECT_EQ(profile.readString("Anyonestr", ""), longText);
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
