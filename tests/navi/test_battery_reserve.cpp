// The battery reserve driven as the controller does: a sample a second, the boat going out from
// home at 1.5 m/s and waiting there 60 s, its voltage falling with the distance, jittering 0.05 V.
#include "navi/battery_reserve.h"
#include "navi/depth_grid.h"

#include <QtTest>
#include <cmath>

namespace {
enum class Twist { None, NoHome, Off, StartSag, NoVolts, Wander };
struct StructTrip {
    float voltsPer100m, outMetres, startVolts, riseVolts;  // the rise: for the last 30 s
    Twist twist;
    EnumReserveStage stage;
    bool learnt;
    float neededVolts;
};
const GeoPoint kHome{Latitude(225520000), Longitude(1139408000)};
}  // namespace
Q_DECLARE_METATYPE(StructTrip)

class TestBatteryReserve : public QObject {
    Q_OBJECT
private slots:
    void stage_data() {
        QTest::addColumn<StructTrip>("trip");
        const auto row = [](const char* name, StructTrip trip) { QTest::newRow(name) << trip; };
        using S = EnumReserveStage;
        using T = Twist;
        row("well charged", {0.1f, 400, 12.6f, 0, T::None, S::None, true, 0.39f});
        row("reserve reached", {0.1f, 400, 11.6f, 0, T::None, S::ReturnSoon, true, 0.39f});
        row("under the now level", {0.1f, 400, 11.3f, 0, T::None, S::ReturnNow, true, 0.39f});
        row("short trip, tiny use", {0.01f, 150, 12.6f, 0, T::None, S::None, false, 0.225f});
        row("no home", {0.1f, 400, 11.3f, 0, T::NoHome, S::None, true, 0});
        row("off", {0.1f, 400, 11.3f, 0, T::Off, S::None, true, 0.39f});
        row("sag at the start", {0.1f, 30, 11.2f, 0, T::StartSag, S::None, false, 0.045f});
        row("now, at rest 0.2 V back",
            {0.1f, 400, 11.3f, 0.2f, T::None, S::ReturnNow, true, 0.19f});
        row("now, battery changed: learnt anew",
            {0.1f, 400, 11.3f, 1, T::None, S::None, false, 0.6f});
        row("no voltage", {0.1f, 400, 11.3f, 0, T::NoVolts, S::None, false, 0.6f});
        row("2 m of wander at home", {0.1f, 0, 12.6f, 0, T::Wander, S::None, false, 0});
    }
    void stage() {
        QFETCH(StructTrip, trip);
        BatteryReserve reserve;
        StructReserveEstimate e;
        const int rested = int(std::ceil(trip.outMetres / 1.5f)) + 30;
        for (int t = 0; t < rested + 30; ++t) {
            if (t == rested && trip.riseVolts > 0) QCOMPARE(e.stage, EnumReserveStage::ReturnNow);
            const float metres = std::min(t * 1.5f, trip.outMetres);
            float volts = trip.startVolts - trip.voltsPer100m * metres / 100 +
                          (t % 2 ? 0.05f : -0.05f) + (t >= rested ? trip.riseVolts : 0);
            if (trip.twist == Twist::StartSag && t == 0) volts -= 0.6f;  // the motors starting
            if (trip.twist == Twist::NoVolts) volts = 0;
            const float wander = trip.twist == Twist::Wander && t > 0 ? (t % 2 ? 2 : -2) : 0;
            const double lat = kHome.lat() + (metres + wander) / DepthGrid::kMetresPerDegree * 1e7;
            const GeoPoint boat(Latitude(int(std::lround(lat))), Longitude(kHome.lon()));
            const GeoPoint home = trip.twist == Twist::NoHome ? GeoPoint() : kHome;
            e = reserve.take({volts, boat, home, t * 1000LL}, {trip.twist != Twist::Off});
        }
        QCOMPARE(e.stage, trip.stage);
        QCOMPARE(e.learnt, trip.learnt);
        QVERIFY2(std::abs(e.neededVolts - trip.neededVolts) < 0.02f,
                 qPrintable(QString::number(e.neededVolts)));
        QVERIFY2(std::abs(e.travelledMetres - trip.outMetres) < BatteryReserve::kStepMetres,
                 qPrintable(QString::number(e.travelledMetres)));
    }
};

QTEST_MAIN(TestBatteryReserve)
#include "test_battery_reserve.moc"
