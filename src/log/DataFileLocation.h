#pragma once
// Where the data file lives. A program folder the user can write to that holds the data file (a
// portable copy, the build folder) keeps it beside the executable. An installed program, whose
// folder the user cannot write, keeps one data file per user in the user's data folder; the
// first use copies the data file installed with the program there.

#include <string>
#include <string_view>

namespace pw {

struct DataFileSetting {
  std::string programFolder;  // the folder of the running executable
  bool programFolderWritable = false;
  // The user's own data folder ($XDG_DATA_HOME, %APPDATA%); empty when there is none.
  std::string userDataHome;
  // Where an installed program has its shipped data file; empty or missing when not installed.
  std::string templateFile;
};

// The file system behind the choice.
class IDataFileFolders {
 public:
  virtual ~IDataFileFolders() = default;
  virtual bool exists(const std::string& path) = 0;
  // Copies `from` to `to`, creating to's folders, and never over an existing `to`.
  virtual bool copyNew(const std::string& from, const std::string& to) = 0;
};

// The folder that holds Pagewarden.xml and its temporary file. When it is the user's folder and
// the user has no data file yet, the installed one is copied there first; a failed copy leaves
// the file missing, which every reader then reports as it does for any missing data file.
std::string dataFileFolder(const DataFileSetting& setting, IDataFileFolders& folders);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; empty without a home.
std::string xdgDataHome(std::string_view xdgDataHome, std::string_view home);

}  // namespace pw
