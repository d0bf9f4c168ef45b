// The data file: the reading rules and the usage arithmetic, the scans and writers on hand-made
// files, and what each writer leaves behind when it fails (a missing or busy file, a full disk, a
// folder that cannot be written), with the writers' lock free while the user reads the message.

#include "log/DataFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/FileOps.h"
#include "log/Reading.h"
#include "log/Usage.h"

#include "support/DataFileBuilder.h"
#include "support/Fakes.h"
#include "support/ReferenceLogReader.h"

namespace pw {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The plain reader of the tests is held to the same cases: the comparisons with it then carry
// these rules to the program's scanners.
TEST(ReadingRules, ValuesAndPageNumbers) {
  // A value runs from after the first '>' to before the last '/', whatever stands around them.
  const std::pair<std::string, std::string> values[] = {
      {"<best> 7 </best>", " 7 "}, {"<a>/b", ""}, {"no tags", ""}, {"<name>A</name>/", "A</name"}};
  for (const auto& [line, value] : values) {
    EXPECT_EQ(extractElementValue(line), value) << line;
    EXPECT_EQ(test::referenceValue(line), value) << line;
  }
  const std::pair<std::string, std::int32_t> numbers[] = {
      {"\t\n\v\f\r +9", 9},      {"- 3", 0},        {"", 0},
      {"2147483648", INT32_MIN}, {"4294967297", 1}, {"-2147483649", INT32_MAX}};
  for (const auto& [text, number] : numbers) {
    EXPECT_EQ(atoiLike(text), number) << '"' << text << '"';
    EXPECT_EQ(test::referenceAtoi(text), number) << '"' << text << '"';
  }
}

TEST(UsageShare, TruncatesEachClassOnceCapsAndWraps) {
  EXPECT_EQ(usageShare(3, 10, 3, 100), 16);
  EXPECT_EQ(usageShare(1, 0, 1, 100), 1);  // 4/3 and 2/3 truncate separately
  EXPECT_EQ(usageShare(2, 0, 0, 3), 66);
  EXPECT_EQ(usageShare(100, 100, 100, 0), 0);
  EXPECT_EQ(usageShare(0, 250, 0, 100), 100);
  EXPECT_EQ(usageShare(0, -50, 0, 100), -50);
  // Overflow wraps instead of faulting, also where INT32_MIN is divided by -1.
  EXPECT_EQ(usageShare(INT32_MAX, INT32_MAX, INT32_MAX, 1), -200);
  EXPECT_EQ(usageShare(0, 536870912, 0, -1), INT32_MIN);
}

using test::DataFileBuilder;
const std::string& kTrailer = DataFileBuilder::kTrailer;
// The log section and trailer as every log writer ends the file.
const auto Logged = DataFileBuilder::logLines;

std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text)
    out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// What a writer makes of lines composed here: they end as the platform's text files end.
#ifdef _WIN32
const auto written = crlf;
#else
const auto written = [](const std::string& text) { return text; };
#endif

const PrintRecord kFirst{"1.2.2026", "10:00:00", "1", "2", "3", "eva", "dopis"};
const PrintRecord kSecond{"2.2.2026", "11:00:00", "4", "0", "0", "jan", "faktura"};
const std::string kGap = "gap line\n";
const std::string kHead = DataFileBuilder()
                              .entry({"HP 305", "120", "DeskJet"})
                              .entry({"Canon PG-545", "180", "PIXMA"})
                              .head();
const std::string kStandard = kHead + kGap + Logged({kFirst, kSecond});
const char* const kCannotOpen = "Chyba: Nelze otevřít XML datový soubor!";
const char* const kCannotSave = "Chyba: Nelze uložit data do XML datového souboru!";

// While a message box is open the event loop runs, and with it the other writers: each message
// notes whether they could take the lock at that moment.
class LockProbingMessages : public test::FakeMessages {
 public:
  explicit LockProbingMessages(std::string lock) : lockPath(std::move(lock)) {}
  void showError(const std::string& text) override {
    FakeMessages::showError(text);
    FileLock probe;
    lockFree.push_back(probe.acquire(lockPath, 0ms));
  }
  const std::string lockPath;
  std::vector<bool> lockFree;
};

class DataFileTest : public ::testing::Test {
 protected:
  DataFileTest() { fs::create_directories(dir_); }
  ~DataFileTest() override {
    std::error_code ec;  // a test may leave the folder read-only
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }

