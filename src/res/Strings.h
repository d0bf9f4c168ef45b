#pragma once
// The program's string table: every Czech text that has a numeric id, in UTF-8.

#include <string>

#include "platform/Format.h"

namespace pw {

namespace ids {
inline constexpr int kVersion = 102;
inline constexpr int kCannotOpenDataFile = 32782;
inline constexpr int kNoCartridge = 32783;
inline constexpr int kNoPrinter = 32784;
inline constexpr int kUsage = 32785;
inline constexpr int kWaitingForPrint = 32787;
inline constexpr int kDetectionOn = 32788;
inline constexpr int kEnterByDetails = 32789;
inline constexpr int kAddedByHand = 32791;
inline constexpr int kCannotSaveDataFile = 32792;
inline constexpr int kExportFilter = 32793;
inline constexpr int kPrinted = 32794;
inline constexpr int kDefaultUser = 32795;
inline constexpr int kDetectionOff = 32796;
inline constexpr int kTipEditCartridge = 32797;
inline constexpr int kTipNewCartridge = 32798;
inline constexpr int kTipDeleteCartridge = 32799;
inline constexpr int kNoQuality = 32800;
inline constexpr int kImplausiblePages = 32801;
inline constexpr int kMailUrl = 35528;
inline constexpr int kHomeUrl = 35529;
inline constexpr int kSupportUrl = 35530;
inline constexpr int kWrongPassword = 35531;
inline constexpr int kColumnDate = 57666;
inline constexpr int kColumnTime = 57667;
inline constexpr int kColumnBest = 57668;
inline constexpr int kColumnNormal = 57669;
inline constexpr int kColumnEconomic = 57670;
inline constexpr int kColumnUser = 57671;
inline constexpr int kColumnRemark = 57672;
// The command lines of the two programs.
inline constexpr int kProgramHelp = 61000;
inline constexpr int kLogUsage = 61001;
inline constexpr int kLogHelp = 61002;             // %s: the data file used without --file
inline constexpr int kLogNoSuchCartridge = 61003;  // %s: the name given
}  // namespace ids

// The text of a string id; an unknown id gives an empty text.
const std::string& LoadStr(int id);
// The text of a string id used as a printf format. The compiler cannot check the arguments
// against a text from the table, so each caller passes what its text asks for.
std::string FormatStr(int id, ...);

}  // namespace pw
