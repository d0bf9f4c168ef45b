// Where the data file is kept: beside a portable or built program, in the user's data folder
// (copied from the installed file once) for an installed one.

#include "log/DataFileLocation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pw {
namespace {

const std::string kTemplate = "/usr/share/pagewarden/Pagewarden.xml";
const std::string kOwn = "/home/eva/.local/share/Quorbel/Pagewarden";

// A system with the installed data file; a copy fails when asked to.
struct FakeFolders : IDataFileFolders {
  std::set<std::string> files{kTemplate};
  std::vector<std::pair<std::string, std::string>> copies;
  bool copyWorks = true;
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  bool copyNew(const std::string& from, const std::string& to) override {
    copies.emplace_back(from, to);
    return copyWorks && files.insert(to).second;
  }
};

TEST(DataFileLocation, InstalledProgramCopiesTheShippedFileOncePortableKeepsItsOwn) {
  FakeFolders fs;
  const DataFileSetting installed{"/usr/bin", false, "/home/eva/.local/share", kTemplate};
  EXPECT_EQ(dataFileFolder(installed, fs), kOwn);
  // The user's file, once there, is never replaced by the shipped one.
  EXPECT_EQ(dataFileFolder(installed, fs), kOwn);
  EXPECT_EQ(fs.copies, (decltype(fs.copies){{kTemplate, kOwn + "/Pagewarden.xml"}}));
  // Root, or a prefix in the home, can write to the program's folder: still the user's file.
  EXPECT_EQ(dataFileFolder({"/usr/bin", true, "/root/.local/share", kTemplate}, fs),
            "/root/.local/share/Quorbel/Pagewarden");

  // A failed copy still names the user's file, so the reader reports it missing.
  FakeFolders full;
  full.copyWorks = false;
  EXPECT_EQ(dataFileFolder(installed, full), kOwn);

  // The build folder, or an unpacked copy: writable, with its data file, template or not.
  FakeFolders portable;
  portable.files.insert("/opt/pw/Pagewarden.xml");
  EXPECT_EQ(dataFileFolder({"/opt/pw", true, "/home/eva/.local/share", kTemplate}, portable),
            "/opt/pw");
  // A writable folder without an installed file is still the place, even before the file is.
  EXPECT_EQ(dataFileFolder({"/tmp/pw", true, "/home/eva/.local/share", ""}, portable), "/tmp/pw");
  // Without a home there is no other place.
  EXPECT_EQ(dataFileFolder({"/usr/bin", false, "", kTemplate}, portable), "/usr/bin");
  EXPECT_TRUE(portable.copies.empty());
}

TEST(DataFileLocation, XdgDataHome) {
  EXPECT_EQ(xdgDataHome("/data", "/home/eva"), "/data");
  EXPECT_EQ(xdgDataHome("relative", "/home/eva/"), "/home/eva/.local/share");
  EXPECT_EQ(xdgDataHome("", ""), "");
}

}  // namespace
}  // namespace pw
