#include "settings/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ports.h"

namespace pw {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A store of existing keys that logs every call.
class FakeBackend : public IRegistryBackend {
 public:
  std::optional<Handle> Open(RootKey root, const std::string& subKey) override {
    calls.push_back("open " + subKey);
    return keys.count({root, subKey}) ? std::optional(handle) : std::nullopt;
  }
  bool SetString(Handle key, const std::string& name, const std::string& data) override {
    return Log("set " + std::to_string(key) + " " + name + "=" + data, setOk);
  }
  bool DeleteValue(Handle key, const std::string& name) override {
    return Log("delete " + std::to_string(key) + " " + name, deleteOk);
  }
  bool Close(Handle key) override { return Log("close " + std::to_string(key), closeOk); }

  std::set<std::pair<RootKey, std::string>> keys{{RootKey::kLocalMachine, "Run"},
                                                 {RootKey::kCurrentUser, "Software"}};
  Handle handle = 7;
  bool setOk = true, deleteOk = true, closeOk = true;
  std::vector<std::string> calls;

 private:
  bool Log(std::string call, bool result) {
    calls.push_back(std::move(call));
    return result;
  }
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTraceSink([this](const std::string& line) { trace.push_back(line); });
  }
  void TearDown() override { SetTraceSink(nullptr); }

  FakeBackend backend;
  std::vector<std::string> trace;
};

TEST_F(RegistryTest, ParsesKeyNamesAndKeepsThePreviousKeyOnAnUnparsableOne) {
  using enum RootKey;
  const struct {
    const char* name;
    int result;
    RootKey root;
    const char* rootName;
    const char* subKey;
  } cases[] = {
      {"Quorbel", 1, kCurrentUser, "HKEY_CURRENT_USER\\", "Software\\Quorbel"},
      // Root names are matched with regard to case: this one has no "HKEY_" at all.
      {"hkey_users\\x", 1, kCurrentUser, "HKEY_CURRENT_USER\\", "Software\\hkey_users\\x"},
      {"junk HKEY_DYN_DATA\\a", 0, kDynData, "HKEY_DYN_DATA\\", "a"},
      // Two root names: the later one in the search order decides, wherever it stands.
      {"HKEY_USERS\\x\\HKEY_CURRENT_USER\\y", 0, kUsers, "HKEY_USERS\\", "x\\HKEY_CURRENT_USER\\y"},
      {"HKEY_LOCAL_MACHINE\\Run", 0, kLocalMachine, "HKEY_LOCAL_MACHINE\\", "Run"},
      {"HKEY_LOCAL_MACHINE", -1, kLocalMachine, "HKEY_LOCAL_MACHINE\\", "Run"},
      {"hkey_users\\x HKEY_", -1, kLocalMachine, "HKEY_LOCAL_MACHINE\\", "Run"},
  };
  CRegistry registry(backend);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(registry.SetKeyName(c.name), c.result);
    EXPECT_EQ(registry.rootKey(), c.root);
    EXPECT_EQ(registry.rootName(), c.rootName);
    EXPECT_EQ(registry.subKey(), c.subKey);
  }
  EXPECT_THAT(backend.calls, IsEmpty());
  EXPECT_EQ(trace.at(0),
            "CRegistry::SetKeyName error: HKEY_LOCAL_MACHINE doesn't contain RootKeyName!\n");
}

// A write opens the key, and closes it even when refused; a missing key is neither created nor
// closed.
TEST_F(RegistryTest, EachWriteOpensAndClosesTheKey) {
  CRegistry registry(backend);
  registry.SetKeyName("HKEY_LOCAL_MACHINE\\Run");
  EXPECT_EQ(registry.SetValue("v", "/opt/a b/pw"), 0);
  EXPECT_EQ(registry.DeleteValue("v"), 0);
  backend.setOk = backend.deleteOk = false;
  EXPECT_EQ(registry.SetValue("v", "x"), -1);
  EXPECT_EQ(registry.DeleteValue("v"), -1);
  registry.SetKeyName("HKEY_LOCAL_MACHINE\\Missing");
  EXPECT_EQ(registry.SetValue("v", "x"), -1);
  EXPECT_FALSE(registry.isOpen());
  EXPECT_THAT(backend.calls,
              ElementsAre("open Run", "set 7 v=/opt/a b/pw", "close 7", "open Run", "delete 7 v",
                          "close 7", "open Run", "set 7 v=x", "close 7", "open Run", "delete 7 v",
                          "close 7", "open Missing"));
  EXPECT_THAT(trace, ElementsAre("CRegistry::SetValue error: Value v can't be set!\n",
                                 "CRegistry::DeleteValue error: Value v can't be deleted!\n",
                                 "CRegistry::Open error: Can't open key Missing!\n",
                                 "CRegistry::SetValue error: Can't open registry!\n"));
}

TEST_F(RegistryTest, OpenCloseAndTheirFailures) {
  {
    CRegistry registry(backend);
    EXPECT_EQ(registry.Close(), -1);  // closed after construction
    EXPECT_EQ(registry.Open(), 0);    // HKEY_CURRENT_USER\Software exists
    EXPECT_EQ(registry.Open(), 0);    // reopening closes first
    // A new name leaves the open key open under its old handle, and SetValue uses it.
    registry.SetKeyName("HKEY_LOCAL_MACHINE\\Run");
    EXPECT_EQ(registry.SetValue("v", "d"), 0);
    EXPECT_EQ(registry.Open(), 0);
    backend.closeOk = false;
    EXPECT_EQ(registry.Close(), -1);
    EXPECT_TRUE(registry.isOpen());  // a key that cannot be closed stays open
    EXPECT_EQ(registry.Open(), -1);
    backend.closeOk = true;
  }  // the destructor closes the key left open
  EXPECT_THAT(backend.calls, ElementsAre("open Software", "close 7", "open Software", "set 7 v=d",
                                         "close 7", "open Run", "close 7", "close 7", "close 7"));
  EXPECT_THAT(trace, ElementsAre("CRegistry::Close error: Can't close not opened registry!\n",
                                 "CRegistry::Close error: Can't close the registry!\n",
                                 "CRegistry::Close error: Can't close the registry!\n",
                                 "CRegistry::Open error: Can't close opened registry!\n"));
}

}  // namespace
}  // namespace pw
