#pragma once

#include "data/struct_route.h"

#include <QString>
#include <QVector>

// The ten stored courses and the live one being recorded, with what the course screen does to
// them: save the live course into a slot, delete, rename, read a slot's points, and copy a
// slot's file to and from the SD card. Every change is written to the slot's file at once and
// the headers are read again from the files.
class CourseStore {
public:
    static constexpr int kSlots = 10;
    static constexpr const char* kSdFolder = "/mnt/sd/Korvel/Course/";

    CourseStore();

    // Reads the header of every slot file (the points only when shown).
    void loadHeaders();
    const StructRoute& slot(int n) const;
    const StructRoute& live() const { return m_live; }

    // A sample of the live course; beyond 5000 samples the oldest goes. The course length
    // grows by one sample step per sample.
    void appendPoint(int lon, int lat, unsigned time, unsigned depthCm, float sampleStep);
    bool liveIsEmpty() const { return m_live.points.isEmpty(); }

    // "Save Current": the live course into slot n, named by its start (0121-1759), written.
    bool saveCurrent(int n);
    // "Delete": the slot's count becomes 0 (its other keys stay).
    bool remove(int n);
    bool rename(int n, const QString& name);
    // "Show Route": the slot's points from its file.
    QList<StructRouteDetail> points(int n) const;

    // The slot's file copied to the card as "<name>.kwc"; a card file copied over the slot's
    // file. Both replace the target whole or leave it as it was.
    bool copyToSd(int n) const;
    bool readFromSd(int n, const QString& handsetFile);
    // A course read from another program's file into slot n, written; false when not written
    // (the slot then keeps what its file holds).
    bool importCourse(int n, const StructRoute& course);
    // The card file of slot n: the name with anything but the name alphabet made '-', so a
    // name read from a foreign file cannot lead out of the folder.
    QString sdFile(int n) const;

    // The real path of slot n's file.
    static QString filePath(int n);

private:
    bool valid(int n) const { return n >= 0 && n < kSlots; }

    QVector<StructRoute> m_slots;
    StructRoute m_live;
};
