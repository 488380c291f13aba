#pragma once

// A small lake in local metres: x east, y north, the origin on the shore where the handset
// stands. The bottom slopes away from the shore and carries a few features an angler looks
// for: a hump, a hole, a drop-off into the old river bed and some ripples.
namespace vboat {

class Lake {
public:
    // Bottom depth in metres, never shallower than 0.6 m.
    double depthAt(double x, double y) const;
    // Bottom hardness 0 (mud) to 1 (rock): decides how thick the bottom echo is.
    double hardnessAt(double x, double y) const;
};

struct CoursePoint {
    double x = 0;
    double y = 0;
    double headingDeg = 0;  // 0 north, clockwise
    double speed = 0;       // metres per second
};

// The boat's run: an ellipse out on the lake, driven clockwise by remote control at a bait
// boat's speed (about 1.3 m/s, slowly varying), starting at the point nearest the shore. The
// autopilot can take over: straight to a point, or holding where the boat is; handed back, the
// boat returns to where it left the ellipse and goes on around it.
class BoatCourse {
public:
    // Advances the boat by dt seconds and returns where it is.
    CoursePoint advance(double dt);
    CoursePoint current() const;

    // Straight to (x, y), then holding there.
    void steerTo(double x, double y);
    void hold();
    // Back to the ellipse (a no-op while on it).
    void cruise();
    bool onEllipse() const { return leg_ == Leg::Ellipse; }

private:
    enum class Leg { Ellipse, Steer, Hold, Return };
    CoursePoint onEllipseAt(double angle) const;
    void leaveEllipse();

    double angle_ = 0;  // radians along the ellipse, 0 at the shore side
    double time_ = 0;
    Leg leg_ = Leg::Ellipse;
    CoursePoint free_;  // where the boat is while off the ellipse
    double targetX_ = 0;
    double targetY_ = 0;
};

}  // namespace vboat