  void write(const std::string& text, const std::string& path = {}) {
    std::ofstream(path.empty() ? paths_.data : path, std::ios::binary) << text;
  }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The call failed after showing exactly this one message, with the writers' lock free or not.
  void expectFailed(bool ok, const char* message, bool lockFree = true) {
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages_.errors, std::vector<std::string>{message});
    EXPECT_EQ(messages_.lockFree, std::vector<bool>{lockFree});
    messages_.errors.clear();
    messages_.lockFree.clear();
  }

  const std::string dir_ =
      (fs::temp_directory_path() / ("pw_data_file_" + std::to_string(std::random_device{}())))
          .generic_string();
  DataFilePaths paths_ = DataFilePaths::inFolder(dir_);
  LockProbingMessages messages_{dir_ + "/Pagewarden.lock"};
  DataFile file_{paths_, messages_};
};

// Hand-made lines for the cartridge scans' rules, then a long log with the writers' own lines and
// others that only look like them, over many read blocks and with either line end: the log reads
// as the plain reading of the rules reads it.
TEST_F(DataFileTest, ScansFollowTheReadingRules) {
  std::string text =
      "<document>\n\t<cartridges>\n"
      "<name>HP 305</name>\n<pages>100</pages>\n"
      "<name>Other</name>\n<pages>999</pages>\n"  // pages after a non-matching name
      "<cartridge>\n<name>HP 305</name>\n<printer>P1, P2</printer>\n<pages>200</pages>\n"
      "</cartridge>\n<cartridge>\n<name>B</name>\n</cartridge>\n"
      "\t</cartridges>\n"
      // The log scan's last match, not a catalogue's; only its first pages line counts.
      "<name>HP 305</name>\n<pages>300</pages>\n<pages>7</pages>\n"
      "<data>\n<best>50</best>\n</data>\n"  // a record before the log start line
      "\t<printed>\n";
  // Lines that only look like the writers' own, '|' between them.
  std::vector<std::string> odd;
  std::istringstream oddLines(
      "\t\t\t<best>4<best></best>|\t\t\t<normal>5</normal>x|\t\t\t<best>5</best>/7</best>|"
      "\t\t\t<user>u</user><data>|\t\t<data>\r|\t\t\t<economic>-2</economic>\r| <best>3</best>|"
      "\t\t\t<best>1</best><normal>2</normal>|\t\t\t<remark>a</b>/c</remark>|"
      "\t\t\t<user>x\r<data></user>|\t\t\t<time></best></time>|\t\t</data>\t|\t\t</data></data>|"
      "\t\t\t<economic>7</economi>|\t\t\t<date>1</date>\r\r|\t\t\t<best>|"
      "<name>HP 305</name>\t<pages>5</pages>");
  for (std::string line; std::getline(oddLines, line, '|');)
    odd.push_back(line + "\n");
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const auto pick = [&](unsigned range) { return std::to_string(random() % range); };
    std::string record = DataFileBuilder::recordLines(
        {"6.12.2026", "10:20:30", pick(9), pick(100), pick(3), "uživatel",
         "Dokument " + pick(100000) + std::string(random() % 40, 'x')});
    if (random() % 3 == 0)  // before the record's end line, where a field it sets is delivered
      record.insert(record.rfind("\t\t</data>"), odd[random() % odd.size()]);
    text += record;
  }
  // Catalogue lines in the log, and no line end after the last line.
  text += "<name>HP 305</name>\n<pages>5</pages>\n\t</printed>\n" + kTrailer + "<best>9</best>";
  const std::vector<CartridgeEntry> catalogue = {
      {"HP 305", "100", ""}, {"Other", "999", ""}, {"HP 305", "200", "P1, P2"}, {"B", "", ""}};
  for (const std::string& input : {text, crlf(text)}) {
    write(input);
    const test::ReferenceLog expected = test::referenceReadLog(input, "HP 305");
    LoadedLog log;
    ASSERT_TRUE(file_.loadPrintLog("HP 305", log));
    EXPECT_TRUE(log.rows == expected.records);
    EXPECT_EQ(log.maximum, "300");
    EXPECT_EQ(std::tuple(log.best, log.normal, log.economic),
              std::tuple(expected.best, expected.normal, expected.economic));
    UsageTotals totals;
    ASSERT_TRUE(file_.readTotals("HP 305", totals));
    EXPECT_EQ(std::tuple(totals.best, totals.normal, totals.economic, totals.maxPages),
              std::tuple(log.best, log.normal, log.economic, std::optional(300)));
    for (const char* other : {"hp 305", "HP 30"}) {  // names compare byte for byte
      ASSERT_TRUE(file_.readTotals(other, totals));
      EXPECT_FALSE(totals.maxPages.has_value()) << other;
    }
    // One entry per block, or per name line outside blocks, up to the catalogue end line.
    std::vector<CartridgeEntry> entries;
    ASSERT_TRUE(file_.readCartridgeCatalogue(entries));
    EXPECT_EQ(entries, catalogue);
  }
}

