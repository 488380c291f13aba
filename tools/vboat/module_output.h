#pragma once

#include <QByteArray>
#include <QList>

// What the radio module holds for the handset and how it clocks it out over SPI.
//
// The module presents one message at a time (a message is one or more packets that belong
// together, with any line noise in front). While the presented message has bytes left the
// receive-ready line is high; once its last byte has been read the line drops, and the next
// message is presented only after the chip select has gone high again, so one transfer
// (chip select low ... high) never carries the end of one message and the start of another.
// A transfer that stops early leaves the rest for the next one. Reads past the end of the
// message, and reads while the chip select is high, give the idle filler.
namespace vboat {

class ModuleOutput {
public:
    static constexpr char kIdleFiller = '\0';
    static constexpr int kMaxQueued = 16;

    // Queues a message. When the queue is full the oldest droppable message (a sonar frame)
    // goes first, else the oldest of all.
    void push(const QByteArray& message, bool droppable);
    QByteArray read(int count);
    void setChipSelect(bool high);
    bool chipSelect() const { return chipSelectHigh_; }
    bool ready() const;
    // Forgets everything (the module powers up with a new handset).
    void clear();

    int queued() const { return queue_.size(); }
    int dropped() const { return dropped_; }
    int readsWhileDeselected() const { return readsDeselected_; }

private:
    void present();

    struct Entry {
        QByteArray bytes;
        bool droppable = false;
    };
    QList<Entry> queue_;
    QByteArray current_;
    int offset_ = 0;
    bool chipSelectHigh_ = true;
    int dropped_ = 0;
    int readsDeselected_ = 0;
};

}  // namespace vboat
