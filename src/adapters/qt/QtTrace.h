#pragma once
// The diagnostic trace through the Qt logging category "pagewarden.trace": off by default,
// switched on with QT_LOGGING_RULES="pagewarden.trace.debug=true" (or a rules file), and then in
// the journal or on standard error as Qt sends its messages.

#include <QLoggingCategory>

namespace pw {

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// Routes trace() to the category.
void installQtTrace();

}  // namespace pw