// Every writer copies the old head, catalogue and gap, ending its lines as written ones end
// whatever they ended with, over several read blocks and a line longer than one; the log
// section after them is rebuilt and whatever followed it gives way to a fresh trailer.
TEST_F(DataFileTest, WritersKeepTheHeadAndRebuildTheLog) {
  std::string gap = std::string(300 * 1024, 'g') + "\n";
  for (int i = 0; i < 3000; ++i)
    gap += std::string(100, 'g') + std::to_string(i) + "\n";
  const std::string log = "\t<printed>\n" + DataFileBuilder::recordLines(kFirst) + "\t</printed>";
  const std::pair<std::string, std::string> cases[] = {
      {kHead + gap + log + "\nold tail", kHead + gap},
      {crlf(kHead + gap + log), kHead + gap},                     // the anchor ends the file
      {kHead + gap + "late\r\n" + log, kHead + gap + "late\n"}};  // CR LF first met far in
  // A line break in a value (CR LF too) becomes one blank; everything else goes in verbatim.
  const PrintRecord added{"6.12.2026", "10:20:30", "5", "-1", "0", "eva nová", "a<b>&\"c\"/d "};
  PrintRecord edited = kSecond;
  edited.best = "letters";
  const std::string target = dir_ + "/export.xml";
#ifdef _WIN32
  // No symbolic links for a plain user here; the same file by another spelling of its path.
  const std::string alias = fs::path(paths_.data).make_preferred().string();
#else
  const std::string alias = dir_ + "/alias.xml";
  fs::create_symlink(paths_.data, alias);
#endif
  for (const auto& [input, copied] : cases) {
    write(input);
    LoadedLog loaded;
    ASSERT_TRUE(file_.loadPrintLog("HP 305", loaded));
    ASSERT_TRUE(file_.appendPrintRecord("6.12.2026", "10:20:30", 5, -1, 0, "eva\r\nnová",
                                        "a<b>&\"c\"/d\n"));
    EXPECT_TRUE(read(paths_.data) == written(copied + Logged({kFirst, added})));
    write("old content that is replaced\n", target);
    ASSERT_TRUE(file_.exportTo({edited}, target));
    EXPECT_TRUE(read(target) == written(copied + Logged({edited})));
    // The record appended since the load stays, once however often the list is saved, also
    // when the list is exported onto the data file by another name.
    ASSERT_TRUE(file_.saveLog({edited}));
    ASSERT_TRUE(file_.exportTo({edited}, alias));
    EXPECT_TRUE(read(paths_.data) == written(copied + Logged({edited, added})));
    ASSERT_TRUE(file_.deleteAll());
    EXPECT_TRUE(read(paths_.data) == written(copied + Logged({})));
    EXPECT_FALSE(fs::exists(paths_.temp));
  }
  // The catalogue rewrite replaces the entries and drops the gap.
  write(kHead + kGap + log + "\nold trailer");  // the rest of the file stays
  ASSERT_TRUE(file_.writeCartridgeCatalogue({{"New", "50", "A, B"}, {"Line\nbreak", "", ""}}));
  EXPECT_EQ(
      read(paths_.data),
      written(DataFileBuilder().entry({"New", "50", "A, B"}).entry({"Line break", "", ""}).head() +
              log + "\nold trailer\n"));
  // Without a log start line the whole data file comes first.
  write(kHead);
  ASSERT_TRUE(file_.exportTo({}, target));
  EXPECT_EQ(read(target), written(kHead + Logged({})));
}

