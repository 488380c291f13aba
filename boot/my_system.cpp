#include "my_system.h"

#include <QProcess>
#include <cstdio>

namespace {

constexpr int kLongestRunMs = 120000;

}  // namespace

int my_system(const QString& program, const QStringList& args) {
    if (program.isEmpty()) {
        printf("my_system cmd is NULL!\n");
        return -1;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted()) {
        printf("popen error: %s\n", qPrintable(process.errorString()));
        return -1;
    }
    if (!process.waitForFinished(kLongestRunMs)) process.kill();
    process.waitForFinished();
    const QByteArray output = process.readAllStandardOutput();
    fwrite(output.constData(), 1, size_t(output.size()), stdout);
    fflush(stdout);
    if (process.exitStatus() != QProcess::NormalExit) {
        printf("close popen file pointer fp error!\n");
        return -1;
    }
    const int status = process.exitCode();
    if (status != 0) printf("popen res is :%d\n", status);
    return status;
}
