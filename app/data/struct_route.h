#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One sample of a course: where the boat was and the depth under it.
struct StructRouteDetail {
    int latitude = 0;    // ddS32
    int longitude = 0;   // ddS32
    unsigned depth = 0;  // centimetres
    unsigned time = 0;   // packed local word of the sample, 0 unknown; not kept in a slot's file
};

// One course: the live one being recorded or one of the ten stored slots. A stored slot keeps
// only its header in memory; its points are read from its file when shown.
struct StructRoute {
    static QString emptyName() { return QStringLiteral("---------"); }

    unsigned startTime = 0;  // packed date-time word of the first sample
    unsigned endTime = 0;    // and of the last
    int distance = 0;        // metres
    QString name = emptyName();
    QList<StructRouteDetail> points;

    bool isEmpty() const { return name == emptyName(); }
};

Q_DECLARE_METATYPE(StructRouteDetail)
Q_DECLARE_METATYPE(QList<StructRouteDetail>)
