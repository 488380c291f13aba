#pragma once

#include "data/course_reader.h"
#include "data/struct_multi_target.h"
#include "data/struct_waypoint.h"
#include "navi/struct_kml_info.h"
#include "ui/kit/field_table.h"
#include "ui/kit/focus_ring.h"
#include "ui/kit/ux_key_widget.h"

class UxLineEditor;
class UxTitleBar;

// The course cruise: the points of a course file, shown with their count, the course length
// and the first point's distance from the boat, a preview of the course among the outlines,
// the wait at each point and whether the boat stops there ("Message when arrive"). The file
// is read through the reader it is given.
class UxSubMenuRouteAp : public UxKeyWidget {
    Q_OBJECT
public:
    enum EnumFocus { FocusMinutes, FocusSeconds, FocusCheck, FocusStart, FocusImport, FocusExit };
    static constexpr int kFocusCount = FocusExit + 1;
    // The autopilot runs a course of at most this many points.
    static constexpr int kMaxPoints = 100;

    explicit UxSubMenuRouteAp(QWidget* parent = nullptr);

    void setReader(const CourseReader& reader) { m_reader = reader; }
    void showRouteAp(const QString& file, QPoint boat, const QList<StructKmlInfo>& outlines);
    void readKmlFile(const QString& file);
    void refreshPreview();
    int getDelayTimeS() const;
    QList<StructWaypoint> getWaypointList() const { return m_course; }
    // Whether the last file could be read as KML (its course may still be empty).
    bool fileReadable() const { return m_readable; }
    bool chbox_isChecked() const { return m_stopAtPoints; }
    // The course's points as list targets, each with the wait.
    QList<StructMultiTarget> listTargets() const;

    int focus() const { return m_fields.focus(); }
    int zoom() const { return m_zoom; }
    // The four read-outs: file name, points, course length, first point to the boat.
    QStringList infoLines() const;
    UxLineEditor* timeEditor() const { return m_editor; }
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_routeAp_start();
    void signal_routeAp_exit();
    void signal_routeAp_tooMany();
    void signal_routeAp_import();

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void enter();
    void start(bool fromButton);
    void layOut();
    QRect previewRect() const;

    CourseReader m_reader;
    UxTitleBar* m_title = nullptr;
    UxLineEditor* m_editor = nullptr;
    QString m_file;
    bool m_readable = false;
    QList<StructWaypoint> m_course;
    QList<QPoint> m_points;  // the course, relative
    QList<StructKmlInfo> m_outlines;
    QPoint m_boat;
    StructWaitTime m_wait;
    bool m_stopAtPoints = false;
    FieldTable m_fields;
    int m_zoom = 1;
};
