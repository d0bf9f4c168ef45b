#pragma once
// The running program's data file folder on this desktop (the choice is dataFileFolder's).

#include <QString>

namespace pw {

// Needs the application object. The installed data file is looked for in
// <program folder>/../share/pagewarden, as the install rules put it; with `prepare` a first use
// copies it into the user's folder, without it the folder is only named.
QString programDataFolder(bool prepare = true);

}  // namespace pw
