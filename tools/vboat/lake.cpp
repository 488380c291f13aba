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

double surveyLineCount(double h, double spacing) {
    // Both edges carry a line (two at least); the lines between are as far apart as they may be
    // (the small allowance keeps a depth that is a whole number of spacings from getting an extra
    // line).
    return std::max(2.0, std::ceil(h / spacing - 1e-9) + 1.0);
}

SurveyPlan planSurvey(double x, double y, double w, double h, double spacing, double fromX,
                      double fromY) {
    SurveyPlan plan;
    if (!(w > 0 && h > 0 && spacing > 0)) return plan;
    plan.lines = static_cast<int>(surveyLineCount(h, spacing));
    plan.lengthM = plan.lines * w + h;  // the joins between the lines add up to the depth
    // Start at the nearest corner: the lines run from there across and away from it.
    const bool fromEast = std::fabs(fromX - (x + w)) < std::fabs(fromX - x);
    const bool fromNorth = std::fabs(fromY - (y + h)) < std::fabs(fromY - y);
    const double step = h / (plan.lines - 1);
    for (int i = 0; i < plan.lines; ++i) {
        CoursePoint a;
        a.y = fromNorth ? y + h - i * step : y + i * step;
        a.x = (i % 2 == 0) == fromEast ? x + w : x;
        CoursePoint b = a;
        b.x = a.x == x ? x + w : x;
        plan.points.push_back(a);
        plan.points.push_back(b);
    }
    return plan;
}

bool BoatCourse::moveToward(double x, double y, double& step) {
    const double dx = x - free_.x;
    const double dy = y - free_.y;
    const double left = std::hypot(dx, dy);
    if (left > 0) {
        const double heading = std::atan2(dx, dy) * 180.0 / kPi;
        free_.headingDeg = heading < 0 ? heading + 360.0 : heading;
    }
    if (left <= step) {
        free_.x = x;
        free_.y = y;
        step -= left;
        return true;
    }
    free_.x += dx / left * step;
    free_.y += dy / left * step;
    step = 0;
    return false;
}

CoursePoint BoatCourse::advance(double dt) {
    const CoursePoint here = current();
    time_ += dt;
    if (leg_ == Leg::Hold) return current();
    if (leg_ == Leg::Survey) {
        // A step that reaches a corner goes on along the next line.
        double step = here.speed * dt;
        while (surveyNext_ < survey_.size() && step > 0) {
            if (moveToward(survey_[surveyNext_].x, survey_[surveyNext_].y, step)) ++surveyNext_;
        }
        if (surveyNext_ >= survey_.size()) {
            leg_ = Leg::Hold;
            surveyDone_ = true;
        }
        return current();
    }
    if (leg_ != Leg::Ellipse) {
        double step = here.speed * dt;
        if (moveToward(targetX_, targetY_, step))
            leg_ = leg_ == Leg::Steer ? Leg::Hold : Leg::Ellipse;
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
    p.speed = leg_ == Leg::Hold                         ? 0.0
              : leg_ == Leg::Survey && surveySpeed_ > 0 ? surveySpeed_
                                                        : 1.3 + 0.3 * std::sin(time_ / 40.0);
    return p;
}

SurveyProgress BoatCourse::surveyProgress() const {
    SurveyProgress p;
    if (leg_ != Leg::Survey && !surveyDone_) return p;
    p.lines = static_cast<int>(survey_.size() / 2);
    p.line = std::min(p.lines, static_cast<int>(surveyNext_ / 2) + 1);
    p.done = surveyDone_;
    return p;
}

void BoatCourse::survey(const std::vector<CoursePoint>& points, double speed) {
    leaveEllipse();
    leg_ = points.empty() ? Leg::Hold : Leg::Survey;
    survey_ = points;
    surveyNext_ = 0;
    surveySpeed_ = speed;
    surveyDone_ = points.empty();
}

void BoatCourse::leaveEllipse() {
    if (leg_ == Leg::Ellipse) free_ = onEllipseAt(angle_);
}

void BoatCourse::steerTo(double x, double y) {
    leaveEllipse();
    surveyDone_ = false;
    leg_ = Leg::Steer;
    targetX_ = x;
    targetY_ = y;
}

void BoatCourse::hold() {
    leaveEllipse();
    surveyDone_ = false;
    leg_ = Leg::Hold;
}

void BoatCourse::cruise() {
    surveyDone_ = false;
    if (leg_ == Leg::Ellipse) return;
    const CoursePoint back = onEllipseAt(angle_);
    leg_ = Leg::Return;
    targetX_ = back.x;
    targetY_ = back.y;
}

}  // namespace vboat
