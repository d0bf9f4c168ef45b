#pragma once
// The running program's data file folder on this desktop (the choice is DataFileFolder's).

#include <QString>

namespace pw {

// Needs the application object. The installed data file is looked for in
// <program folder>/../share/pagewarden, as the install rules put it.
QString ProgramDataFolder();

}  // namespace pw
