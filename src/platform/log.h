// The board boundary's own logging category, "vistrel.platform" (it sits below core/).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
