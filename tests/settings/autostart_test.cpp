#include "settings/Autostart.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/XdgAutostart.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// A fresh XDG_CONFIG_HOME per test; the previous value comes back afterwards.
class AutostartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    config_ = fs::path(::testing::TempDir()) / ("pw_autostart_" + std::string(info->name()));
    fs::remove_all(config_);
    fs::create_directories(config_);
    if (const char* old = getenv("XDG_CONFIG_HOME"))
      saved_ = old;
    setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    fs::remove_all(config_);
  }

  fs::path EntryFile() const { return config_ / "autostart" / "Pagewarden.desktop"; }
  std::string EntryText() const {
    std::ifstream in(EntryFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path config_;
  std::optional<std::string> saved_;
};

TEST_F(AutostartTest, WrittenAtStartAndDeletedWhenSwitchedOff) {
  XdgAutostart store;
  UpdateAutostartEntry(true, "/opt/pagewarden/pagewarden", store);
  EXPECT_EQ(EntryText(),
            "[Desktop Entry]\nType=Application\nName=Pagewarden\n"
            "Exec=/opt/pagewarden/pagewarden\n");

  // Rewritten at every start, so a moved program registers its new place.
  UpdateAutostartEntry(true, "/usr/bin/pagewarden", store);
  EXPECT_NE(EntryText().find("\nExec=/usr/bin/pagewarden\n"), std::string::npos);

  UpdateAutostartEntry(false, "/usr/bin/pagewarden", store);
  EXPECT_FALSE(fs::exists(EntryFile()));
  EXPECT_TRUE(fs::exists(config_ / "autostart"));
}

TEST_F(AutostartTest, DeletingAMissingEntryIsSilent) {
  XdgAutostart store;
  UpdateAutostartEntry(false, "/usr/bin/pagewarden", store);
  EXPECT_FALSE(fs::exists(config_ / "autostart"));  // nothing is created by a delete
  CRegistry registry(store);
  registry.SetKeyName(kRunKeyName);
  EXPECT_EQ(registry.DeleteValue(kAutostartValue), -1);
}

TEST_F(AutostartTest, PathWithBlanksIsQuoted) {
  XdgAutostart store;
  UpdateAutostartEntry(true, "/home/jan/Moje programy/pagewarden", store);
  EXPECT_NE(EntryText().find("\nExec=\"/home/jan/Moje programy/pagewarden\"\n"), std::string::npos);
}

TEST_F(AutostartTest, OnlyTheRunKeyExists) {
  XdgAutostart store;
  CRegistry registry(store);
  registry.SetKeyName("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(registry.Open(), -1);
  // Key paths do not depend on case, as in the registry.
  registry.SetKeyName("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RUN");
  EXPECT_EQ(registry.Open(), 0);
}

TEST(ExecValueTest, QuotesAndEscapesWhereThePathNeedsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/pagewarden", "/usr/bin/pagewarden"},
      {"/opt/100%/pw", "/opt/100%%/pw"},
      // Inside quotes " ` $ \ take a backslash, then every backslash of the line is doubled.
      {"/opt/a\"b$", "\"/opt/a\\\\\"b\\\\$\""},
      {"/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
      {"/opt/a\nb", "\"/opt/a\\nb\""},
  };
  for (const auto& [path, exec] : cases)
    EXPECT_EQ(XdgAutostart::ExecValue(path), exec) << path;
}

TEST(ProgramExePathTest, WindowsRuleReplacesTheFileNameExtension) {
  EXPECT_EQ(ExePathOfModule("C:\\Program Files\\Pagewarden.EXE"),
            "C:\\Program Files\\Pagewarden.exe");
  EXPECT_EQ(ExePathOfModule("C:\\a.b\\Pagewarden"), "C:\\a.b\\Pagewarden.exe");
  EXPECT_EQ(ExePathOfModule("C:/tools/pw.x.dll"), "C:/tools/pw.x.exe");
#ifndef _WIN32
  EXPECT_EQ(ProgramExePath("/opt/pw.d/pagewarden"), "/opt/pw.d/pagewarden");
#endif
}

}  // namespace
}  // namespace pw
