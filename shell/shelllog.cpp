#include "shelllog.h"

Q_LOGGING_CATEGORY(lcShell, "brenvik.shell", QtWarningMsg)
