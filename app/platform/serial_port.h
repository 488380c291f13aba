#pragma once

#include <QString>

#include <memory>

// The speeds the handset offers on its serial port; the configuration stores the index.
enum EnumBaudRate {
    BaudRate4800 = 0,
    BaudRate9600 = 1,
    BaudRate38400 = 2,
    BaudRate115200 = 3,
};

// The handset's serial port "/dev/ttySP0": raw, 8 data bits, no parity, written one line at a
// time (the NMEA output). The device backend opens the board's UART; the virtual one offers a
// pseudo-terminal whose other end is published as <root>/dev/ttySP0 for any serial tool.
//
// The port is opened non-blocking and stays so: a line that does not fit into the driver's
// buffer is dropped, never waited for, so the GUI thread cannot hang on a missing listener.
class SerialPort {
public:
    static constexpr const char* kDevice = "/dev/ttySP0";

    // The backend that Platform::isVirtual() asks for; the port starts closed.
    static std::unique_ptr<SerialPort> create();

    virtual ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the port at a rate index (EnumBaudRate) and makes the line raw. Returns the flush
    // result (0) or -1 after printing perror; a failed port stays closed. An open port is
    // closed first. An index outside 0..3 is taken as 115200, the start-up speed.
    int open(int rateIndex);
    int open(EnumBaudRate rate) { return open(static_cast<int>(rate)); }

    // Changes the speed of the open port (both directions). 0, or -1 on failure.
    int setBaudRate(int rateIndex);

    // Writes the text as Latin-1 (other characters become '?'), at most its first 255 bytes,
    // plus a line feed, in one write. Returns the bytes written, or -1 when the line did not
    // go out whole (port closed, buffer full, device error); nothing is retried.
    int writeLine(const QString& text);

    void close();
    int fd() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

protected:
    SerialPort() = default;

    // Opens the device, non-blocking and not as controlling terminal; the descriptor or -1
    // (after perror).
    virtual int openDevice() = 0;
    // Undoes whatever openDevice() set up besides the descriptor itself. Backends that
    // override it call close() in their own destructor, where the override is still reachable.
    virtual void releaseDevice() {}

private:
    int m_fd = -1;  // never 0 when closed: a stray write must not land on standard input
    bool m_writeFailing = false;
};
