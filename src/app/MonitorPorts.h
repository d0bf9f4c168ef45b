#pragma once
// What the monitor window's logic needs of its windows and dialogs.

#include <string>
#include <vector>

#include "app/Forecast.h"
#include "app/InkLevels.h"
#include "details/DetailsValues.h"
#include "settings/SettingsValues.h"

namespace pw {

// The status window (the monitor window when shown).
class IStatusView {
 public:
  virtual ~IStatusView() = default;
  // Copies the status and usage texts into the window's controls.
  virtual void setTexts(const std::string& status, const std::string& usage) = 0;
  virtual void showWindow() = 0;
  // Redraws the gauge strip at the given share (0 to 100).
  virtual void drawGauge(int share) = 0;
  // The printer's own ink levels and the sentence comparing them with the estimate; no rows
  // hide the group.
  virtual void showInkLevels(const std::vector<InkRow>& rows, const std::string& comparison) = 0;
  // When the cartridge will run out and the pages of the last twelve months; an empty sentence
  // with no pages at all hides them.
  virtual void showForecast(const std::string& sentence, const std::vector<MonthUse>& months) = 0;
};

// The modal dialogs that the commands run.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // The access password prompt: false when cancelled, else the entered text.
  virtual bool askPassword(std::string& entered) = 0;
  virtual bool runDetails(DetailsValues& values) = 0;
  virtual bool runSettings(SettingsValues& values) = 0;
  virtual void runAbout() = 0;
};

}  // namespace pw
