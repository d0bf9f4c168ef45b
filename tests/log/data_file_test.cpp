// The data file's scans and writers on hand-made files, and the state each writer leaves behind
// when it fails.

#include "log/DataFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "res/Strings.h"
#include "support/Fakes.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

const std::string kTrailer =
    "</document>\n<!--\n<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">\n"
    "-->\n";

std::string Entry(const std::string& name, const std::string& pages, const std::string& printer) {
  return "\t\t<cartridge>\n\t\t\t<name>" + name + "</name>\n\t\t\t<pages>" + pages +
         "</pages>\n\t\t\t<printer>" + printer + "</printer>\n\t\t</cartridge>\n";
}

std::string Record(const PrintRecord& r) {
  return "\t\t<data>\n\t\t\t<date>" + r.date + "</date>\n\t\t\t<time>" + r.time +
         "</time>\n\t\t\t<best>" + r.best + "</best>\n\t\t\t<normal>" + r.normal +
         "</normal>\n\t\t\t<economic>" + r.economic + "</economic>\n\t\t\t<user>" + r.user +
         "</user>\n\t\t\t<remark>" + r.remark + "</remark>\n\t\t</data>\n";
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text)
    out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

const PrintRecord kFirst{"1.2.2026", "10:00:00", "1", "2", "3", "eva", "dopis"};
const PrintRecord kSecond{"2.2.2026", "11:00:00", "4", "0", "0", "jan", "faktura"};

const std::string kHead = "<document>\n\t<cartridges>\n" + Entry("HP 305", "120", "DeskJet") +
                          Entry("Canon PG-545", "180", "PIXMA") + "\t</cartridges>\n";
const std::string kGap = "gap line\n";
const std::string kStandard =
    kHead + kGap + "\t<printed>\n" + Record(kFirst) + Record(kSecond) + "\t</printed>\n" + kTrailer;

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pw_data_file_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    paths_ = DataFilePaths::InFolder(dir_);
    file_ = std::make_unique<DataFile>(paths_, messages_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& text, const std::string& path = {}) {
    std::ofstream(path.empty() ? paths_.data : path, std::ios::binary) << text;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> Errors(std::initializer_list<int> ids) {
    std::vector<std::string> texts;
    for (int id : ids)
      texts.push_back(LoadStr(id));
    return texts;
  }

  std::string dir_;
  DataFilePaths paths_;
  test::FakeMessages messages_;
  std::unique_ptr<DataFile> file_;
};

