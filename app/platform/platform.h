#pragma once

#include <QString>

// Where the handset's files and devices are, and which device backend drives them.
//
// Every absolute path the program uses (/opt, /mnt/sd, /dev, /sys, /root) goes through
// Platform::path(), which puts it under the root directory: "/" on the handset, a folder of
// its own for a development run or a test, so that nothing touches the real /opt or /dev.
//
// Each board device (SPI + GPIO lines, I2C compass, ADC, backlight, beeper, serial port,
// SD card) sits behind a small interface in this folder with two implementations: the Linux
// one, which opens exactly the handset's device files, and a virtual one for machines that
// lack them. Platform::backend() says which one the factories hand out.
namespace Platform {

enum class Backend { Device, Virtual };

// The root directory, without a trailing slash ("" for "/").
QString root();
// Sets the root (--root, tests). An empty text or "/" means the real file system.
void setRoot(const QString& dir);
// Reads KORVEL_ROOT and KORVEL_PLATFORM again (start of the program, tests).
void initFromEnvironment();

// Maps an absolute path under the root; a relative path is returned unchanged.
QString path(const QString& absolutePath);
QByteArray pathBytes(const QString& absolutePath);

// Maps the absolute paths of the mapped trees that stand as words inside a shell command; each
// mapped path becomes one single-quoted word.
QString mapCommand(const QString& command);

// KORVEL_PLATFORM=device|virtual; by default Device only when the root is the real one and the
// radio's SPI node exists there.
Backend backend();
void setBackend(Backend backend);
bool isVirtual();

}  // namespace Platform
