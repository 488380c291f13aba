#include "settings_check.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The text as the settings class's unescaping leaves it (quotes dropped, backslash escapes
// resolved, an unknown escape dropping its character), taken over the whole file: stricter
// than per value, never looser.
QString unescaped(const QByteArray& data) {
    static const char named[] = "a\ab\bf\fn\nr\rt\tv\v\"\"\?\?''\\\\";
    const char* s = data.constData();
    const int n = data.size();
    QString out;
    for (int i = 0; i < n;) {
        const char c = s[i++];
        if (c == '"') continue;
        if (c != '\\') {
            out += QLatin1Char(c);
            continue;
        }
        if (i >= n) break;
        const char e = s[i++];
        const char* m = e != 0 ? std::strchr(named, e) : nullptr;
        if (m && (m - named) % 2 == 0) {
            out += QLatin1Char(m[1]);
        } else if (e == 'x' && i < n && hexValue(s[i]) >= 0) {
            unsigned v = 0;
            while (i < n && hexValue(s[i]) >= 0)
                v = ((v << 4) | unsigned(hexValue(s[i++]))) & 0xffff;
            out += QChar(ushort(v));
        } else if (e >= '0' && e <= '7') {
            unsigned v = unsigned(e - '0');
            while (i < n && s[i] >= '0' && s[i] <= '7')
                v = ((v << 3) | unsigned(s[i++] - '0')) & 0xffff;
            out += QChar(ushort(v));
        }
    }
    return out;
}

// "@Variant(" at at is followed by the float form: type 0x87 and four bytes, then ")".
bool isFloatForm(const QString& text, int at) {
    const int body = at + 9;
    if (text.size() < body + 9 || text.at(body + 8) != QLatin1Char(')')) return false;
    if (text.at(body).unicode() || text.at(body + 1).unicode() || text.at(body + 2).unicode() ||
        text.at(body + 3).unicode() != 0x87)
        return false;
    for (int k = 4; k < 8; ++k) {
        if (text.at(body + k).unicode() > 0xff) return false;
    }
    return true;
}

}  // namespace

namespace SettingsCheck {

bool holdsOnlyPlainValues(const QByteArray& data) {
    const QString text = unescaped(data);
    if (text.contains(QLatin1String("@DateTime("))) return false;
    for (int at = text.indexOf(QLatin1String("@Variant(")); at >= 0;
         at = text.indexOf(QLatin1String("@Variant("), at + 1)) {
        if (!isFloatForm(text, at)) return false;
    }
    return true;
}

bool isSafe(const QString& file, QString* why) {
    const QFileInfo info(file);
    if (!info.exists()) return true;
    QString reason;
    QFile f(file);
    if (!info.isFile()) {
        reason = QStringLiteral("not a regular file");
    } else if (info.size() > kMaxBytes) {
        reason = QStringLiteral("too large to be a settings file");
    } else if (!f.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("cannot be read");
    } else if (!holdsOnlyPlainValues(f.read(kMaxBytes))) {
        reason = QStringLiteral("holds values of types never written to it");
    }
    if (why) *why = reason;
    return reason.isEmpty();
}

}  // namespace SettingsCheck
