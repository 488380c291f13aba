#pragma once

#include <QMetaType>
#include <QString>

// One waypoint of the store. Positions are kept as the display texts the user typed or saw
// ("N  48°07.1233′", "E 011°34.5677′"); whoever needs numbers parses them (Convert).
struct StructWaypoint {
    // The values of an empty slot.
    static QString emptyName() { return QStringLiteral("---------"); }
    static QString emptyLatitude() { return QStringLiteral("N  00\u00b000.0000\u2032"); }
    static QString emptyLongitude() { return QStringLiteral("E 000\u00b000.0000\u2032"); }
    static QString emptyDate() { return QStringLiteral("00-00-00"); }
    static QString emptyTime() { return QStringLiteral("00:00:00"); }

    static constexpr int kNameChars = 9;  // what the editor and the import make

    QString sn = QStringLiteral("000");  // the slot, three digits
    int iconIndex = 0;                   // 0, 1 or 2: the map's target icons
    QString name = emptyName();          // up to 9 characters
    QString latitude = emptyLatitude();
    QString longitude = emptyLongitude();
    float depth = 0;             // metres
    QString date = emptyDate();  // "yy-MM-dd", year since 2000
    QString time = emptyTime();  // "hh:mm:ss"

    // An empty slot: the empty values with the slot's number.
    static StructWaypoint emptyAt(int slot);
    // The slot number as three digits ("012").
    static QString snOf(int slot);

    bool isEmpty() const { return name == emptyName(); }
    // The slot number that sn holds; -1 when it is not one.
    int slot() const;
};

Q_DECLARE_METATYPE(StructWaypoint)
