#include "print_log.h"

// Only warnings unless the user asks for more.
Q_LOGGING_CATEGORY(lcPrint, "nic.print", QtWarningMsg)