// Every writer that replaces the data file.
const std::pair<const char*, std::function<bool(DataFile&)>> kWriters[] = {
    {"append", [](DataFile& f) { return f.appendPrintRecord("d", "t", 1, 2, 3, "u", "r"); }},
    {"save", [](DataFile& f) { return f.saveLog({kSecond}); }},
    {"delete all", [](DataFile& f) { return f.deleteAll(); }},
    {"catalogue", [](DataFile& f) { return f.writeCartridgeCatalogue({}); }}};

// What each writer leaves behind when it fails: a missing file, a temporary file that cannot be
// made, no place for the new lines, a rename that fails, a full disk, a folder that cannot be
// written, another writer's lock.
TEST_F(DataFileTest, FailuresLeaveTheDataFileAsItWas) {
  LoadedLog log;
  log.rows = {kFirst};
  expectFailed(file_.loadPrintLog("HP 305", log), kCannotOpen);
  EXPECT_EQ(log.rows.size(), 1u);  // the list stays as it was
  std::vector<CartridgeEntry> entries;
  expectFailed(file_.readCartridgeCatalogue(entries), kCannotOpen);

  // A rename across file systems fails; /dev/shm is a memory file system on Linux.
  struct stat here = {}, shm = {};
  const bool renameCanFail =
      stat(dir_.c_str(), &here) == 0 && stat("/dev/shm", &shm) == 0 && here.st_dev != shm.st_dev;
  const std::string farTemp = "/dev/shm/" + fs::path(dir_).filename().string() + ".new";
  DataFile farFile(DataFilePaths{paths_.data, farTemp}, messages_);
  const std::string noLog = kHead + kTrailer;  // no anchor line for any writer
#ifndef _WIN32
  // Every writer has more than 64 KiB to write here, gap or log.
  const std::string big =
      kHead + std::string(70000, 'g') + "\n" + Logged(std::vector<PrintRecord>(2000, kFirst));
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit unlimited = {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
  const rlimit diskFull{64 * 1024, unlimited.rlim_max};
  const bool asRoot = geteuid() == 0;
  const auto kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
#endif
  for (const auto& [name, run] : kWriters) {
    SCOPED_TRACE(name);
    fs::remove(paths_.data);
    expectFailed(run(file_), kCannotOpen);
    EXPECT_FALSE(fs::exists(paths_.data) || fs::exists(paths_.temp));

    write(kStandard);
    fs::create_directory(paths_.temp);  // root writes anywhere, so a folder blocks the temp file
    expectFailed(run(file_), kCannotOpen);
    EXPECT_EQ(read(paths_.data), kStandard);
    fs::remove(paths_.temp);

    write(noLog);
    expectFailed(run(file_), kCannotSave);
    EXPECT_EQ(read(paths_.data), noLog);
    EXPECT_TRUE(fs::remove(paths_.temp));  // left on disk, as after any failed replacement

    if (renameCanFail) {
      write(kStandard);
      expectFailed(run(farFile), kCannotSave);
      EXPECT_EQ(read(paths_.data), kStandard);
      const std::string waiting = read(farTemp);  // the new content
      EXPECT_TRUE(waiting != kStandard && waiting.ends_with(written(kTrailer)));
    }
#ifndef _WIN32
    // The process may write no file beyond 64 KiB, as a disk with that much space left.
    write(big);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &diskFull), 0);
    bool ok = run(file_);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    expectFailed(ok, kCannotSave);
    EXPECT_TRUE(read(paths_.data) == big);  // not printed whole: it is long
    EXPECT_FALSE(fs::exists(paths_.temp));

    // Such a folder refuses the lock file first, the probe's too; the user is told about the
    // temporary file. Root writes anywhere, so the writers run as nobody then.
    write(kStandard);
    fs::permissions(dir_, kWriteBits, fs::perm_options::remove);
    if (!asRoot || seteuid(65534) == 0) {
      ok = run(file_);
      ASSERT_TRUE(!asRoot || seteuid(0) == 0);
      expectFailed(ok, kCannotOpen, /*lockFree=*/false);
    }
    fs::permissions(dir_, kWriteBits, fs::perm_options::add);
    EXPECT_EQ(read(paths_.data), kStandard);
#endif
  }
#ifndef _WIN32
  std::signal(SIGXFSZ, oldSignal);
