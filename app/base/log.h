#pragma once

#include <QLoggingCategory>

// One logging category per area; QT_LOGGING_RULES switches them on and off.
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcNavi)
