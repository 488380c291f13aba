#pragma once

#include <QString>

// The autopilot's task mode as the navigation last acted on it. A mode is acted on once, at
// its change; the first look only takes the mode as it is. The caller looks only when it can
// act, so a change seen while it could not is still a change at the next look.
class ApModeWatch {
public:
    // True when mode differs from the one last acted on; *previous is then that one. The
    // mode becomes the one acted on.
    bool changed(const QString& mode, QString* previous);
    QString mode() const { return m_mode; }

private:
    bool m_started = false;
    QString m_mode;
};
