#include "settings/Autostart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "adapters/xdg/XdgAutostart.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

TEST(AutostartTest, WrittenAtEveryStartWhileOnAndDeletedWhenOff) {
  const fs::path folder = fs::path(::testing::TempDir()) / "pw_autostart_test";
  fs::remove_all(folder);
  XdgAutostart store(folder);
  updateAutostartEntry(false, "/usr/bin/pagewarden", store);  // nothing there: silent
  EXPECT_FALSE(fs::exists(folder));

  updateAutostartEntry(true, "/opt/pagewarden/pagewarden", store);
  // A moved program registers its new place: the entry is written anew.
  updateAutostartEntry(true, "/home/jan/Moje programy/pagewarden", store);
  {
    // Closed before the entry is deleted, which Windows needs.
    std::ifstream in(folder / "Pagewarden.desktop", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "[Desktop Entry]\nType=Application\nName=Pagewarden\n"
              "Exec=\"/home/jan/Moje programy/pagewarden\"\n");
  }

  updateAutostartEntry(false, "/usr/bin/pagewarden", store);
  EXPECT_FALSE(fs::exists(folder / "Pagewarden.desktop"));
  fs::remove_all(folder);
}

TEST(AutostartTest, ExecValueIsQuotedAndEscapedWhereThePathNeedsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/100%/pw", "/opt/100%%/pw"},
      // Inside quotes " ` $ \ take a backslash, then every backslash of the line is doubled.
      {"/opt/a\"b$", "\"/opt/a\\\\\"b\\\\$\""},
      {"/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
      {"/opt/a\nb", "\"/opt/a\\nb\""},
  };
  for (const auto& [path, exec] : cases)
    EXPECT_EQ(XdgAutostart::execValue(path), exec) << path;
}

}  // namespace
}  // namespace pw
