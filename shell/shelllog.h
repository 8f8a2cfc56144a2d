#pragma once
// The program's log category, quiet by default: QT_LOGGING_RULES="brenvik.shell.debug=true".
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcShell)
