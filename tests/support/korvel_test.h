#pragma once

#include <QApplication>
#include <QRegularExpression>
#include <QtTest>

// What every test program shares: a warning or critical message that a test did not declare
// fails it, so a fault that only logs is still caught.
namespace KorvelTest {

// Installs the check; QtTest's own output handler stays behind it.
void installMessageCheck();

// A warning the test expects: while the object lives, messages matching pattern are let
// through (and counted) instead of failing the test.
class ExpectedMessage {
public:
    explicit ExpectedMessage(const QString& pattern);
    ~ExpectedMessage();
    ExpectedMessage(const ExpectedMessage&) = delete;
    ExpectedMessage& operator=(const ExpectedMessage&) = delete;
    int seen() const;

private:
    int m_id;
};

int run(QObject* test, int argc, char** argv);

}  // namespace KorvelTest

// QTEST_MAIN with the message check, for widget tests and the rest alike.
#define KORVEL_TEST_MAIN(TestObject)             \
    int main(int argc, char** argv) {            \
        QApplication app(argc, argv);            \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc;                           \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return KorvelTest::run(&tc, argc, argv); \
    }
