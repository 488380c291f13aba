#pragma once

#include <QStringList>

// The start-up check of the modules that answer: the radio module, the sonar box, the GPS,
// the autopilot and the handset's compass. One step per main tick for the first 60 ticks: the
// dialog comes up, every third tick the modules that have answered are marked and the boat is
// asked for its report again, at tick 30 (or as soon as all five answered) the rest are marked
// failed, and at tick 60 the dialog goes.
class ModuleCheck {
public:
    // The rows of the check dialog, in this order.
    static QStringList rows() { return {"compass", "radio", "sonar", "gps", "ap"}; }

    struct StructAnswered {
        bool compass = false;
        bool radio = false;
        bool sonar = false;
        bool gps = false;
        bool ap = false;
        bool all() const { return compass && radio && sonar && gps && ap; }
        bool row(int i) const;
    };

    // What one tick asks of the controller.
    struct StructStep {
        bool showDialog = false;    // (again) on screen
        bool markAnswered = false;  // mark the rows that answered "OK"
        bool askReport = false;     // ask the boat for its system report
        bool verdict = false;       // mark the silent rows "Fail", offer the button
        bool hideDialog = false;
    };

    StructStep step(const StructAnswered& answered);
    bool running() const { return m_count < 60; }
    int count() const { return m_count; }

private:
    int m_count = 0;
};
