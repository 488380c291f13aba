#pragma once

#include "echo_sounder.h"
#include "lake.h"
#include "sonar_frame.h"
#include "sonar_settings.h"

#include <QByteArray>
#include <QDateTime>

#include <random>

// The boat out on the lake as its sonar box sees it: where it is (GPS with fix quality,
// satellites and UTC time), where it heads and how fast, the bottom below it, the water
// temperature and its slowly emptying battery. Each call to nextFrame() is one ping.
namespace vboat {

struct SimOptions {
    quint32 seed = 1;
    QDateTime startUtc;              // invalid: the current time
    double gpsAcquireSeconds = 4;    // no fix for this long after power-up
    double originLatitude = 22.552;  // the shore point where the handset stands
    double originLongitude = 113.9408;
    double batteryStartVolts = 12.4;
    double batteryDropPerHour = 1.2;
};

class BoatSim {
public:
    explicit BoatSim(const SimOptions& options = SimOptions());

    // Advances the world by dt seconds and returns the frame the sonar box sends.
    QByteArray nextFrame(double dt, const SonarSettings& settings);
    // The same frame's fields, for a sender that spoils some of them first.
    FrameFields nextFields(double dt, const SonarSettings& settings);
    // The GPS receiver starts again (the boat was switched off and on).
    void restartGps();

    // True position in local metres (x east, y north from the shore point).
    CoursePoint position() const { return course_.current(); }
    // Metres from the shore point, where the handset stands.
    double distanceFromShore() const;
    // Metres from the boat to a point given in degrees.
    double distanceTo(double latitude, double longitude) const;
    // Degrees to local metres and back, the way the boat's own position is given in degrees.
    void geoToLocal(double latitude, double longitude, double& x, double& y) const;
    void localToGeo(double x, double y, double& latitude, double& longitude) const;
    // The lake's depth in metres at a point given in degrees (what the sonar would see there,
    // without its noise).
    double trueDepthAt(double latitude, double longitude) const;
    // Satellites in the last frame (0: no fix).
    int satellites() const { return satellites_; }
    // Satellites the GPS reports whatever the sky gives (-1: as the sky gives); the position
    // goes on as before, so a handset can be shown a poor fix at a known place.
    void setSatellitesOverride(int count) { satellitesOverride_ = count; }

    // The battery is at volts now and empties from there as before. Once set by hand (here or
    // with a distance drop) it may sink to 6.5 V rather than 10.5 V, so that a handset's
    // low-battery warnings can be reached.
    void setBatteryVolts(double volts);
    // On top of the time, the battery loses volts for every 100 m the boat travels (0: none).
    void setBatteryDropPer100m(double volts);
    // The start voltage and the drop with time since the start again, no distance drop.
    void batteryAuto();
    // The battery in tenths of a volt, as the frames report it.
    int batteryTenths() const;
    // Metres the boat's true position has moved since the start (the sum of its steps).
    double travelled() const { return travelled_; }

    // The autopilot's hold on the boat: straight to a point given in degrees, stop where it
    // is, or hand the boat back to the remote control's run.
    void steerTo(double latitude, double longitude);
    void hold() { course_.hold(); }
    void cruise() { course_.cruise(); }
    // A lawnmower survey of [x, x + w] x [y, y + h] in local metres, lines at most spacing
    // apart (planSurvey), from the corner nearest the boat, at speed metres per second (0: the
    // usual speed); then the boat holds at the last corner. Returns the plan it drives.
    SurveyPlan survey(double x, double y, double w, double h, double spacing, double speed = 0);
    SurveyProgress surveyProgress() const { return course_.surveyProgress(); }

private:
    SimOptions options_;
    std::mt19937 rng_;
    Lake lake_;
    BoatCourse course_;
    EchoSounder sounder_;
    QDateTime utc_;
    double clock_ = 0;    // seconds since the simulation started
    double gpsOnAt_ = 0;  // when the GPS receiver was last started
    int satellitesOverride_ = -1;
    double utcFraction_ = 0;
    double gpsErrX_ = 0;  // slowly wandering GPS position error, metres
    double gpsErrY_ = 0;
    double temperatureF_ = 60.8;
    int satellites_ = 0;
    double travelled_ = 0;
    // The battery's volts at a moment (clock and travelled), emptying from there.
    double batteryVolts_ = 0;
    double batterySetAt_ = 0;
    double batterySetAtMetres_ = 0;
    double batteryPer100m_ = 0;
    bool batteryByHand_ = false;

    // The battery's volts now, at least the floor.
    double batteryVolts() const;
    // Degrees to local metres from the shore point.
    double localX(double longitude) const;
    double localY(double latitude) const;
};

}  // namespace vboat