#endif
  fs::remove(farTemp);
  // A catalogue start line after the log start line leaves the catalogue no place.
  const std::string misplaced = "<document>\n\t<printed>\n\t</printed>\n\t<cartridges>\n";
  write(misplaced);
  expectFailed(file_.writeCartridgeCatalogue({}), kCannotSave);
  EXPECT_EQ(read(paths_.data), misplaced);
  expectFailed(file_.exportTo({}, dir_ + "/no such folder/x.xml"), kCannotOpen);

  // Another writer holds the lock: the watcher's append waits for a later try without a word,
  // what the user asked for says it failed, and none waits.
  write(kStandard);
  FileLock other;
  ASSERT_TRUE(other.acquire(dir_ + "/Pagewarden.lock", 0ms));
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(file_.appendRecords({kFirst}), DataFile::Appended::Busy);
  EXPECT_TRUE(messages_.errors.empty());
  for (const auto& [name, run] : kWriters)
    expectFailed(run(file_), kCannotSave, /*lockFree=*/false);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  EXPECT_EQ(read(paths_.data), kStandard);
}

#ifndef _WIN32  // modes, groups and symbolic links are POSIX matters
// A data file shared by a group keeps its mode and group when it is rewritten, and one reached
// through a symbolic link is rewritten where the link points.
TEST_F(DataFileTest, RewriteKeepsModeGroupAndLink) {
  const std::string target = dir_ + "/shared/data.xml";
  fs::create_directory(dir_ + "/shared");
  write(kStandard, target);
  fs::create_symlink(target, paths_.data);
  ASSERT_EQ(chmod(target.c_str(), 0660), 0);
  // Root may give the file any group; others only one of their own.
  gid_t groups[64];
  gid_t* const end = groups + std::max(getgroups(64, groups), 0);
  const gid_t* other = std::find_if(groups, end, [](gid_t g) { return g != getegid(); });
  const gid_t group = geteuid() == 0 ? getegid() + 4242 : other != end ? *other : getegid();
  ASSERT_EQ(chown(target.c_str(), static_cast<uid_t>(-1), group), 0);

  ASSERT_TRUE(file_.deleteAll());
  EXPECT_TRUE(fs::is_symlink(paths_.data));
  EXPECT_EQ(read(target), kHead + kGap + Logged({}));
  struct stat after = {};
  ASSERT_EQ(stat(target.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0660u);
  EXPECT_EQ(after.st_gid, group);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/shared"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
  // The replaced copy is held open only until it has been freed.
  awaitReplacedFiles();
  std::error_code ec;
  for (const auto& fd : fs::directory_iterator("/proc/self/fd", ec))
    EXPECT_NE(fs::read_symlink(fd, ec).string(), target + " (deleted)");
}
#endif

// Job titles and user names come from anyone who can print; whatever they hold, a record stays
// one record that counts only its own pages, and reads back as the text that was printed.
TEST_F(DataFileTest, ValuesCannotForgeHideOrSplitRecords) {
  write(kStandard);
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {"-50<economic></economic>", "999<best></best>"},
      {"eva", "a</printed>b"},
      {"<data>", "</data></cartridges><cartridge><name>HP 305</name><pages>1</pages>"},
      {"x\r\ny", "a < b & c/d > e </note> <bestx>"}};
  for (const auto& [user, remark] : hostile)
    ASSERT_TRUE(file_.appendPrintRecord("3.2.2026", "12:00:00", 1, 0, 0, user, remark));

  LoadedLog log;
  ASSERT_TRUE(file_.loadPrintLog("HP 305", log));
  ASSERT_EQ(log.rows.size(), 2 + hostile.size());
  EXPECT_EQ(std::tuple(log.best, log.normal, log.economic),
            std::tuple(1 + 4 + int(hostile.size()), 2, 3));
  EXPECT_EQ(log.maximum, "120");
  EXPECT_EQ(log.rows[2].user, "-50\u2039economic\u203a\u2039/economic\u203a");
  EXPECT_EQ(log.rows[2].remark, "999\u2039best\u203a\u2039/best\u203a");
  EXPECT_EQ(log.rows[3].remark, "a\u2039/printed\u203ab");
  EXPECT_EQ(log.rows[5].user, "x y");
  EXPECT_EQ(log.rows[5].remark, "a < b & c/d > e </note> <bestx>");
}

}  // namespace
}  // namespace pw
