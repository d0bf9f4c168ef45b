#include "log/DataFileLocation.h"

#include "log/DataFile.h"

namespace pw {

namespace {

std::string join(const std::string& folder, std::string_view name) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
    return folder + std::string(name);
  return folder + "/" + std::string(name);
}

}  // namespace

std::string dataFileFolder(const DataFileSetting& setting, IDataFileFolders& folders) {
  const bool installed = !setting.templateFile.empty() && folders.exists(setting.templateFile);
  // A writable folder of a program that is not installed is a portable copy: the data file is
  // kept there even when it is missing, so the reader says so instead of a second file appearing.
  // With an installed one the user (root, or a prefix in the home) may write to the folder, but
  // only a data file already there makes it a portable copy.
  if (setting.programFolderWritable &&
      (!installed || folders.exists(DataFilePaths::inFolder(setting.programFolder).data))) {
    return setting.programFolder;
  }
  if (setting.userDataHome.empty())
    return setting.programFolder;
  const std::string own = join(join(setting.userDataHome, "Quorbel"), "Pagewarden");
  const std::string data = DataFilePaths::inFolder(own).data;
  if (installed && !folders.exists(data))
    folders.copyNew(setting.templateFile, data);
  return own;
}

std::string xdgDataHome(std::string_view xdgDataHome, std::string_view home) {
  if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
    return std::string(xdgDataHome);
  if (home.empty())
    return {};
  return join(std::string(home), ".local/share");
}

}  // namespace pw
