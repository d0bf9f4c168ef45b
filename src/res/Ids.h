#pragma once
// Every numeric id of the program in one place: texts, menu commands, icons, bitmaps, windows and
// their controls. A control carries its id as its object name, which is how tests and desktop
// automation find it.

namespace pw {

// The texts of the string table (res/Strings.h).
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
// The forecast of the status window and the low-supply notices.
inline constexpr int kForecastDate = 36001;
inline constexpr int kPaceOne = 36002;
inline constexpr int kPaceFew = 36003;
inline constexpr int kPaceMany = 36004;
inline constexpr int kPaceUnderOne = 36005;
inline constexpr int kForecastTooLittle = 36006;
inline constexpr int kForecastUsedUp = 36007;
inline constexpr int kForecastNoRecent = 36008;
inline constexpr int kForecastUndated = 36009;
inline constexpr int kChartCaption = 36010;
inline constexpr int kMonthJanuary = 36011;  // the twelve short month names follow in order
inline constexpr int kForecastTitle = 36024;
inline constexpr int kNoticeTitle = 36030;
inline constexpr int kNoticeUsage = 36031;
inline constexpr int kNoticeInk = 36032;
inline constexpr int kColumnDate = 57666;
inline constexpr int kColumnTime = 57667;
inline constexpr int kColumnBest = 57668;
inline constexpr int kColumnNormal = 57669;
inline constexpr int kColumnEconomic = 57670;
inline constexpr int kColumnUser = 57671;
inline constexpr int kColumnRemark = 57672;

// The texts of the windows, menus and messages that the ids above leave out, from 40001 on.
// Shared by several windows.
inline constexpr int kProgramName = 40001;
inline constexpr int kOk = 40002;
inline constexpr int kCancel = 40003;
inline constexpr int kQualityBest = 40004;
inline constexpr int kQualityNormal = 40005;
inline constexpr int kQualityEconomic = 40006;
inline constexpr int kMaxPagesLabel = 40007;
// The notification icon's menu.
inline constexpr int kMenuAbout = 40011;
inline constexpr int kMenuWeb = 40012;
inline constexpr int kMenuHomePage = 40013;
inline constexpr int kMenuSupport = 40014;
inline constexpr int kMenuMail = 40015;
inline constexpr int kMenuSettings = 40016;
inline constexpr int kMenuDetails = 40017;
inline constexpr int kMenuShowStatus = 40018;
inline constexpr int kMenuExit = 40019;
// The status window and the printer's ink levels in it.
inline constexpr int kStatusTitle = 40021;
inline constexpr int kStatusGroup = 40022;
inline constexpr int kStatusUsagePlaceholder = 40023;
inline constexpr int kInkGroup = 40024;
inline constexpr int kInkNumber = 40025;
inline constexpr int kInkPercent = 40026;
inline constexpr int kInkUnknown = 40027;
inline constexpr int kInkLow = 40028;
inline constexpr int kInkComparison = 40029;
// The Details dialog.
inline constexpr int kDetailsTitle = 40031;
inline constexpr int kDetailsGroup = 40032;
inline constexpr int kDetailsAdd = 40033;
inline constexpr int kDetailsDelete = 40034;
inline constexpr int kDetailsSave = 40035;
inline constexpr int kDetailsExport = 40036;
inline constexpr int kDetailsDeleteAll = 40037;
inline constexpr int kDetailsBest = 40038;
inline constexpr int kDetailsNormal = 40039;
inline constexpr int kDetailsEconomic = 40040;
inline constexpr int kDetailsName = 40041;
inline constexpr int kDetailsType = 40042;
inline constexpr int kDetailsMaximum = 40043;
inline constexpr int kDetailsPrinter = 40044;
inline constexpr int kDetailsCartridge = 40045;
inline constexpr int kDetailsPrinted = 40046;
inline constexpr int kExportTitle = 40047;
// The Settings dialog.
inline constexpr int kSettingsTitle = 40051;
inline constexpr int kSettingsGroup = 40052;
inline constexpr int kSettingsAutoMonitor = 40053;
inline constexpr int kSettingsAutoQuality = 40054;
inline constexpr int kSettingsPopStatus = 40055;
inline constexpr int kSettingsWindowsRun = 40056;
inline constexpr int kSettingsAnyone = 40057;
inline constexpr int kSettingsTooltip = 40058;
inline constexpr int kSettingsEmptyFlash = 40059;
inline constexpr int kSettingsPrinter = 40060;
inline constexpr int kSettingsCartridge = 40061;
inline constexpr int kSettingsPrinters = 40062;
inline constexpr int kSettingsQuality = 40063;
inline constexpr int kSettingsPassword = 40064;
inline constexpr int kPrinterUnreachable = 40065;
// The cartridge dialogs.
inline constexpr int kCartridgeName = 40071;
inline constexpr int kCartridgePrinters = 40072;
inline constexpr int kAddCartridgeTitle = 40073;
inline constexpr int kAddCartridgeConfirm = 40074;
inline constexpr int kEditCartridgeTitle = 40075;
inline constexpr int kEditCartridgeConfirm = 40076;
// The About box.
inline constexpr int kAboutTitle = 40081;
inline constexpr int kAboutGroup = 40082;
inline constexpr int kAboutMaker = 40083;
inline constexpr int kAboutPurpose = 40084;
inline constexpr int kAboutCopyright = 40085;
inline constexpr int kAboutMailLabel = 40086;
inline constexpr int kAboutMailInvitation = 40087;
// The password prompt.
inline constexpr int kPasswordTitle = 40091;
inline constexpr int kPasswordLabel = 40092;
inline constexpr int kPasswordCancel = 40093;
// The texts Qt's own dialogs show in a message box or a file chooser.
inline constexpr int kButtonOk = 40101;
inline constexpr int kButtonYes = 40102;
inline constexpr int kButtonNo = 40103;
inline constexpr int kFileTypeDrive = 40104;
inline constexpr int kFileTypeFolder = 40105;
inline constexpr int kFileTypeFile = 40106;
inline constexpr int kFileTypeOf = 40107;
// The program's command line and start-up.
inline constexpr int kHelp = 40111;
// pagewarden-log's command line.
inline constexpr int kLogUsage = 61001;
inline constexpr int kLogHelp = 61002;             // %s: the data file used without --file
inline constexpr int kLogNoSuchCartridge = 61003;  // %s: the name given
inline constexpr int kNoQtTranslation = 40112;
inline constexpr int kAlreadyRunning = 40113;
inline constexpr int kNoTray = 40114;
}  // namespace ids

