#pragma once

#include "platform/serial_port.h"

#include <QByteArray>

// A pseudo-terminal standing in for the UART. The handset keeps the master side and sets it
// up like the real line; the slave's name is published as the symbolic link <root>/dev/ttySP0,
// so `cat <root>/dev/ttySP0` or any serial program receives what the handset writes.
class VirtualSerialPort : public SerialPort {
public:
    VirtualSerialPort() = default;
    ~VirtualSerialPort() override;

    // The slave's device name ("/dev/pts/N") while open, else empty.
    QByteArray slaveName() const { return m_slave; }

protected:
    int openDevice() override;
    void releaseDevice() override;

private:
    bool publishLink();

    QByteArray m_slave;
    QByteArray m_link;  // the link this port created, removed again on close
};
