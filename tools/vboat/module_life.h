#pragma once

#include "kboot_loader.h"

#include <QByteArray>
#include <QList>

// The power cycle of one module of the boat (the sonar box, the autopilot): after power-on it
// boots for half a second, then runs its application. A reset puts it into its firmware
// loader, which waits a second for the handset (three once the handset has spoken to it) and
// hands over to the application, booting again, when nobody speaks to it or shortly after it
// has reported the result of a transfer. A successful flash of an image with a version tail
// (update_file.h) gives the module that version.
namespace vboat {

class ModuleLife {
public:
    enum class State { Off, Booting, On, Loader };

    ModuleLife(int blockSize, quint16 version) : loader_(blockSize), version_(version) {}

    State state() const { return state_; }
    bool on() const { return state_ == State::On; }
    bool inLoader() const { return state_ == State::Loader; }
    void powerOn(double now);
    void powerOff() { state_ = State::Off; }
    void enterLoader(double now);
    // A KBoot packet of the handset, taken by the loader; returns its answers.
    QList<QByteArray> toLoader(const QByteArray& packet, double now);
    // Moves time on; true once when the application has come up (the module announces itself).
    bool tick(double now);

    quint16 version() const { return version_; }
    void setVersion(quint16 version) { version_ = version; }
    KBootLoader& loader() { return loader_; }
    const KBootLoader& loader() const { return loader_; }

private:
    KBootLoader loader_;
    quint16 version_;
    State state_ = State::Off;
    double upAt_ = 0;     // when the boot ends
    double last_ = 0;     // the loader's last packet from the handset
    double exitAt_ = -1;  // when the loader hands over to the application
};

}  // namespace vboat
