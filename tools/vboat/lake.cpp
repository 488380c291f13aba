#include "lake.h"

#include <algorithm>
#include <cmath>

namespace vboat {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kCentreY = 100.0;
constexpr double kAxisX = 80.0;
constexpr double kAxisY = 60.0;

double bump(double x, double y, double cx, double cy, double radius) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return std::exp(-d2 / (2.0 * radius * radius));
}

double smoothstep(double edge0, double edge1, double v) {
    const double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}
}  // namespace

double Lake::depthAt(double x, double y) const {
    double d = 0.8 + 0.045 * std::max(0.0, y);
    d += 4.0 * smoothstep(125.0, 150.0, y);    // drop-off into the old river bed
    d -= 3.0 * bump(x, y, 78.0, 113.0, 14.0);  // hump
    d += 2.5 * bump(x, y, -75.0, 78.0, 11.0);  // hole
    d += 0.15 * std::sin(x / 7.0) * std::cos(y / 11.0);
    return std::clamp(d, 0.6, 30.0);
}

double Lake::hardnessAt(double x, double y) const {
    // Rocky on the hump, soft mud in the hole and the river bed, sand elsewhere.
    double h = 0.45 + 0.5 * bump(x, y, 78.0, 113.0, 14.0) - 0.3 * bump(x, y, -75.0, 78.0, 11.0);
    h -= 0.2 * smoothstep(125.0, 150.0, y);
    return std::clamp(h, 0.0, 1.0);
}

CoursePoint BoatCourse::advance(double dt) {
    const CoursePoint here = current();
    time_ += dt;
    if (leg_ == Leg::Hold) return current();
    if (leg_ != Leg::Ellipse) {
        const double dx = targetX_ - free_.x;
        const double dy = targetY_ - free_.y;
        const double left = std::hypot(dx, dy);
        const double step = here.speed * dt;
        if (left <= step) {
            free_.x = targetX_;
            free_.y = targetY_;
            leg_ = leg_ == Leg::Steer ? Leg::Hold : Leg::Ellipse;
        } else {
            free_.x += dx / left * step;
            free_.y += dy / left * step;
            double heading = std::atan2(dx, dy) * 180.0 / kPi;
            free_.headingDeg = heading < 0 ? heading + 360.0 : heading;
        }
        return current();
    }
    // Arc length per radian on the ellipse at this angle.
    const double dx = kAxisX * std::cos(angle_);
    const double dy = kAxisY * std::sin(angle_);
    const double perRadian = std::max(1.0, std::hypot(dx, dy));
    angle_ += here.speed * dt / perRadian;
    if (angle_ > 2.0 * kPi) angle_ -= 2.0 * kPi;
    return current();
}

CoursePoint BoatCourse::onEllipseAt(double angle) const {
    CoursePoint p;
    // Clockwise seen from above, starting at (0, centre - axisY), heading west first.
    p.x = -kAxisX * std::sin(angle);
    p.y = kCentreY - kAxisY * std::cos(angle);
    const double vx = -kAxisX * std::cos(angle);
    const double vy = kAxisY * std::sin(angle);
    double heading = std::atan2(vx, vy) * 180.0 / kPi;
    if (heading < 0) heading += 360.0;
    p.headingDeg = heading;
    return p;
}

CoursePoint BoatCourse::current() const {
    CoursePoint p = leg_ == Leg::Ellipse ? onEllipseAt(angle_) : free_;
    p.speed = leg_ == Leg::Hold ? 0.0 : 1.3 + 0.3 * std::sin(time_ / 40.0);
    return p;
}

void BoatCourse::leaveEllipse() {
    if (leg_ == Leg::Ellipse) free_ = onEllipseAt(angle_);
}

void BoatCourse::steerTo(double x, double y) {
    leaveEllipse();
    leg_ = Leg::Steer;
    targetX_ = x;
    targetY_ = y;
}

void BoatCourse::hold() {
    leaveEllipse();
    leg_ = Leg::Hold;
}

void BoatCourse::cruise() {
    if (leg_ == Leg::Ellipse) return;
    const CoursePoint back = onEllipseAt(angle_);
    leg_ = Leg::Return;
    targetX_ = back.x;
    targetY_ = back.y;
}

}  // namespace vboat
