// The registry adapters against the real registry, in keys of their own.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "adapters/win32/Win32Registry.h"
#include "base/FileOps.h"
#include "settings/Autostart.h"

namespace pw {
namespace {

constexpr const char* kTestKey = "Software\\Quorbel\\PagewardenTest";

std::optional<std::string> StringValue(HKEY root, const char* key, const char* name) {
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
  EXPECT_EQ(profile.ReadInt("Quality", 1), 1);  // not even the key exists yet
  EXPECT_EQ(profile.ReadString("Printer", "none"), "none");

  profile.WriteInt("Quality", -2);
  profile.WriteString("Printer", "Kancelář 2");
  profile.WriteString("Empty", "");
  EXPECT_EQ(profile.ReadInt("Quality", 1), -2);
  EXPECT_EQ(profile.ReadString("Printer", ""), "Kancelář 2");
  EXPECT_EQ(profile.ReadString("Empty", "x"), "");
  // The stored types are the registry's own: a number is a DWORD, a text a string.
  DWORD type = 0;
  const std::string key = std::string(kTestKey) + "\\Settings";
  RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Quality", RRF_RT_ANY, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  // A value of the other type reads as the default.
  EXPECT_EQ(profile.ReadInt("Printer", 5), 5);
  EXPECT_EQ(profile.ReadString("Quality", "d"), "d");
  // A long text is read whole.
  const std::string longText(3000, 'a');
  profile.WriteString("Anyonestr", longText);
  EXPECT_EQ(profile.ReadString("Anyonestr", ""), longText);
}

TEST_F(RegistryTest, BackendStoresAndDeletesStringValuesOfExistingKeys) {
  Win32RegistryBackend backend;
  CRegistry registry(backend);
  registry.SetKeyName(std::string("HKEY_CURRENT_USER\\") + kTestKey);
  EXPECT_EQ(registry.SetValue("Pagewarden", "C:\\Program Files\\x.exe"), -1);  // no such key

  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &created, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(created);
  EXPECT_EQ(registry.SetValue("Pagewarden", "C:\\Program Files\\x.exe"), 0);
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kTestKey, "Pagewarden"), "C:\\Program Files\\x.exe");
  EXPECT_EQ(registry.DeleteValue("Pagewarden"), 0);
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kTestKey, "Pagewarden"), std::nullopt);
  EXPECT_EQ(registry.DeleteValue("Pagewarden"), -1);  // already gone
}

TEST(Autostart, TheRunValueOfTheMachine) {
  const char* run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  Win32RegistryBackend backend;
  UpdateAutostartEntry(true, "C:\\Pagewarden\\Pagewarden.exe", backend);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, run, kAutostartValue),
            "C:\\Pagewarden\\Pagewarden.exe");
  UpdateAutostartEntry(false, "C:\\Pagewarden\\Pagewarden.exe", backend);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, run, kAutostartValue), std::nullopt);
}

TEST(FileLock, OneHolderAtATimeAndNoFileLeftBehind) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "pw_win32_lock_test.lock").string();
  FileLock first, second;
  ASSERT_TRUE(first.Acquire(path, std::chrono::milliseconds(0)));
  EXPECT_FALSE(second.Acquire(path, std::chrono::milliseconds(30)));
  first.Release();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(second.Acquire(path, std::chrono::milliseconds(0)));
}

}  // namespace
}  // namespace pw
