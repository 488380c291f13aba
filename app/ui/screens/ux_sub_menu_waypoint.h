#pragma once

#include "state/waypoint_book.h"
#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"
#include "ui/screens/waypoint_info.h"

#include <QTimer>

class UxSmallMenu;
class UxTitleBar;
class UxWaypointDetail;

// The waypoint screen: the list of the 500 slots with the selected one's date, time, distance
// and course from the boat and the home position under it, the operation menu, and the editor.
// Other screens pick a waypoint through it (selection mode: a non-empty title). The waypoints
// are the book's: the screen shows them, repaints when the book changes and hands the book
// what the user does (the book writes every change to the waypoint file at once).
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
        OpImport,
        OpExportGpx,
        OpImportGpx
    };

    // book: outlives the screen. parent: the screen (the view); the editor and the pop-ups
    // stand on it too.
    explicit UxSubMenuWaypoint(WaypointBook& book, QWidget* parent = nullptr);

    // The book's, for the callers of the screen.
    void loadWaypointArray(int page) { m_book.loadPage(page); }
    bool saveWaypointArray() { return m_book.save(); }
    bool saveWaypointArray(int first, int last) { return m_book.save(first, last); }
    StructWaypoint getWaypoint(int slot) const { return m_book.at(slot); }

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
    void deleteWaypointArray() { m_book.deleteCurrent(); }
    void importWaypoint(int slot, unsigned time, const QString& name, int lon, int lat,
                        float depth = 0) {
        m_book.importWaypoint(slot, time, name, lon, lat, depth);
    }
    bool allSelectedIdxIsEmpty(int count) { return m_book.allSelectedIdxIsEmpty(count); }
    void getImportIdx(int& first, int& last) const { m_book.getImportIdx(first, last); }

    // The map's boat point after each position update; home's texts when it is set.
    void setCurrentBoatPoint(QPoint point);
    void setCurrentHomePos(const QString& latitude, const QString& longitude);

    int currentSlot() const { return m_book.current(); }
    void setCurrentSlot(int slot) { m_book.setCurrent(slot); }
    int topRow() const { return m_top; }
    const WaypointStore& store() const { return m_book.store(); }
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
    void signal_exportGpx();
    void signal_importGpx();
    // The book's saveFailed: the waypoint file could not be written.
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
    void layOut();
    QStringList infoLines() const;

    WaypointBook& m_book;
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
    // The header, the visible rows and the information, laid out again when they move.
    FieldTable m_fields;
    // The held-key repeat runs while the screen is shown, whoever opened it.
    QTimer m_repeatTimer;
};
