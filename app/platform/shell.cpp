#include "platform/shell.h"

#include "platform/platform.h"

#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

// Set by tests on the GUI thread; the SD thread runs commands too.
std::mutex g_hookMutex;
Global::CommandHook g_hook;

// True when the test's hook has handled the command.
bool hooked(const QString& command, int* status) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    return g_hook && g_hook(command, status);
}

// Runs an already mapped command line through a shell pipe and echoes its output.
int runPipe(const QByteArray& command) {
    FILE* fp = popen(command.constData(), "r");
    if (fp == nullptr) {
        printf("popen error: %s\n", strerror(errno));
        return -1;
    }
    char line[1024];
    while (fgets(line, sizeof line, fp) != nullptr)
        printf("%s", line);
    fflush(stdout);
    const int status = pclose(fp);
    if (status == -1) {
        printf("close popen file pointer fp error!\n");
        return -1;
    }
    return status;
}

// An argument naming a file of the handset's trees goes under the root; any other word (a
// relative name, an option, /proc, /tmp) stays as it is.
QString mapArgument(const QString& arg) {
    static const QRegularExpression handsetTree(
        QStringLiteral("^/(?:opt|mnt|dev|sys|root)(?:/|$)"));
    return handsetTree.match(arg).hasMatch() ? Platform::path(arg) : arg;
}

}  // namespace

void Global::setCommandHook(CommandHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

int Global::my_system(const char* cmd) {
    if (cmd == nullptr) {
        printf("my_system cmd is NULL!\n");
        return -1;
    }
    const QString text = QString::fromLocal8Bit(cmd);
    int status = 0;
    if (hooked(text, &status)) return status;
    return runPipe(Platform::mapCommand(text).toLocal8Bit());
}

int Global::my_system(const QString& cmd) {
    return my_system(cmd.toLocal8Bit().constData());
}

QString Global::shellQuote(const QString& arg) {
    QString quoted = arg;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Every word is single-quoted, and the line is built after the root mapping, so nothing in a
// name is read by the shell as syntax and the mapping cannot split a quoted word.
int Global::my_system_args(const QString& program, const QStringList& args) {
    QString shown = program;
    QString line = shellQuote(program);
    for (const QString& arg : args) {
        shown += QLatin1Char(' ') + shellQuote(arg);
        line += QLatin1Char(' ') + shellQuote(mapArgument(arg));
    }
    int status = 0;
    if (hooked(shown, &status)) return status;
    return runPipe(line.toLocal8Bit());
}
