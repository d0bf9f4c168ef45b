#pragma once
// The command ids of the notification icon's menu.

namespace pw::cmd {
inline constexpr int kAbout = 57664;
inline constexpr int kHomePage = 32843;
inline constexpr int kSupport = 32844;
inline constexpr int kMail = 32846;
inline constexpr int kSettings = 32781;
inline constexpr int kDetails = 32772;
inline constexpr int kShowStatus = 32773;
inline constexpr int kExit = 57665;
}  // namespace pw::cmd

namespace pw {
// The tray icon's id, which also names its menu.
inline constexpr int kTrayId = 129;
// The program icon and the first tray icon.
inline constexpr int kProgramIcon = 128;
inline constexpr int kFirstTrayIcon = 134;
}  // namespace pw
