#include "wire_server.h"

namespace vboat {

namespace {
int read16(const QByteArray& b, int at) {
    return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8);
}
void append16(QByteArray& b, int v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}
void appendError(QByteArray& out, quint8 code) {
    out.append(wire::kError);
    out.append(static_cast<char>(code));
}
bool knownLine(int line) {
    return line >= kChipSelect && line <= kTransmit;
}
}  // namespace

bool serveRequests(QByteArray& input, QByteArray& output, BoatCore& boat, double now) {
    int pos = 0;
    bool ok = true;
    while (ok && pos < input.size()) {
        const char op = input[pos];
        const int left = input.size() - pos;
        if (op == wire::kSpiWrite || op == wire::kSpiRead) {
            if (left < 3) break;
            const int n = read16(input, pos + 1);
            if (n > wire::kMaxTransfer) {
                appendError(output, wire::kTooLong);
                ok = false;
                break;
            }
            if (op == wire::kSpiRead) {
                output.append('r');
                append16(output, n);
                output.append(boat.read(n));
                pos += 3;
                continue;
            }
            if (left < 3 + n) break;
            boat.write(input.mid(pos + 3, n), now);
            output.append('w');
            append16(output, n);
            pos += 3 + n;
        } else if (op == wire::kSetLine) {
            if (left < 3) break;
            const int line = static_cast<quint8>(input[pos + 1]);
            if (!knownLine(line)) {
                appendError(output, wire::kUnknownLine);
                ok = false;
                break;
            }
            boat.setLine(line, input.at(pos + 2) != char(0));
            output.append('s');
            output.append(static_cast<char>(line));
            output.append(static_cast<char>(boat.line(line) ? 1 : 0));
            pos += 3;
        } else if (op == wire::kGetLine) {
            if (left < 2) break;
            const int line = static_cast<quint8>(input[pos + 1]);
            if (!knownLine(line)) {
                appendError(output, wire::kUnknownLine);
                ok = false;
                break;
            }
            output.append('g');
            output.append(static_cast<char>(line));
            output.append(static_cast<char>(boat.line(line) ? 1 : 0));
            pos += 2;
        } else if (op == wire::kVersion) {
            output.append('v');
            output.append(static_cast<char>(wire::kProtocolVersion));
            pos += 1;
        } else {
            appendError(output, wire::kUnknownRequest);
            ok = false;
        }
    }
    input.remove(0, pos);
    return ok;
}

}  // namespace vboat
