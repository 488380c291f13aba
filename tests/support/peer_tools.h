#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtTest>

// The programs other people read the handset's files with (xmllint, ogrinfo, gpsbabel): a test
// that needs one is skipped where it is missing, and runs it for its output.

#define REQUIRE_TOOL(tool)                              \
    if (QStandardPaths::findExecutable(tool).isEmpty()) \
    QSKIP(qPrintable(QString(tool) + " is not installed (scripts/test installs it)"))

// What the tool printed, or "failed" when it ended with an error.
inline QString runTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                             : QStringLiteral("failed");
}
