#include "base/log.h"

Q_LOGGING_CATEGORY(lcCore, "korvel.core")
Q_LOGGING_CATEGORY(lcPlatform, "korvel.platform")
Q_LOGGING_CATEGORY(lcLink, "korvel.link")
Q_LOGGING_CATEGORY(lcNavi, "korvel.navi")
