#include "adapters/qt/ProgramDataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "adapters/qt/QtText.h"
#include "base/FileOps.h"
#include "log/DataFileLocation.h"

namespace pw {

namespace {

class Folders : public IDataFileFolders {
 public:
  explicit Folders(bool copy) : copy_(copy) {}

  bool exists(const std::string& path) override {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
  }

  bool copyNew(const std::string& from, const std::string& to) override {
    if (!copy_)
      return false;
    namespace fs = std::filesystem;
    const fs::path target = fs::path(to);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ifstream in(fs::path(from), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
      return false;
    // Written whole under another name and then linked in, so that no reader ever sees half a
    // file and a file that appeared meanwhile is never replaced. The copy takes the user's
    // default permissions, not the read-only ones of the installed file.
    fs::path part = target;
    part += ".part";
    DurableFile file;
    if (!file.create(part.string()))
      return false;
    file.write(bytes);
    bool ok = file.finish();
    if (ok) {
      fs::create_hard_link(part, target, error);
      if (error && !fs::exists(target)) {
        // A file system without hard links.
        fs::rename(part, target, error);
        ok = !error;
      }
    }
    fs::remove(part, error);
    return ok && fs::exists(target, error);
  }

 private:
  bool copy_;
};

}  // namespace

QString programDataFolder(bool prepare) {
  const QString programFolder = QCoreApplication::applicationDirPath();
  DataFileSetting setting;
  setting.programFolder = S(programFolder);
  setting.programFolderWritable = QFileInfo(programFolder).isWritable();
#ifdef _WIN32
  setting.userDataHome = S(qEnvironmentVariable("APPDATA"));
#else
  setting.userDataHome =
      xdgDataHome(S(qEnvironmentVariable("XDG_DATA_HOME")), S(qEnvironmentVariable("HOME")));
#endif
  setting.templateFile =
      S(QDir::cleanPath(programFolder + QStringLiteral("/../share/pagewarden/Pagewarden.xml")));
  Folders folders(prepare);
  return Q(dataFileFolder(setting, folders));
}

}  // namespace pw
