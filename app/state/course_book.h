#pragma once

#include "data/course_store.h"

#include <QObject>

// The program's courses: the ten stored ones, their files, and the live course being recorded.
// The course screen reads it and repaints on changed(); it keeps only which slot is selected.
//
// A slot's file that could not be written (saving the live course, deleting, renaming) is
// reported with saveFailed(); the slot then shows what its file holds.
class CourseBook : public QObject {
    Q_OBJECT
public:
    explicit CourseBook(QObject* parent = nullptr);

    const CourseStore& store() const { return m_store; }
    const StructRoute& slot(int n) const { return m_store.slot(n); }
    bool liveIsEmpty() const { return m_store.liveIsEmpty(); }
    const StructRoute& live() const { return m_store.live(); }

    // The header of every slot's file.
    void loadHeaders();
    // A sample of the live course (sampleStep: the configured distance between samples, m).
    void appendPoint(int lon, int lat, unsigned time, unsigned depthCm, float sampleStep);

    // The live course into slot n's file; deleting; renaming. False when not written.
    bool saveCurrent(int n);
    bool remove(int n);
    bool rename(int n, const QString& name);
    QList<StructRouteDetail> points(int n) const { return m_store.points(n); }

    // Copies to and from the SD card; false when the copy was not made.
    bool copyToSd(int n) const { return m_store.copyToSd(n); }
    bool readFromSd(int n, const QString& handsetFile);
    bool importCourse(int n, const StructRoute& course) {
        return written(n, m_store.importCourse(n, course));
    }

signals:
    // Slot n's header may have changed; -1: every slot's was read.
    void changed(int slot);
    void saveFailed();

private:
    bool written(int n, bool ok);

    CourseStore m_store;
};
