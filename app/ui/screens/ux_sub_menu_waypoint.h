#pragma once

#include "data/waypoint_store.h"
#include "ui/kit/ux_key_widget.h"
#include "ui/screens/waypoint_info.h"

#include <QTimer>

class UxSmallMenu;
class UxTitleBar;
class UxWaypointDetail;

// The waypoint screen: the list of the 500 slots with the selected one's date, time, distance
// and course from the boat and the home position under it, the operation menu, and the editor.
// Other screens pick a waypoint through it (selection mode: a non-empty title). Every change
// is written to the waypoint file at once.
class UxSubMenuWaypoint : public UxKeyWidget {
    Q_OBJECT
public:
    static constexpr int kVisibleRows = 6;
    // The rows of the operation menu, by row number.
    enum EnumOperation {
        OpDetail,
        OpDelete,
        OpGoTo,
        OpSetAsTarget,
        OpNew,
        OpExportCsv,
        OpExportKml,
        OpImport
    };

    // parent: the screen (the view); the editor and the pop-ups stand on it too.
    explicit UxSubMenuWaypoint(QWidget* parent = nullptr);

    // Page 1..5 from the waypoint file; other pages do nothing.
    void loadWaypointArray(int page);
    // The current slot; first..last (wrapping past 499). False when the file was not written.
    bool saveWaypointArray();
    bool saveWaypointArray(int first, int last);
    StructWaypoint getWaypoint(int slot) const { return m_store.at(slot); }

    // title: empty for normal use, the asking screen's key ("goBack", "multiTarget") to pick.
    void showWaypoint(const QString& title);
    void clearFlag_waypointSelect() { m_selectTitle.clear(); }
    QString selectTitle() const { return m_selectTitle; }

    // The editor on a new waypoint: slot -1 is the first empty slot; without a slot, the
    // current one.
    void newWaypointDetail(int slot, unsigned time, int lon, int lat, float depth);
    void newWaypointDetail(unsigned time, int lon, int lat, float depth);
    // The editor on the current slot.
    void showWaypointDetail();
    void deleteWaypointArray();
    void importWaypoint(int slot, unsigned time, const QString& name, int lon, int lat);
    bool allSelectedIdxIsEmpty(int count) { return m_store.allSelectedIdxIsEmpty(count); }
    void getImportIdx(int& first, int& last) const { m_store.getImportIdx(first, last); }

    // The map's boat point after each position update; home's texts when it is set.
    void setCurrentBoatPoint(QPoint point);
    void setCurrentHomePos(const QString& latitude, const QString& longitude);

    int currentSlot() const { return m_store.current(); }
    void setCurrentSlot(int slot);
    int topRow() const { return m_top; }
    const WaypointStore& store() const { return m_store; }
    StructWaypointInfo info() const { return m_info; }
    UxWaypointDetail* detail() const { return m_detail; }
    UxSmallMenu* operationMenu() const { return m_menu; }
    // The widgets that stand over the main screen while shown.
    QVector<QWidget*> popups() const;
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_itemClick_waypoint(QString title, StructWaypoint waypoint);
    void signal_goToTarget(StructWaypoint waypoint);
    void signal_setAsTarget(StructWaypoint waypoint);
    void signal_quickGoToTarget(StructWaypoint waypoint);
    void signal_needNewWaypoint();
    void signal_exportCsv();
    void signal_exportKml();
    void signal_importKml();
    // The waypoint file could not be written; what was not written goes with the next change.
    void signal_saveFailed();

public slots:
    void slot_detailClick_ok(int slot);

protected:
    void keyClicked(EnumKey key) override;
    void keyRepeated(EnumKey key, int steps) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step(int delta);
    void openOperationMenu();
    void operationClick(int row);
    void openEditor(const StructWaypoint& w);
    void refreshBottomInfo();
    bool written(bool ok);
    QRect rowRect(int visibleRow) const;
    QRect infoLineRect(int line) const;
    QStringList infoLines() const;

    WaypointStore m_store;
    UxTitleBar* m_title = nullptr;
    UxWaypointDetail* m_detail = nullptr;
    UxSmallMenu* m_menu = nullptr;
    QString m_selectTitle;
    QPoint m_boat;
    bool m_boatKnown = false;
    QString m_homeLat;
    QString m_homeLon;
    StructWaypointInfo m_info;
    int m_top = 0;  // the first row on screen
    // The held-key repeat runs while the screen is shown, whoever opened it.
    QTimer m_repeatTimer;
};
