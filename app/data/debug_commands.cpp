#include "data/debug_commands.h"

#include "base/regular_file.h"

#include <QFile>
#include <QRegularExpression>

namespace DebugCommands {

QStringList read(const QString& path) {
    constexpr int kMaxFileBytes = 64 * 1024;
    constexpr int kMaxLine = 255;
    QFile file(path);
    QStringList commands;
    if (!isRegularFile(path) || !file.open(QIODevice::ReadOnly)) return commands;
    const QStringList lines =
        QString::fromUtf8(file.read(kMaxFileBytes))
            .split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        commands << line.left(kMaxLine);
    return commands;
}

}  // namespace DebugCommands