// The commands of the notification icon's menu.
namespace cmd {
inline constexpr int kAbout = 57664;
inline constexpr int kHomePage = 32843;
inline constexpr int kSupport = 32844;
inline constexpr int kMail = 32846;
inline constexpr int kSettings = 32781;
inline constexpr int kDetails = 32772;
inline constexpr int kShowStatus = 32773;
inline constexpr int kExit = 57665;
}  // namespace cmd

// The tray icon's id, which also names its menu.
inline constexpr int kTrayId = 129;
// The program's icon, also the picture of the notification icon's still states.
inline constexpr int kProgramIcon = 128;

// The notification icon: per level of use a still icon and the frames of its animation after a
// print; 135 is the blank frame of the start-up flash, 144 the second frame of the empty flash.
namespace icons {
inline constexpr int kGreen = 134;
inline constexpr int kBlank = 135;
inline constexpr int kGreenFrame1 = 136;
inline constexpr int kGreenFrame2 = 137;
inline constexpr int kGreenFrame3 = 138;
inline constexpr int kYellow = 139;
inline constexpr int kYellowFrame1 = 140;
inline constexpr int kYellowFrame2 = 141;
inline constexpr int kYellowFrame3 = 142;
inline constexpr int kRed = 143;
inline constexpr int kRedFrame1 = 144;
inline constexpr int kRedFrame2 = 145;
inline constexpr int kRedFrame3 = 146;
}  // namespace icons
inline constexpr int kFirstTrayIcon = icons::kGreen;

// The picture beside the titles of the About box and the Settings dialog.
inline constexpr int kTitleBitmap = 130;

// The windows and their controls.
namespace ctl {
// The confirming and the cancelling button of every dialog.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
// The bold title line of a dialog.
inline constexpr int kTitle = 1012;

namespace status {
inline constexpr int kWindow = 102;
inline constexpr int kText = 1000;
inline constexpr int kOk = 1001;
inline constexpr int kGauge = 1011;
inline constexpr int kUsage = 1013;
}  // namespace status

namespace details {
inline constexpr int kList = 1003;
inline constexpr int kAdd = 1005;
inline constexpr int kDelete = 1006;
inline constexpr int kSave = 1007;
inline constexpr int kExport = 1008;
inline constexpr int kDeleteAll = 1009;
inline constexpr int kBest = 1013;
inline constexpr int kNormal = 1014;
inline constexpr int kEconomic = 1015;
inline constexpr int kPrinter = 1016;
inline constexpr int kCartridge = 1017;
inline constexpr int kMaximum = 1018;
// The open cell editor of the list.
inline constexpr int kCellEditor = 1001;
}  // namespace details

namespace settings {
inline constexpr int kPopStatus = 1000;
inline constexpr int kAutoQuality = 1001;
inline constexpr int kWindowsRun = 1002;
inline constexpr int kEmptyFlash = 1003;
inline constexpr int kTooltip = 1004;
inline constexpr int kAutoMonitor = 1005;
inline constexpr int kDeleteCartridge = 1006;
inline constexpr int kEditCartridge = 1007;
inline constexpr int kAnyone = 1008;
inline constexpr int kNewCartridge = 1009;
inline constexpr int kPrinter = 1014;
inline constexpr int kCartridge = 1015;
inline constexpr int kQuality = 1016;
inline constexpr int kPrinters = 1020;
inline constexpr int kMaxPages = 1023;
inline constexpr int kPassword = 1027;
}  // namespace settings

namespace cartridge {
inline constexpr int kName = 1015;
inline constexpr int kPrinters = 1020;
inline constexpr int kPages = 1025;
}  // namespace cartridge

namespace about {
inline constexpr int kHomeLink = 1013;
inline constexpr int kMailLink = 1014;
}  // namespace about

namespace password {
inline constexpr int kEdit = 1008;
}  // namespace password
}  // namespace ctl

}  // namespace pw
