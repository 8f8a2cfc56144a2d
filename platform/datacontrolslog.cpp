#include "datacontrolslog.h"

Q_LOGGING_CATEGORY(lcDataControls, "brenvik.platform.datacontrols", QtWarningMsg)
