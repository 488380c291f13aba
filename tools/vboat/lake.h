#pragma once

#include <cstddef>
#include <vector>

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

// A lawnmower survey of the rectangle [x, x + w] x [y, y + h]: east-west lines at most spacing
// apart, the first and the last on the rectangle's south and north edges, driven alternately
// east and west from the corner nearest (fromX, fromY), each line joined to the next along the
// rectangle's side. Built only for w, h and spacing above 0 (otherwise no lines).
struct SurveyPlan {
    int lines = 0;
    double lengthM = 0;               // from the first corner to the last (not the way there)
    std::vector<CoursePoint> points;  // the two ends of each line, in driving order
};
SurveyPlan planSurvey(double x, double y, double w, double h, double spacing, double fromX,
                      double fromY);
// The lines planSurvey() makes for a rectangle h metres deep (a double, so that an absurd
// request can be refused before anything is built).
double surveyLineCount(double h, double spacing);

struct SurveyProgress {
    int line = 0;  // the line (from 1) the boat drives or heads for; 0: no survey under way
    int lines = 0;
    bool done = false;  // driven to its end, the boat holds at its last corner
};

// The boat's run: an ellipse out on the lake, driven clockwise by remote control at a bait
// boat's speed (about 1.3 m/s, slowly varying), starting at the point nearest the shore. The
// autopilot can take over: straight to a point, or holding where the boat is; handed back, the
// boat returns to where it left the ellipse and goes on around it. A survey drives a list of
// points in turn, then holds at the last one.
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
    // Along the points in turn (the ends of a SurveyPlan's lines), at speed metres per second
    // (0: the usual speed), then holding at the last one.
    void survey(const std::vector<CoursePoint>& points, double speed);
    SurveyProgress surveyProgress() const;
    bool onEllipse() const { return leg_ == Leg::Ellipse; }

private:
    enum class Leg { Ellipse, Steer, Hold, Return, Survey };
    CoursePoint onEllipseAt(double angle) const;
    void leaveEllipse();
    // Moves the free boat straight towards (x, y), at most step metres; true when it is there,
    // step then the metres left over (0 otherwise).
    bool moveToward(double x, double y, double& step);

    double angle_ = 0;  // radians along the ellipse, 0 at the shore side
    double time_ = 0;
    Leg leg_ = Leg::Ellipse;
    CoursePoint free_;  // where the boat is while off the ellipse
    double targetX_ = 0;
    double targetY_ = 0;
    std::vector<CoursePoint> survey_;  // the points of the survey in hand
    std::size_t surveyNext_ = 0;       // the point the boat heads for
    double surveySpeed_ = 0;
    bool surveyDone_ = false;
};

}  // namespace vboat
