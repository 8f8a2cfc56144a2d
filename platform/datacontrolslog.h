#pragma once
// Logging category of the data-aware controls (quiet by default).
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDataControls)
