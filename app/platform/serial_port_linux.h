#pragma once

#include "platform/serial_port.h"

// The board's UART, opened through its device file (mapped under the root).
class LinuxSerialPort : public SerialPort {
public:
    LinuxSerialPort() = default;

protected:
    int openDevice() override;
};
