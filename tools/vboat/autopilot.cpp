#include "autopilot.h"

#include "sbus.h"

#include <cmath>

namespace vboat {

namespace {
constexpr double kInfoPeriod = 1.0;

// A sentence as it goes out: the line end after the checksum is what the handset waits for
// before it takes the two digits.
QByteArray outgoing(const QByteArray& body) {
    return Autopilot::seal(body) + "\r\n";
}

bool readDegrees(const QByteArray& text, double limit, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value) && std::fabs(value) <= limit;
}
}  // namespace

QByteArray Autopilot::seal(const QByteArray& body) {
    const QByteArray text = body + ",*";
    const quint8 x = xorBytes(text.constData() + 1, text.size() - 2);
    return text + QByteArray::number(x, 16).rightJustified(2, '0').toUpper();
}

bool Autopilot::checksumOk(const QByteArray& sentence) {
    const int star = sentence.indexOf('*');
    if (!sentence.startsWith('$') || star < 0 || sentence.size() < star + 3) return false;
    const quint8 x = xorBytes(sentence.constData() + 1, star - 1);
    return sentence.mid(star + 1, 2) == QByteArray::number(x, 16).rightJustified(2, '0').toUpper();
}

QList<QByteArray> Autopilot::takeEvents() {
    QList<QByteArray> out;
    out.swap(events_);
    return out;
}

double Autopilot::heldFor(double now) const {
    return arrivedAt_ < 0 ? -1 : now - arrivedAt_;
}

void Autopilot::endHold(const QByteArray& by, double now) {
    if (arrivedAt_ < 0) return;
    events_.append("held " + QByteArray::number(now - arrivedAt_, 'f', 1) +
                   " s at the point, then " + by);
    arrivedAt_ = -1;
}

void Autopilot::setTaskMode(char mode) {
    mode_ = mode;
    arrivedAt_ = -1;  // forced from outside: no longer holding at a reached point
    hasTarget_ = false;
    if (mode == 'M') {
        sim_.cruise();
    } else if (mode != 'R') {
        sim_.hold();
    }
}

void Autopilot::receive(const QByteArray& message, double now, QList<QByteArray>& replies) {
    if (message.startsWith('#')) {
        replies.append(life_.toLoader(message, now));
        return;
    }
    if (life_.on() || life_.inLoader()) onSentence(message, now, replies);
}

void Autopilot::onSentence(const QByteArray& sentence, double now, QList<QByteArray>& replies) {
    if (!checksumOk(sentence)) {
        ++stats_.sentencesRefused;
        return;
    }
    ++stats_.sentencesTaken;
    const QList<QByteArray> f = sentence.left(sentence.indexOf('*')).split(',');
    const QByteArray& type = f[0];
    if (type == "$HMRST") {
        life_.enterLoader(now);
        return;
    }
    if (life_.inLoader()) return;  // the loader knows no other sentence
    if (type == "$HMPRA" || type == "$HMHCK") {
        if (type == "$HMPRA") {
            stats_.lastParameters = sentence;
            bool ok = false;
            const double radius = f.size() > 11 ? f[11].toDouble(&ok) : 0;
            if (ok && radius > 0) arrivalRadius_ = radius;
        }
        // The wiring test turns the motors until the handset stops it; the boat stays put.
        if (type == "$HMHCK") setTaskMode('T');
        if (acknowledging_) {
            replies.append(outgoing("$HMACK,A"));
            ++stats_.acksSent;
        }
    } else if (type == "$HMCTL" && f.size() >= 4 && f[1] == "RUN") {
        double lon = 0;
        double lat = 0;
        if (!readDegrees(f[2], 180, lon) || !readDegrees(f[3], 90, lat)) {
            setTaskMode('E');  // a target it cannot go to
            return;
        }
        endHold("RUN", now);
        mode_ = 'R';
        hasTarget_ = true;
        targetLat_ = lat;
        targetLon_ = lon;
        sim_.steerTo(lat, lon);
    } else if (type == "$HMCTL" && f.size() >= 2 && f[1] == "STOP") {
        endHold("STOP", now);
        setTaskMode('S');
    }
}

QByteArray Autopilot::info() const {
    const int heading = int(std::lround(sim_.position().headingDeg)) % 360;
    const QByteArray distance =
        mode_ == 'R' && hasTarget_
            ? QByteArray::number(qRound64(sim_.distanceTo(targetLat_, targetLon_)))
            : QByteArray();
    return outgoing("$HMINF," + QByteArray::number(sim_.satellites()) + ',' +
                    QByteArray::number(heading) + ',' + mode_ + ',' + rc_ + ',' + distance);
}

void Autopilot::tick(double now, QList<QByteArray>& out) {
    if (life_.tick(now)) {
        // Freshly up: no task, the remote control has the boat.
        setTaskMode('M');
        out.append(outgoing("$HMPWR"));
        nextInfoAt_ = now + kInfoPeriod;
    }
    if (!life_.on()) return;
    if (mode_ == 'R' && hasTarget_ && sim_.distanceTo(targetLat_, targetLon_) <= arrivalRadius_) {
        mode_ = 'F';
        hasTarget_ = false;
        sim_.hold();
        arrivedAt_ = now;
        events_.append("arrived at " + QByteArray::number(targetLon_, 'f', 7) + ',' +
                       QByteArray::number(targetLat_, 'f', 7));
    }
    if (now >= nextInfoAt_) {
        out.append(info());
        // After a stall one report, not a burst.
        nextInfoAt_ =
            now - nextInfoAt_ > kInfoPeriod ? now + kInfoPeriod : nextInfoAt_ + kInfoPeriod;
    }
}

}  // namespace vboat
