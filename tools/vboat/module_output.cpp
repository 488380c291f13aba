#include "module_output.h"

namespace vboat {

void ModuleOutput::push(const QByteArray& message, bool droppable) {
    if (message.isEmpty()) return;
    if (queue_.size() >= kMaxQueued) {
        int victim = 0;
        for (int i = 0; i < queue_.size(); ++i) {
            if (queue_[i].droppable) {
                victim = i;
                break;
            }
        }
        queue_.removeAt(victim);
        ++dropped_;
    }
    queue_.append({message, droppable});
    present();
}

QByteArray ModuleOutput::read(int count) {
    QByteArray out;
    if (count <= 0) return out;
    if (chipSelectHigh_) {
        ++readsDeselected_;
        return QByteArray(count, kIdleFiller);
    }
    out = current_.mid(offset_, count);
    offset_ += out.size();
    if (out.size() < count) out.append(QByteArray(count - out.size(), kIdleFiller));
    return out;
}

void ModuleOutput::setChipSelect(bool high) {
    chipSelectHigh_ = high;
    present();
}

bool ModuleOutput::ready() const {
    return offset_ < current_.size();
}

void ModuleOutput::clear() {
    queue_.clear();
    current_.clear();
    offset_ = 0;
    chipSelectHigh_ = true;
}

void ModuleOutput::present() {
    if (offset_ < current_.size() || !chipSelectHigh_ || queue_.isEmpty()) return;
    current_ = queue_.takeFirst().bytes;
    offset_ = 0;
}

}  // namespace vboat
