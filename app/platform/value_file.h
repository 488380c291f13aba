#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// A board device driven by writing a value as text to one file: the backlight's brightness
// and the beeper's LED. The Linux backend writes the handset's sysfs file itself; the virtual
// one writes the same path under the root, where a test or the user reads it. No shell runs.
class ValueFileDevice {
public:
    virtual ~ValueFileDevice() = default;
    // Writes text and a line end; false (after saying why) when the file cannot take it.
    virtual bool write(const QByteArray& text) = 0;

    // The platform's backend for handsetPath (Board::kBacklight, Board::kBeeper), unless a
    // test has installed its own factory.
    static std::unique_ptr<ValueFileDevice> create(const QString& handsetPath);
    using Factory = std::function<std::unique_ptr<ValueFileDevice>(const QString&)>;
    static void setFactory(Factory factory);
};

// The sysfs file itself, through open(2) and write(2).
class ValueFileLinux : public ValueFileDevice {
public:
    explicit ValueFileLinux(const QString& handsetPath);
    bool write(const QByteArray& text) override;

private:
    QByteArray m_path;
};

// The file under the root, made with its folder when missing.
class ValueFileVirtual : public ValueFileDevice {
public:
    explicit ValueFileVirtual(const QString& handsetPath);
    bool write(const QByteArray& text) override;

private:
    QString m_path;
};
