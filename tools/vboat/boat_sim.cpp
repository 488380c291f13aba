#include "boat_sim.h"

#include <algorithm>
#include <cmath>

namespace vboat {

namespace {
constexpr double kMetresPerDegree = 111320.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxGpsError = 1.5;
constexpr double kBatteryFloor = 10.5;
constexpr double kBatteryFloorByHand = 6.5;

double uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}
}  // namespace

BoatSim::BoatSim(const SimOptions& options)
    : options_(options),
      rng_(options.seed),
      utc_(options.startUtc.isValid() ? options.startUtc.toUTC()
                                      : QDateTime::currentDateTimeUtc()) {
    utc_.setTime(QTime(utc_.time().hour(), utc_.time().minute(), utc_.time().second()));
    batteryAuto();
}

void BoatSim::restartGps() {
    gpsOnAt_ = clock_;
}

void BoatSim::setBatteryVolts(double volts) {
    batteryVolts_ = volts;
    batterySetAt_ = clock_;
    batterySetAtMetres_ = travelled_;
    batteryByHand_ = true;
}

void BoatSim::setBatteryDropPer100m(double volts) {
    // From what the battery shows now, so that the new drop does not reach into the past.
    setBatteryVolts(batteryVolts());
    batteryPer100m_ = volts;
}

void BoatSim::batteryAuto() {
    batteryVolts_ = options_.batteryStartVolts;
    batterySetAt_ = 0;
    batterySetAtMetres_ = 0;
    batteryPer100m_ = 0;
    batteryByHand_ = false;
}

double BoatSim::batteryVolts() const {
    const double volts = batteryVolts_ -
                         options_.batteryDropPerHour * (clock_ - batterySetAt_) / 3600.0 -
                         batteryPer100m_ * (travelled_ - batterySetAtMetres_) / 100.0;
    const double floor = batteryByHand_ ? kBatteryFloorByHand : kBatteryFloor;
    return std::max(floor, volts);
}

int BoatSim::batteryTenths() const {
    return static_cast<int>(std::lround(batteryVolts() * 10.0));
}

double BoatSim::localX(double longitude) const {
    return (longitude - options_.originLongitude) *
           (kMetresPerDegree * std::cos(options_.originLatitude * kPi / 180.0));
}

double BoatSim::localY(double latitude) const {
    return (latitude - options_.originLatitude) * kMetresPerDegree;
}

void BoatSim::geoToLocal(double latitude, double longitude, double& x, double& y) const {
    x = localX(longitude);
    y = localY(latitude);
}

void BoatSim::localToGeo(double x, double y, double& latitude, double& longitude) const {
    latitude = options_.originLatitude + y / kMetresPerDegree;
    longitude = options_.originLongitude +
                x / (kMetresPerDegree * std::cos(options_.originLatitude * kPi / 180.0));
}

double BoatSim::trueDepthAt(double latitude, double longitude) const {
    return lake_.depthAt(localX(longitude), localY(latitude));
}

SurveyPlan BoatSim::survey(double x, double y, double w, double h, double spacing, double speed) {
    const CoursePoint p = course_.current();
    SurveyPlan plan = planSurvey(x, y, w, h, spacing, p.x, p.y);
    course_.survey(plan.points, speed);
    return plan;
}

double BoatSim::distanceFromShore() const {
    const CoursePoint p = course_.current();
    return std::hypot(p.x, p.y);
}

double BoatSim::distanceTo(double latitude, double longitude) const {
    const CoursePoint p = course_.current();
    return std::hypot(localX(longitude) - p.x, localY(latitude) - p.y);
}

void BoatSim::steerTo(double latitude, double longitude) {
    course_.steerTo(localX(longitude), localY(latitude));
}

QByteArray BoatSim::nextFrame(double dt, const SonarSettings& settings) {
    return encodeFrame(nextFields(dt, settings));
}

FrameFields BoatSim::nextFields(double dt, const SonarSettings& settings) {
    dt = std::max(0.0, dt);
    clock_ += dt;
    utcFraction_ += dt;
    const int wholeSeconds = static_cast<int>(utcFraction_);
    utc_ = utc_.addSecs(wholeSeconds);
    utcFraction_ -= wholeSeconds;

    const CoursePoint was = course_.current();
    const CoursePoint p = course_.advance(dt);
    travelled_ += std::hypot(p.x - was.x, p.y - was.y);
    FrameFields f;
    sounder_.ping(lake_.depthAt(p.x, p.y), lake_.hardnessAt(p.x, p.y), dt, settings, rng_, f);

    // The compass heading wobbles a little around the course.
    double heading = p.headingDeg + uniform(rng_, -2.0, 2.0);
    if (heading < 0) heading += 360.0;
    if (heading >= 360.0) heading -= 360.0;
    const int tenths = static_cast<int>(std::lround(heading * 10.0)) % 3600;
    f.headingTenths = static_cast<quint16>(tenths == 0 ? 3600 : tenths);  // 0 would mean "none"

    const double sinceGpsOn = clock_ - gpsOnAt_;
    if (sinceGpsOn >= options_.gpsAcquireSeconds) {
        // Satellites come in one by one after the first fix, then drift between 8 and 11.
        const double settled = sinceGpsOn - options_.gpsAcquireSeconds;
        const int target = 9 + static_cast<int>(std::lround(1.5 * std::sin(clock_ / 47.0)));
        f.satellites =
            static_cast<quint8>(std::min<int>(target, 4 + static_cast<int>(settled / 2.0)));
        f.hdop100 = static_cast<quint16>(
            std::lround(std::clamp(900.0 / f.satellites + uniform(rng_, -8, 8), 70.0, 400.0)));
        gpsErrX_ =
            std::clamp(gpsErrX_ + uniform(rng_, -0.05, 0.05) * dt * 6, -kMaxGpsError, kMaxGpsError);
        gpsErrY_ =
            std::clamp(gpsErrY_ + uniform(rng_, -0.05, 0.05) * dt * 6, -kMaxGpsError, kMaxGpsError);
        double lat = 0;
        double lon = 0;
        localToGeo(p.x + gpsErrX_, p.y + gpsErrY_, lat, lon);
        f.latitudeDm = degreesToDm(lat);
        f.longitudeDm = degreesToDm(lon);
        f.speedTenths = static_cast<quint8>(
            std::lround(std::max(0.0, p.speed + uniform(rng_, -0.1, 0.1)) * 10));
        f.utc = packUtc(utc_);
    }
    if (satellitesOverride_ >= 0) f.satellites = static_cast<quint8>(satellitesOverride_);
    satellites_ = f.satellites;

    temperatureF_ = std::clamp(temperatureF_ + uniform(rng_, -0.02, 0.02) * dt, 58.0, 63.0);
    f.temperatureF = static_cast<quint8>(std::lround(temperatureF_));
    f.batteryTenths = static_cast<quint8>(batteryTenths());
    return f;
}

}  // namespace vboat
