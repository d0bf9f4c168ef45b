#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace pw {
namespace {

// A store whose one key is HKEY_LOCAL_MACHINE\Run, opened as handle 7; it logs every call.
class FakeBackend : public IRegistryBackend {
 public:
  std::optional<Handle> open(RootKey root, const std::string& subKey) override {
    const bool found = log("open " + subKey, root == RootKey::kLocalMachine && subKey == "Run");
    return found ? std::optional<Handle>(7) : std::nullopt;
  }
  bool setString(Handle key, const std::string& name, const std::string& data) override {
    return log("set " + std::to_string(key) + " " + name + "=" + data, setOk);
  }
  bool deleteValue(Handle key, const std::string& name) override {
    return log("delete " + std::to_string(key) + " " + name, deleteOk);
  }
  bool close(Handle key) override { return log("close " + std::to_string(key), true); }
  bool log(std::string call, bool result) {
    calls.push_back(std::move(call));
    return result;
  }

  bool setOk = true, deleteOk = true;
  std::vector<std::string> calls;
};

TEST(RegistryTest, ParsesKeyNamesAndKeepsThePreviousKeyOnAnUnparsableOne) {
  using enum RootKey;
  // The key name, setKeyName's result, then the root and path in effect after it.
  const std::tuple<const char*, int, RootKey, const char*> cases[] = {
      // Root names are matched with regard to case: this one has no "HKEY_" at all.
      {"hkey_users\\x", 1, kCurrentUser, "Software\\hkey_users\\x"},
      {"junk HKEY_DYN_DATA\\a", 0, kDynData, "a"},
      {"HKEY_LOCAL_MACHINE", -1, kDynData, "a"},  // a root name needs its backslash
      // Two root names: the later one in the search order decides, wherever it stands.
      {"HKEY_USERS\\x\\HKEY_CURRENT_USER\\y", 0, kUsers, "x\\HKEY_CURRENT_USER\\y"},
  };
  FakeBackend backend;
  CRegistry registry(backend);
  for (const auto& [name, result, root, subKey] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(registry.setKeyName(name), result);
    EXPECT_EQ(registry.rootKey(), root);
    EXPECT_EQ(registry.subKey(), subKey);
  }
  EXPECT_TRUE(backend.calls.empty());  // nothing opened
}

// A write opens a closed key and closes it even when refused; a missing key is neither created nor
// closed; the destructor closes a key left open.
TEST(RegistryTest, OpenCloseAndWrites) {
  FakeBackend backend;
  {
    CRegistry registry(backend);
    registry.setKeyName("HKEY_LOCAL_MACHINE\\Run");
    EXPECT_EQ(registry.open(), 0);
    EXPECT_EQ(registry.open(), 0);  // reopening closes first
    // A new name leaves the open key open, and setValue uses it.
    registry.setKeyName("HKEY_LOCAL_MACHINE\\Missing");
    EXPECT_EQ(registry.setValue("v", "/opt/a b/pw"), 0);
    EXPECT_EQ(registry.setValue("v", "x"), -1);  // now closed, and the key is missing

    registry.setKeyName("HKEY_LOCAL_MACHINE\\Run");
    backend.setOk = backend.deleteOk = false;
    EXPECT_EQ(registry.setValue("v", "x"), -1);
    EXPECT_EQ(registry.deleteValue("v"), -1);
    EXPECT_EQ(registry.open(), 0);
  }
  EXPECT_EQ(backend.calls,
            (std::vector<std::string>{"open Run", "close 7", "open Run",                 //
                                      "set 7 v=/opt/a b/pw", "close 7", "open Missing",  //
                                      "open Run", "set 7 v=x", "close 7",                //
                                      "open Run", "delete 7 v", "close 7",               //
                                      "open Run", "close 7"}));
}

}  // namespace
}  // namespace pw