// One file that exercises the log scan's rules at once, read with either line end.
TEST_F(DataFileTest, LogScanFollowsTheReadingRules) {
  const std::string text =
      "<document>\n\t<cartridges>\n"
      "<name>HP 305</name>\n<pages>100</pages>\n"
      "<name>Other</name>\n<pages>999</pages>\n"   // pages after a non-matching name
      "<name>HP 305</name>\n<pages>300</pages>\n"  // the later entry wins
      "\t</cartridges>\n"
      "<data>\n<best>50</best>\n</data>\n"  // a record before the log start line
      "between catalogue and log\n"
      "\t<printed>\n"
      "<data>\n<date>1.2.2026</date>\n<time>10:00:00</time>\n<best>12abc</best>\n"
      "<normal>-3</normal>\n<economic> 7</economic>\n<user>a<b>/c</user>\n<remark></remark>\n"
      "</data>\n"
      "<normal>abc</normal>\n<user>x</user>\n</data>\n"  // no <data>: the fields carry over
      "<data>\n<best>1</best>\n</data>\n"                // missing elements read empty
      "<name>HP 305</name>\n<pages>5</pages>\n"          // catalogue lines in the log
      "\t</printed>\n</document>";                       // no line end after the last line
  const std::vector<PrintRecord> rows = {
      {"1.2.2026", "10:00:00", "12abc", "-3", " 7", "a<b>/c", ""},
      {"1.2.2026", "10:00:00", "12abc", "abc", " 7", "x", ""},
      {"", "", "1", "", "", "", ""}};
  for (const std::string& input : {text, Crlf(text)}) {
    Write(input);

    LoadedLog log;
    ASSERT_TRUE(file_->LoadPrintLog("HP 305", log));
    EXPECT_EQ(log.rows, rows);
    EXPECT_EQ(log.maximum, "300");
    EXPECT_EQ(log.best, 25);
    EXPECT_EQ(log.normal, -3);
    EXPECT_EQ(log.economic, 14);

    UsageTotals totals;
    ASSERT_TRUE(file_->ReadTotals("HP 305", totals));
    EXPECT_EQ(totals.best, 25);
    EXPECT_EQ(totals.normal, -3);
    EXPECT_EQ(totals.economic, 14);
    EXPECT_EQ(totals.maxPages, 300);
    ASSERT_TRUE(file_->ReadTotals("hp 305", totals));  // names compare case-sensitively
    EXPECT_FALSE(totals.maxPages.has_value());
  }
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(DataFileTest, CatalogueIsOneEntryPerBlockUpToItsEnd) {
  Write("<document>\n\t<cartridges>\n" + Entry("A", "10", "P1, P2") +
        "\t\t<cartridge>\n\t\t\t<name>B</name>\n\t\t\t<printer>P3</printer>\n\t\t</cartridge>\n"
        "\t\t\t<name>C</name>\n\t\t\t<pages>30</pages>\n"  // no block: a name starts an entry
        "\t\t\t<name>D</name>\n"                           // a second name: a new entry
        "\t</cartridges>\n" +
        Entry("After", "1", "") + "\t<printed>\n\t</printed>\n" + kTrailer);
  std::vector<CartridgeEntry> entries;
  ASSERT_TRUE(file_->ReadCartridgeCatalogue(entries));
  EXPECT_EQ(entries, (std::vector<CartridgeEntry>{
                         {"A", "10", "P1, P2"}, {"B", "", "P3"}, {"C", "30", ""}, {"D", "", ""}}));
}

TEST_F(DataFileTest, AppendWritesBeforeTheLogEndWithAFreshTrailer) {
  Write(kHead + kGap + "\t<printed>\n" + Record(kFirst) + "\t</printed>\nold tail\n");
  ASSERT_TRUE(
      file_->AppendPrintRecord("6.12.2026", "10:20:30", 5, -1, 0, "eva\r\nnová", "a<b>&\"c\"/d\n"));
  const PrintRecord added{"6.12.2026", "10:20:30", "5", "-1", "0", "eva  nová", "a<b>&\"c\"/d "};
  EXPECT_EQ(Read(paths_.data), kHead + kGap + "\t<printed>\n" + Record(kFirst) + Record(added) +
                                   "\t</printed>\n" + kTrailer);
  EXPECT_FALSE(fs::exists(paths_.temp));
  LoadedLog log;
  ASSERT_TRUE(file_->LoadPrintLog("", log));
  EXPECT_EQ(log.rows.back(), added);  // the odd characters read back unchanged
}

// Copied lines end as written ones do, whatever they ended with, across many read blocks.
TEST_F(DataFileTest, CopiedLinesGetTheWrittenLineEnd) {
  std::string gap;
  for (int i = 0; i < 2700; ++i)
    gap += std::string(100, 'g') + std::to_string(i) + "\n";
  const std::string log = "\t<printed>\n" + Record(kFirst) + "\t</printed>\n";
  const std::string inputs[] = {
      kHead + gap + log,                            // "\n" throughout
      Crlf(kHead + gap + log),                      // CR LF throughout
      kHead + gap + Crlf("late\n") + log,           // CR LF first met far into the file
      kHead + gap + log.substr(0, log.size() - 1),  // no line end after the log end line
  };
  for (const std::string& input : inputs) {
    Write(input);
    ASSERT_TRUE(file_->DeleteAll());
    const bool late = input.find("late") != input.npos;
    EXPECT_EQ(Read(paths_.data),
              kHead + gap + (late ? "late\n" : "") + "\t<printed>\n\t</printed>\n" + kTrailer);
    Write(input);
    ASSERT_TRUE(file_->AppendPrintRecord("d", "t", 1, 2, 3, "u", "r"));
    EXPECT_EQ(Read(paths_.data), kHead + gap + (late ? "late\n" : "") + "\t<printed>\n" +
                                     Record(kFirst) + Record({"d", "t", "1", "2", "3", "u", "r"}) +
                                     "\t</printed>\n" + kTrailer);
  }
}

TEST_F(DataFileTest, SaveKeepsRecordsAppendedSinceTheLoad) {
  Write(kStandard);
  LoadedLog log;
  ASSERT_TRUE(file_->LoadPrintLog("HP 305", log));
  ASSERT_TRUE(file_->AppendPrintRecord("3.2.2026", "12:00:00", 7, 0, 0, "watcher", "job"));
  const PrintRecord appended{"3.2.2026", "12:00:00", "7", "0", "0", "watcher", "job"};

  PrintRecord edited = kSecond;
  edited.best = "letters";
  ASSERT_TRUE(file_->SaveLog({edited}));  // the first row was deleted in the list
  EXPECT_EQ(Read(paths_.data), kHead + kGap + "\t<printed>\n" + Record(edited) + Record(appended) +
                                   "\t</printed>\n" + kTrailer);
  // Saving again from the same list keeps the appended record once, not twice.
  ASSERT_TRUE(file_->SaveLog({edited}));
  ASSERT_TRUE(file_->LoadPrintLog("HP 305", log));
  EXPECT_EQ(log.rows, (std::vector<PrintRecord>{edited, appended}));
  EXPECT_EQ(log.best, 7);
  EXPECT_EQ(log.maximum, "120");
}

TEST_F(DataFileTest, ExportWritesTheRowsWithTheDataFilesHead) {
  Write(kStandard);
  const std::string target = dir_ + "/export.xml";
  Write("old content that is replaced\n", target);
  ASSERT_TRUE(file_->Export({kSecond}, target));
  EXPECT_EQ(Read(target),
            kHead + kGap + "\t<printed>\n" + Record(kSecond) + "\t</printed>\n" + kTrailer);
  EXPECT_EQ(Read(paths_.data), kStandard);

  // Onto the data file itself, even by another name, the head and catalogue survive.
  const std::string alias = dir_ + "/alias.xml";
  fs::create_symlink(paths_.data, alias);
  ASSERT_TRUE(file_->Export({kFirst}, alias));
  EXPECT_EQ(Read(paths_.data),
            kHead + kGap + "\t<printed>\n" + Record(kFirst) + "\t</printed>\n" + kTrailer);

  // Without a log start line the whole data file comes first.
  Write(kHead);
  ASSERT_TRUE(file_->Export({}, target));
  EXPECT_EQ(Read(target), kHead + "\t<printed>\n\t</printed>\n" + kTrailer);
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(DataFileTest, CatalogueRewriteReplacesEntriesAndDropsTheGap) {
  const std::string log = "\t<printed>\n" + Record(kFirst) + "\t</printed>\nold trailer\n";
  Write(kHead + kGap + log);
  ASSERT_TRUE(file_->WriteCartridgeCatalogue({{"New", "50", "A, B"}, {"Line\nbreak", "", ""}}));
  EXPECT_EQ(Read(paths_.data), "<document>\n\t<cartridges>\n" + Entry("New", "50", "A, B") +
                                   Entry("Line break", "", "") + "\t</cartridges>\n" + log);
  std::vector<CartridgeEntry> entries;
  ASSERT_TRUE(file_->ReadCartridgeCatalogue(entries));
  EXPECT_EQ(entries.size(), 2u);
}

TEST_F(DataFileTest, CatalogueWithoutPlaceBeforeTheLogLeavesTheFile) {
  const std::string text = "<document>\n\t<printed>\n" + Record(kFirst) + "\t</printed>\n" +
                           "\t<cartridges>\n\t</cartridges>\n" + kTrailer;
  Write(text);
  EXPECT_FALSE(file_->WriteCartridgeCatalogue({{"New", "50", ""}}));
  EXPECT_EQ(messages_.errors, Errors({ids::kCannotSaveDataFile}));
  EXPECT_EQ(Read(paths_.data), text);
}

TEST_F(DataFileTest, ReadersReportAMissingFile) {
  UsageTotals totals;
  totals.best = 9;
  EXPECT_FALSE(file_->ReadTotals("HP 305", totals));
  EXPECT_EQ(totals.best, 0);
  LoadedLog log;
  log.rows = {kFirst};
  EXPECT_FALSE(file_->LoadPrintLog("HP 305", log));
  EXPECT_EQ(log.rows.size(), 1u);  // the list stays as it was
  std::vector<CartridgeEntry> entries;
  EXPECT_FALSE(file_->ReadCartridgeCatalogue(entries));
  fs::create_directory(paths_.data);  // a folder in the file's place reads as unopenable
  EXPECT_FALSE(file_->ReadTotals("HP 305", totals));
  EXPECT_EQ(messages_.errors, Errors({ids::kCannotOpenDataFile, ids::kCannotOpenDataFile,
                                      ids::kCannotOpenDataFile, ids::kCannotOpenDataFile}));
}

// Every writer that replaces the data file, and what it leaves when it cannot.
struct Writer {
  const char* name;
  std::function<bool(DataFile&)> run;
};
const Writer kWriters[] = {
    {"append", [](DataFile& f) { return f.AppendPrintRecord("d", "t", 1, 2, 3, "u", "r"); }},
    {"save", [](DataFile& f) { return f.SaveLog({kSecond}); }},
    {"delete all", [](DataFile& f) { return f.DeleteAll(); }},
    {"catalogue",
     [](DataFile& f) {
       return f.WriteCartridgeCatalogue({{"X", "1", "Y"}});
     }},
};

TEST_F(DataFileTest, FailedWritersLeaveTheDataFileAsItWas) {
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    // The data file is missing.
    fs::remove(paths_.data);
    messages_.errors.clear();
    EXPECT_FALSE(w.run(*file_));
    EXPECT_EQ(messages_.errors, Errors({ids::kCannotOpenDataFile}));
    EXPECT_FALSE(fs::exists(paths_.data));
    EXPECT_FALSE(fs::exists(paths_.temp));

    // The temporary file cannot be created (root writes anywhere, so a folder stands there).
    Write(kStandard);
    fs::create_directory(paths_.temp);
    messages_.errors.clear();
    EXPECT_FALSE(w.run(*file_));
    EXPECT_EQ(messages_.errors, Errors({ids::kCannotOpenDataFile}));
    EXPECT_EQ(Read(paths_.data), kStandard);
    fs::remove(paths_.temp);
  }
  // The export's target cannot be created.
  messages_.errors.clear();
  EXPECT_FALSE(file_->Export({}, dir_ + "/no such folder/x.xml"));
  EXPECT_EQ(messages_.errors, Errors({ids::kCannotOpenDataFile}));
}

TEST_F(DataFileTest, WritersWithoutTheirAnchorLineChangeNothing) {
  // Neither a log start nor a log end line: every writer's anchor is missing.
  const std::string text = kHead + kTrailer;
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Write(text);
    messages_.errors.clear();
    EXPECT_FALSE(w.run(*file_));
    EXPECT_EQ(messages_.errors, Errors({ids::kCannotSaveDataFile}));
    EXPECT_EQ(Read(paths_.data), text);
    EXPECT_TRUE(fs::exists(paths_.temp));  // left on disk, as after any failed replacement
  }
  // A log start line without a log end line: only the append lacks its anchor.
  Write(kHead + "\t<printed>\n" + Record(kFirst));
  EXPECT_FALSE(kWriters[0].run(*file_));
  EXPECT_TRUE(kWriters[1].run(*file_));
}

TEST_F(DataFileTest, FailedRenameKeepsOldFileAndTheNewOneAside) {
  // A rename across file systems fails; /dev/shm is a memory file system on Linux.
  struct stat here {
  }, shm{};
  if (stat(dir_.c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
    GTEST_SKIP() << "no second file system to rename across";
  const std::string temp = "/dev/shm/pw_data_file_test.new";
  DataFile file(DataFilePaths{paths_.data, temp}, messages_);
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Write(kStandard);
    messages_.errors.clear();
    EXPECT_FALSE(w.run(file));
    EXPECT_EQ(messages_.errors, Errors({ids::kCannotSaveDataFile}));
    EXPECT_EQ(Read(paths_.data), kStandard);
    EXPECT_NE(Read(temp), kStandard);  // the new content waits in the temporary file
    EXPECT_NE(Read(temp).find("</document>"), std::string::npos);
  }
  fs::remove(temp);
}

}  // namespace
}  // namespace pw
