#include "settings/Options.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace pw {
namespace {

// A fixed quality that names no class reads as Normal, so the Settings list shows a choice.
TEST(OptionsTest, QualityOutsideTheThreeClassesReadsAsNormal) {
  for (const auto& [stored, read] : std::vector<std::pair<std::string, int>>{
           {"0", 0}, {"2", 2}, {"3", 1}, {"-1", 1}, {"99", 1}}) {
    test::FakeProfile profile;
    profile.values["Quality"] = stored;
    EXPECT_EQ(loadOptions(profile).quality, read) << stored;
  }
}

}  // namespace
}  // namespace pw
