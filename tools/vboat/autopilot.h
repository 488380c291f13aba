#pragma once

#include "boat_sim.h"
#include "module_life.h"

#include <QByteArray>
#include <QList>

// The boat's autopilot, reached on channel 0xC2. It speaks sentences "$HM", type, ",", fields
// separated by ",", then ",*" and the two upper-case hexadecimal digits of the XOR of every
// character between the '$' and the '*', and ends what it sends with CR LF; during a firmware
// update it speaks KBoot packets on the same channel.
//
// It announces itself with "$HMPWR,*hh" once it has booted and reports
// "$HMINF,satellites,heading,mode,rc,distance,*hh" once a second (mode: the task mode letter,
// rc: the remote control's state "A" or "V", distance: whole metres to the target while a
// task runs, else empty). It acknowledges "$HMPRA" and "$HMHCK" with "$HMACK,A,*hh", takes
// "$HMCTL,RUN,lon,lat" (mode "R", the boat heads for the point; "F" on arrival, within the
// arrival radius of the last "$HMPRA", 2 m before any) and "$HMCTL,STOP,," (mode "S", the boat
// stops), and restarts into its 48-byte-block firmware loader on "$HMRST".
//
// A task's course is told as events for the trace: each arrival with where the boat stopped,
// and how long it held at a reached point before the next "RUN" (the handset's wait between
// two legs) or before a stop ended the wait.
namespace vboat {

struct ApStats {
    int sentencesTaken = 0;
    int sentencesRefused = 0;  // checksum missing or wrong
    int acksSent = 0;
    QByteArray lastParameters;  // the last "$HMPRA" taken
};

class Autopilot {
public:
    static constexpr int kBlockSize = 48;
    static constexpr quint16 kVersion = 100;  // 1.00

    explicit Autopilot(BoatSim& sim) : sim_(sim) {}

    void powerOn(double now) { life_.powerOn(now); }
    void powerOff() { life_.powerOff(); }
    ModuleLife& life() { return life_; }
    const ModuleLife& life() const { return life_; }

    // One message of the handset on channel 0xC2: a sentence, or a KBoot packet for the loader.
    // What the autopilot answers is appended to replies (sentences or KBoot packets).
    void receive(const QByteArray& message, double now, QList<QByteArray>& replies);
    // Moves time on; what the autopilot says unasked is appended to out.
    void tick(double now, QList<QByteArray>& out);

    // "$HMACK,A" or nothing.
    void setAcknowledging(bool on) { acknowledging_ = on; }
    bool acknowledging() const { return acknowledging_; }
    char taskMode() const { return mode_; }
    // A mode forced from outside: "M" hands the boat back to the remote control, any other
    // letter but "R" stops it where it is.
    void setTaskMode(char mode);
    char rcState() const { return rc_; }
    void setRcState(char state) { rc_ = state; }
    ApStats stats() const { return stats_; }
    // The events since the last call ("arrived at 22.5521000,113.9408000", "held 5.0 s at
    // the point, then RUN"), oldest first.
    QList<QByteArray> takeEvents();
    // Seconds the boat has held at the point it reached last (-1: it is not holding there).
    double heldFor(double now) const;

    // body + ",*" + checksum.
    static QByteArray seal(const QByteArray& body);
    // True when the two characters after the first '*' are the sentence's checksum.
    static bool checksumOk(const QByteArray& sentence);

private:
    void onSentence(const QByteArray& sentence, double now, QList<QByteArray>& replies);
    // The hold at a reached point ends with what the handset sent (RUN, STOP).
    void endHold(const QByteArray& by, double now);
    QByteArray info() const;

    BoatSim& sim_;
    ModuleLife life_{kBlockSize, kVersion};
    bool acknowledging_ = true;
    char mode_ = 'M';
    char rc_ = 'A';
    bool hasTarget_ = false;
    double targetLat_ = 0;
    double targetLon_ = 0;
    double arrivalRadius_ = 2.0;
    double nextInfoAt_ = 0;
    double arrivedAt_ = -1;  // when the last task reached its point, while the boat holds there
    QList<QByteArray> events_;
    ApStats stats_;
};

}  // namespace vboat
