#include "base/ini_file.h"

#include "base/file_aside.h"
#include "base/log.h"
#include "base/regular_file.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cstring>

namespace {

const QLatin1String kVariant("@Variant(");
// The one serialised value the handset writes: a float, type 0x87 in the settings class's
// stream format, then its four bytes big-endian.
constexpr int kFloatFormSize = 8;
constexpr ushort kFloatType = 0x87;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void chopBlanks(QString& s) {
    while (!s.isEmpty() && (s.back() == QLatin1Char(' ') || s.back() == QLatin1Char('\t')))
        s.chop(1);
}

// A value's text as the settings class unescapes it: quotes dropped, backslash escapes
// (named, \x hex, octal; an unknown one drops its character), commas outside quotes
// separating list elements, blanks around unquoted elements dropped.
QStringList unescapeValue(const char* s, int n, bool* isList) {
    static const char named[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                    {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                    {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QStringList parts;
    QString cur;
    bool inQuotes = false;
    bool quoted = false;
    int i = 0;
    const auto skipBlanks = [&] {
        while (i < n && (s[i] == ' ' || s[i] == '\t'))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        const char c = s[i];
        if (c == '\\') {
            if (++i >= n) break;
            const char e = s[i++];
            bool done = false;
            for (const auto& m : named) {
                if (e == m[0]) {
                    cur += QLatin1Char(m[1]);
                    done = true;
                    break;
                }
            }
            if (done) continue;
            if (e == 'x' && i < n && hexValue(s[i]) >= 0) {
                unsigned v = 0;
                while (i < n && hexValue(s[i]) >= 0)
                    v = ((v << 4) | unsigned(hexValue(s[i++]))) & 0xffff;
                cur += QChar(ushort(v));
            } else if (e >= '0' && e <= '7') {
                unsigned v = unsigned(e - '0');
                while (i < n && s[i] >= '0' && s[i] <= '7')
                    v = ((v << 3) | unsigned(s[i++] - '0')) & 0xffff;
                cur += QChar(ushort(v));
            } else if ((e == '\n' || e == '\r') && i < n && (s[i] == '\n' || s[i] == '\r') &&
                       s[i] != e) {
                ++i;  // a continued line ending in \r\n or \n\r
            }
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopBlanks(cur);
            *isList = true;
            parts << cur;
            cur.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            int j = i + 1;
            while (j < n && s[j] != '\\' && s[j] != '"' && s[j] != ',')
                ++j;
            cur += QString::fromLatin1(s + i, j - i);
            i = j;
        }
    }
    if (!quoted) chopBlanks(cur);
    parts << cur;
    return parts;
}

// A key or section name: "%XX" and "%UXXXX" stand for a character, a backslash for "/".
QString unescapeKey(const char* s, int n) {
    QString out;
    for (int i = 0; i < n;) {
        if (s[i] == '\\') {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        const int digits = i + 1 < n && s[i + 1] == 'U' ? 4 : 2;
        const int first = i + 1 + (digits == 4 ? 1 : 0);
        unsigned v = 0;
        bool ok = s[i] == '%' && first + digits <= n;
        for (int k = 0; ok && k < digits; ++k) {
            ok = hexValue(s[first + k]) >= 0;
            v = v << 4 | unsigned(hexValue(s[first + k]));
        }
        if (!ok) {
            out += QLatin1Char(s[i++]);
            continue;
        }
        out += QChar(ushort(v));
        i = first + digits;
    }
    return out;
}

// One element as the settings class would turn it into a value, without decoding anything
// but the float form; refused counts what was not taken.
QVariant elementValue(const QString& s, int* refused) {
    if (!s.startsWith(QLatin1Char('@'))) return s;
    if (s.endsWith(QLatin1Char(')'))) {
        if (s.startsWith(QLatin1String("@ByteArray("))) return s.mid(11, s.size() - 12).toLatin1();
        if (s.startsWith(QLatin1String("@String("))) return s.mid(8, s.size() - 9);
        if (s == QLatin1String("@Invalid()")) return QVariant();
        if (s.startsWith(kVariant) || s.startsWith(QLatin1String("@DateTime("))) {
            const QString form = s.mid(kVariant.size(), s.size() - kVariant.size() - 1);
            bool isFloat = s.startsWith(kVariant) && form.size() == kFloatFormSize &&
                           form.at(0).unicode() == 0 && form.at(1).unicode() == 0 &&
                           form.at(2).unicode() == 0 && form.at(3).unicode() == kFloatType;
            quint32 bits = 0;
            for (int k = 4; isFloat && k < kFloatFormSize; ++k) {
                isFloat = form.at(k).unicode() <= 0xff;
                bits = bits << 8 | form.at(k).unicode();
            }
            if (isFloat) {
                float f;
                std::memcpy(&f, &bits, sizeof f);
                return f;
            }
            ++*refused;
            return QString(kVariant);
        }
    }
    if (s.startsWith(QLatin1String("@@"))) return s.mid(1);
    return s;
}

}  // namespace

IniFile::IniFile(const QString& path) {
    if (!QFileInfo::exists(path)) return;
    // A FIFO in the file's place would block the read for ever.
    m_state = EnumState::NotAFile;
    if (!isRegularFile(path)) return;
    m_state = EnumState::TooLarge;
    if (QFileInfo(path).size() > kMaxBytes) return;
    QFile f(path);
    m_state = EnumState::Unreadable;
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray data = f.read(kMaxBytes + 1);
    m_state = EnumState::TooLarge;
    if (data.size() > kMaxBytes) return;
    m_state = EnumState::Read;
    parse(data);
}

IniFile IniFile::fromBytes(const QByteArray& data) {
    IniFile ini;
    ini.m_state = EnumState::Read;
    ini.parse(data.left(int(kMaxBytes)));
    return ini;
}

void IniFile::parse(const QByteArray& bytes) {
    const char* d = bytes.constData();
    const int n = bytes.size();
    QString section;
    int pos = 0;
    while (pos < n) {
        while (pos < n && isSpace(d[pos]))
            ++pos;
        if (pos >= n) break;
        const int start = pos;
        if (d[pos] == ';') {  // a comment, to the end of its line
            while (pos < n && d[pos] != '\n' && d[pos] != '\r')
                ++pos;
            continue;
        }
        // The line runs to a line end or a ";" outside quotes; a backslash keeps the next
        // character (a line end too) in the line.
        int equals = -1;
        bool inQuotes = false;
        int i = pos;
        for (; i < n; ++i) {
            const char c = d[i];
            if (c == '\\') {
                if (i + 2 < n && ((d[i + 1] == '\n' && d[i + 2] == '\r') ||
                                  (d[i + 1] == '\r' && d[i + 2] == '\n')))
                    ++i;
                ++i;
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '=' && !inQuotes && equals < 0) {
                equals = i;
            } else if ((c == '\n' || c == '\r' || c == ';') && !inQuotes) {
                break;
            }
        }
        const int end = qMin(i, n);
        pos = end;
        if (d[start] == '[') {
            int close = start + 1;
            while (close < end && d[close] != ']')
                ++close;
            if (close >= end) m_formatError = true;
            const QByteArray name = QByteArray(d + start + 1, close - start - 1).trimmed();
            if (qstricmp(name.constData(), "general") == 0) {
                section.clear();
            } else if (qstricmp(name.constData(), "%general") == 0) {
                section = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            } else {
                section = unescapeKey(name.constData(), name.size()) + QLatin1Char('/');
            }
            continue;
        }
        if (equals < 0) {
            m_formatError = true;
            continue;
        }
        int keyEnd = equals;
        while (keyEnd > start && (d[keyEnd - 1] == ' ' || d[keyEnd - 1] == '\t'))
            --keyEnd;
        const QString key = section + unescapeKey(d + start, keyEnd - start);
        bool isList = false;
        const QStringList parts = unescapeValue(d + equals + 1, end - equals - 1, &isList);
        if (!isList) {
            m_values.insert(key, elementValue(parts.first(), &m_refused));
            continue;
        }
        QStringList list;
        for (const QString& part : parts)
            list << elementValue(part, &m_refused).toString();
        m_values.insert(key, list);
    }
}

namespace {
// A line the settings writer cannot parse (a section header without its bracket) leaves its
// status a format error after it has written, so the save would be reported failed and a
// second write to the file dropped; such a file is set aside like any damaged one. Only a
// file the reader above took whole (its size bounded) is parsed again.
bool settingsParse(const QString& path) {
    const QSettings probe(path, QSettings::IniFormat);
    return probe.status() == QSettings::NoError;
}
}  // namespace

bool IniFile::mayWrite(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return true;
    // The caller says that its save failed.
    if (!isRegularFile(path)) return false;
    const IniFile current(path);
    if (current.state() == EnumState::Read && current.refused() == 0 && settingsParse(path))
        return true;
    const QString aside = FileAside::keep(path);
    if (aside.isEmpty()) return false;
    qCWarning(lcCore).noquote() << path << "holds values the handset never writes: kept as" << aside
                                << "and written afresh";
    return true;
}
