#pragma once

// The test's own handset end of the virtual boat's wire (WIRE.md), and a reader that takes
// packets off the SPI bus the way the handset's reading loop does. Written from the wire and
// packet descriptions only, so that the tests check the boat's bytes rather than its code.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QThread>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wiretest {

enum { kChipSelect = 0, kReady = 1, kTransmit = 2 };

inline quint8 xorOf(const QByteArray& b, int from, int count) {
    quint8 x = 0;
    for (int i = from; i < from + count && i < b.size(); ++i)
        x ^= static_cast<quint8>(b[i]);
    return x;
}

inline quint32 le(const QByteArray& b, int at, int size) {
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

inline quint8 byteAt(const QByteArray& b, int i) {
    return i >= 0 && i < b.size() ? quint8(b[i]) : 0;
}

// An sbus packet as the handset builds it.
inline QByteArray sbus(quint8 type, const QByteArray& payload, quint8 index = 0) {
    QByteArray p("#sbus");
    p.append(char(type));
    p.append(char(index));
    p.append('\0');
    p.append(char(payload.size() & 0xFF));
    p.append(char(payload.size() >> 8));
    p.append(char(xorOf(p, 5, 5)));
    p.append('*');
    return p + payload;
}

inline QByteArray command(quint8 cmd, const QByteArray& data = QByteArray()) {
    QByteArray p;
    p.append(char(cmd));
    p.append(char(~cmd));
    return p + data;
}

class Wire {
public:
    explicit Wire(int fd) : fd_(fd) {}
    ~Wire() { close(); }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd() const { return fd_; }
    bool failed() const { return failed_; }

    bool sendRaw(const QByteArray& bytes) {
        int done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::send(fd_, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return fail();
            done += int(n);
        }
        return true;
    }
    // Exactly n bytes within the time given, or an empty array (and failed()).
    QByteArray recvExact(int n, int timeoutMs = 2000) {
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (out.size() < n) {
            pollfd p = {fd_, POLLIN, 0};
            const int left = timeoutMs - int(t.elapsed());
            if (left <= 0 || ::poll(&p, 1, left) <= 0) return fail(), QByteArray();
            char buf[8192];
            const ssize_t got = ::recv(fd_, buf, qMin<int>(sizeof buf, n - out.size()), 0);
            if (got <= 0) return fail(), QByteArray();
            out.append(buf, int(got));
        }
        return out;
    }
    QByteArray read(int n) {
        QByteArray req("R");
        req.append(char(n & 0xFF));
        req.append(char(n >> 8));
        if (!sendRaw(req)) return QByteArray();
        const QByteArray head = recvExact(3);
        if (head.size() != 3 || head[0] != 'r' || int(le(head, 1, 2)) != n)
            return fail(), QByteArray();
        return recvExact(n);
    }
    bool write(const QByteArray& data) {
        QByteArray req("W");
        req.append(char(data.size() & 0xFF));
        req.append(char(data.size() >> 8));
        if (!sendRaw(req + data)) return false;
        const QByteArray r = recvExact(3);
        return r.size() == 3 && r[0] == 'w' && int(le(r, 1, 2)) == data.size();
    }
    int setLine(int line, int level) {
        QByteArray req("S");
        req.append(char(line));
        req.append(char(level));
        if (!sendRaw(req)) return -1;
        const QByteArray r = recvExact(3);
        return r.size() == 3 && r[0] == 's' && r[1] == char(line) ? r[2] : -1;
    }
    int line(int line) {
        QByteArray req("G");
        req.append(char(line));
        if (!sendRaw(req)) return -1;
        const QByteArray r = recvExact(3);
        return r.size() == 3 && r[0] == 'g' && r[1] == char(line) ? r[2] : -1;
    }
    // A command the way the handset writes it: chip select low, transmit high, write,
    // transmit low (the reading loop raises the chip select again).
    bool sendCommand(quint8 type, const QByteArray& payload) {
        setLine(kChipSelect, 0);
        setLine(kTransmit, 1);
        const bool ok = write(sbus(type, payload));
        setLine(kTransmit, 0);
        setLine(kChipSelect, 1);
        return ok;
    }

private:
    bool fail() {
        failed_ = true;
        return false;
    }
    int fd_;
    bool failed_ = false;
};

struct RxPacket {
    QByteArray header;
    QByteArray payload;
    quint8 type() const { return quint8(header[5]); }
    bool headerOk() const {
        return header.size() == 12 && header[11] == '*' && xorOf(header, 5, 6) == 0;
    }
};

// One transfer: what the handset reads while the receive-ready line stays high.
struct Burst {
    int noise = 0;         // bytes skipped before a '#'
    bool aborted = false;  // a header failed, the rest stays for the next transfer
    QList<RxPacket> packets;
    QByteArray payload() const {
        QByteArray p;
        for (const RxPacket& r : packets)
            p += r.payload;
        return p;
    }
    int type() const { return packets.isEmpty() ? -1 : packets.last().type(); }
    bool isFrame() const { return type() == 0x12 && !aborted; }
};

inline Burst readBurst(Wire& w) {
    Burst b;
    int budget = 200;
    w.setLine(kChipSelect, 0);
    while (w.line(kReady) == 1 && budget > 0 && !w.failed()) {
        QByteArray c;
        while (budget-- > 0 && (c = w.read(1)) != "#")
            ++b.noise;
        if (c != "#") break;
        while (budget-- > 0 && (c = w.read(1)) == "#") {
        }
        RxPacket r;
        r.header = "#" + c + w.read(10);
        if (!r.headerOk()) {
            b.aborted = true;
            b.packets.append(r);
            break;
        }
        r.payload = w.read(int(le(r.header, 8, 2)));
        b.packets.append(r);
    }
    w.setLine(kChipSelect, 1);
    return b;
}

// Every transfer for the time given, polling the receive-ready line every 2 ms.
inline QList<Burst> collect(Wire& w, int ms) {
    QList<Burst> out;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms && !w.failed()) {
        if (w.line(kReady) == 1) {
            out.append(readBurst(w));
        } else {
            QThread::msleep(2);
        }
    }
    return out;
}

// The first transfer whose payload starts with the given command, within the time given.
inline bool waitFor(Wire& w, int type, quint8 cmd, int ms, Burst* found = nullptr) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms && !w.failed()) {
        if (w.line(kReady) != 1) {
            QThread::msleep(2);
            continue;
        }
        const Burst b = readBurst(w);
        if (b.type() == type && !b.aborted && byteAt(b.payload(), 0) == cmd) {
            if (found) *found = b;
            return true;
        }
    }
    return false;
}

}  // namespace wiretest
