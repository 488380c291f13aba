#include "platform/platform.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtGlobal>

namespace {

QString g_root;
bool g_backendChosen = false;
Platform::Backend g_backend = Platform::Backend::Virtual;

QString normaliseRoot(QString dir) {
    while (dir.endsWith('/'))
        dir.chop(1);
    return dir;
}

// The trees that belong to the handset; /proc and /tmp stay where they are.
const QRegularExpression& mappedWord() {
    static const QRegularExpression re(
        QStringLiteral("(^|[\\s>'\"=])(/(?:opt|mnt/sd|mnt|dev|sys|root)(?=/|$|[\\s'\";]))"));
    return re;
}

}  // namespace

namespace Platform {

QString root() {
    return g_root;
}

void setRoot(const QString& dir) {
    g_root = normaliseRoot(dir);
}

void initFromEnvironment() {
    setRoot(qEnvironmentVariable("KORVEL_ROOT"));
    const QString choice = qEnvironmentVariable("KORVEL_PLATFORM").trimmed().toLower();
    if (choice == QLatin1String("device")) {
        setBackend(Backend::Device);
    } else if (choice == QLatin1String("virtual")) {
        setBackend(Backend::Virtual);
    } else {
        g_backendChosen = false;
    }
}

QString path(const QString& absolutePath) {
    if (g_root.isEmpty() || !absolutePath.startsWith('/')) return absolutePath;
    if (absolutePath.startsWith(g_root + '/')) return absolutePath;  // already mapped
    return g_root + absolutePath;
}

QByteArray pathBytes(const QString& absolutePath) {
    return path(absolutePath).toLocal8Bit();
}

namespace {
// A mapped path must stay one word whatever the root's name holds (spaces, quotes, ';', '$'):
// a bare path becomes one single-quoted word; a path already inside quotes is escaped for them.
QString quotedFor(QChar before, const QString& word) {
    if (before == QLatin1Char('\'')) {
        return QString(word).replace(QLatin1Char('\''), QLatin1String("'\\''"));
    }
    if (before == QLatin1Char('"')) {
        QString out;
        for (const QChar c : word) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\') || c == QLatin1Char('$') ||
                c == QLatin1Char('`'))
                out += QLatin1Char('\\');
            out += c;
        }
        return out;
    }
    return QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QLatin1String("'\\''")) +
           QLatin1Char('\'');
}
}  // namespace

QString mapCommand(const QString& command) {
    if (g_root.isEmpty()) return command;
    QString out;
    int last = 0;
    auto it = mappedWord().globalMatch(command);
    while (it.hasNext()) {
        const auto m = it.next();
        const int start = m.capturedStart(2);
        const QChar before = start > 0 ? command.at(start - 1) : QChar();
        const bool quoted = before == QLatin1Char('\'') || before == QLatin1Char('"');
        // The rest of the word belongs to the path, up to its closing quote.
        int end = m.capturedEnd(2);
        while (end < command.size() &&
               (quoted ? command.at(end) != before
                       : !command.at(end).isSpace() && command.at(end) != QLatin1Char(';') &&
                             command.at(end) != QLatin1Char('>')))
            ++end;
        out += command.midRef(last, start - last);
        QString word = command.mid(start, end - start);
        if (!word.startsWith(g_root + '/')) word = g_root + word;
        out += quotedFor(before, word);
        last = end;
    }
    out += command.midRef(last);
    return out;
}

// Left to itself, only the real root with the radio's SPI node is the handset: a development
// root never drives devices (or powers the machine off) because of a stray file in it.
Backend backend() {
    if (!g_backendChosen) {
        const bool handset =
            g_root.isEmpty() && QFileInfo::exists(QStringLiteral("/dev/spidev1.0"));
        g_backend = handset ? Backend::Device : Backend::Virtual;
        g_backendChosen = true;
    }
    return g_backend;
}

void setBackend(Backend b) {
    g_backend = b;
    g_backendChosen = true;
}

bool isVirtual() {
    return backend() == Backend::Virtual;
}

}  // namespace Platform
