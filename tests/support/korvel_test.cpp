#include "korvel_test.h"

#include <QCoreApplication>
#include <QThread>
#include <map>
#include <mutex>

namespace KorvelTest {

namespace {

struct StructExpectation {
    QRegularExpression pattern;
    int seen = 0;
};

std::mutex g_mutex;
std::map<int, StructExpectation> g_expected;
int g_nextId = 0;
QtMessageHandler g_previous = nullptr;

bool expected(const QString& message) {
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto& e : g_expected) {
        if (e.second.pattern.match(message).hasMatch()) {
            ++e.second.seen;
            return true;
        }
    }
    return false;
}

void fail(const QString& message, const char* file, int line) {
    const QByteArray text = "unexpected message: " + message.toLocal8Bit();
    QTest::qFail(text.constData(), file ? file : __FILE__, file ? line : __LINE__);
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool serious = type == QtWarningMsg || type == QtCriticalMsg;
    if (serious && expected(message)) return;
    if (g_previous) g_previous(type, context, message);
    if (!serious) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        // The test thread reports it when it next runs its events (QTRY_*, qWait).
        QMetaObject::invokeMethod(
            app, [message] { fail(message, nullptr, 0); }, Qt::QueuedConnection);
        return;
    }
    fail(message, context.file, context.line);
}

}  // namespace

void installMessageCheck() {
    g_previous = qInstallMessageHandler(handler);
}

ExpectedMessage::ExpectedMessage(const QString& pattern) {
    std::lock_guard<std::mutex> lock(g_mutex);
    m_id = g_nextId++;
    g_expected[m_id] = {QRegularExpression(pattern), 0};
}

ExpectedMessage::~ExpectedMessage() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_expected.erase(m_id);
}

int ExpectedMessage::seen() const {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_expected.at(m_id).seen;
}

int run(QObject* test, int argc, char** argv) {
    // QtTest puts its own handler in place when it starts logging; the check goes in front.
    QTest::qInit(test, argc, argv);
    installMessageCheck();
    // The offscreen platform cannot raise windows; that says nothing about the program.
    static ExpectedMessage offscreenRaise(
        QStringLiteral("^This plugin does not support raise\\(\\)"));
    const int failures = QTest::qRun();
    QTest::qCleanup();
    return failures;
}

}  // namespace KorvelTest
