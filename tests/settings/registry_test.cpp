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
    if (!keys.count({root, subKey}))
      return std::nullopt;
    return handle;
  }
  bool SetString(Handle key, const std::string& name, const std::string& data) override {
    calls.push_back("set " + std::to_string(key) + " " + name + "=" + data);
    return setOk;
  }
  bool DeleteValue(Handle key, const std::string& name) override {
    calls.push_back("delete " + std::to_string(key) + " " + name);
    return deleteOk;
  }
  bool Close(Handle key) override {
    calls.push_back("close " + std::to_string(key));
    return closeOk;
  }

  std::set<std::pair<RootKey, std::string>> keys{{RootKey::kLocalMachine, "SOFTWARE\\Run"},
                                                 {RootKey::kCurrentUser, "Software"}};
  Handle handle = 7;
  bool setOk = true, deleteOk = true, closeOk = true;
  std::vector<std::string> calls;
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

TEST_F(RegistryTest, ParsesKeyNames) {
  const struct {
    const char* name;
    int result;
    RootKey root;
    const char* rootName;
    const char* subKey;
  } cases[] = {
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
       RootKey::kLocalMachine, "HKEY_LOCAL_MACHINE\\",
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
      {"Quorbel\\Pagewarden", 1, RootKey::kCurrentUser, "HKEY_CURRENT_USER\\",
       "Software\\Quorbel\\Pagewarden"},
      // Root names are matched with regard to case: this one has no "HKEY_" at all.
      {"hkey_users\\x", 1, RootKey::kCurrentUser, "HKEY_CURRENT_USER\\", "Software\\hkey_users\\x"},
      {"junk HKEY_DYN_DATA\\a", 0, RootKey::kDynData, "HKEY_DYN_DATA\\", "a"},
      // Two root names: the later one in the search order decides, wherever it stands.
      {"HKEY_USERS\\x\\HKEY_CURRENT_USER\\y", 0, RootKey::kUsers, "HKEY_USERS\\",
       "x\\HKEY_CURRENT_USER\\y"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CRegistry registry(backend);
    EXPECT_EQ(registry.SetKeyName(c.name), c.result);
    EXPECT_EQ(registry.rootKey(), c.root);
    EXPECT_EQ(registry.rootName(), c.rootName);
    EXPECT_EQ(registry.subKey(), c.subKey);
  }
  EXPECT_THAT(trace, IsEmpty());
  EXPECT_THAT(backend.calls, IsEmpty());
}

TEST_F(RegistryTest, UnparsableNameKeepsThePreviousKey) {
  CRegistry registry(backend);
  ASSERT_EQ(registry.SetKeyName("HKEY_LOCAL_MACHINE\\SOFTWARE\\Run"), 0);
  for (const char* name : {"HKEY_LOCAL_MACHINE", "hkey_users\\x HKEY_"}) {
    EXPECT_EQ(registry.SetKeyName(name), -1);
    EXPECT_EQ(registry.rootKey(), RootKey::kLocalMachine);
    EXPECT_EQ(registry.rootName(), "HKEY_LOCAL_MACHINE\\");
    EXPECT_EQ(registry.subKey(), "SOFTWARE\\Run");
  }
  EXPECT_EQ(trace.front(),
            "CRegistry::SetKeyName error: HKEY_LOCAL_MACHINE doesn't contain RootKeyName!\n");
}

TEST_F(RegistryTest, EachWriteOpensAndClosesTheKey) {
  CRegistry registry(backend);
  registry.SetKeyName("HKEY_LOCAL_MACHINE\\SOFTWARE\\Run");
  EXPECT_EQ(registry.SetValue("Pagewarden", "/opt/a b/pw"), 0);
  EXPECT_EQ(registry.SetValue("Pagewarden", "/opt/pw"), 0);
  EXPECT_EQ(registry.DeleteValue("Pagewarden"), 0);
  EXPECT_FALSE(registry.isOpen());
  EXPECT_THAT(backend.calls,
              ElementsAre("open SOFTWARE\\Run", "set 7 Pagewarden=/opt/a b/pw", "close 7",
                          "open SOFTWARE\\Run", "set 7 Pagewarden=/opt/pw", "close 7",
                          "open SOFTWARE\\Run", "delete 7 Pagewarden", "close 7"));
  EXPECT_THAT(trace, IsEmpty());

  // A refused write still closes the key.
  backend.calls.clear();
  backend.setOk = backend.deleteOk = false;
  EXPECT_EQ(registry.SetValue("Pagewarden", "x"), -1);
  EXPECT_EQ(registry.DeleteValue("Pagewarden"), -1);
  EXPECT_FALSE(registry.isOpen());
  EXPECT_EQ(backend.calls[2], "close 7");
  EXPECT_EQ(backend.calls[5], "close 7");
  EXPECT_THAT(trace, ElementsAre("CRegistry::SetValue error: Value Pagewarden can't be set!\n",
                                 "CRegistry::DeleteValue error: Value Pagewarden can't be "
                                 "deleted!\n"));
}

TEST_F(RegistryTest, MissingKeyIsNeitherCreatedNorClosed) {
  CRegistry registry(backend);
  registry.SetKeyName("HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing");
  EXPECT_EQ(registry.SetValue("Pagewarden", "x"), -1);
  EXPECT_EQ(registry.DeleteValue("Pagewarden"), -1);
  EXPECT_FALSE(registry.isOpen());
  EXPECT_THAT(backend.calls, ElementsAre("open SOFTWARE\\Missing", "open SOFTWARE\\Missing"));
  EXPECT_THAT(trace, ElementsAre("CRegistry::Open error: Can't open key SOFTWARE\\Missing!\n",
                                 "CRegistry::SetValue error: Can't open registry!\n",
                                 "CRegistry::Open error: Can't open key SOFTWARE\\Missing!\n",
                                 "CRegistry::DeleteValue error: Can't open registry!\n"));
}

TEST_F(RegistryTest, OpenCloseAndTheirFailures) {
  {
    CRegistry registry(backend);
    EXPECT_EQ(registry.Close(), -1);  // closed after construction
    EXPECT_EQ(registry.Open(), 0);    // HKEY_CURRENT_USER\Software exists
    EXPECT_EQ(registry.Open(), 0);    // reopening closes first
    // A new name leaves the open key open under its old handle, and SetValue uses it.
    registry.SetKeyName("HKEY_LOCAL_MACHINE\\SOFTWARE\\Run");
    EXPECT_EQ(registry.SetValue("v", "d"), 0);
    EXPECT_EQ(registry.Open(), 0);
    backend.closeOk = false;
    EXPECT_EQ(registry.Close(), -1);
    EXPECT_TRUE(registry.isOpen());  // a key that cannot be closed stays open
    EXPECT_EQ(registry.Open(), -1);
    backend.closeOk = true;
  }  // the destructor closes the key left open
  EXPECT_THAT(backend.calls,
              ElementsAre("open Software", "close 7", "open Software", "set 7 v=d", "close 7",
                          "open SOFTWARE\\Run", "close 7", "close 7", "close 7"));
  EXPECT_THAT(trace, ElementsAre("CRegistry::Close error: Can't close not opened registry!\n",
                                 "CRegistry::Close error: Can't close the registry!\n",
                                 "CRegistry::Close error: Can't close the registry!\n",
                                 "CRegistry::Open error: Can't close opened registry!\n"));

  trace.clear();
  backend.handle = 0;  // a store that hands out a null handle
  CRegistry registry(backend);
  ASSERT_EQ(registry.Open(), 0);
  EXPECT_EQ(registry.Close(), -1);
  EXPECT_THAT(trace, ElementsAre("CRegistry::Close error: Eventhough the registry should be "
                                 "opened, the key handle is null!\n"));
}

}  // namespace
}  // namespace pw
