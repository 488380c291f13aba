#pragma once

#include <QString>

// The navigation's messages by their code: "401" ... "409", "416", "501", "603". All sound the
// message tone; only "501" closes by itself.
struct StructNaviHint {
    QString code;
    QString title;
    QString text;
    bool autoClose = false;
};

namespace NaviHints {

// An unknown code gives an empty text.
StructNaviHint hint(const QString& code);

}  // namespace NaviHints
