#pragma once

#include "state/multi_target_list.h"
#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"

#include <QPoint>
#include <QVector>

class UxDstBar;
class UxLineEditor;
class UxSmallMenu;
class UxTitleBar;

// The multi-target screen: five targets, each a waypoint and a wait in seconds, with the
// distances between them, the focused target's date and depth, and the buttons "Select
// Targets", "Start", "Exit" and "Import". The rows are the list's; the screen has it written
// on every leave of the screen and before every start.
class UxSubMenuMultiTarget : public UxKeyWidget {
    Q_OBJECT
public:
    static constexpr int kRows = MultiTargetList::kRows;
    // Focus positions: the table's cells (row = position / 2; even the target, odd its wait),
    // then the buttons.
    enum EnumFocus { FocusSelect = 10, FocusStart, FocusExit, FocusImport, kFocusCount };
    // A target farther from the boat than this keeps the list from starting.
    static constexpr float kRangeM = 1000.0f;

    // list: outlives the screen. parent: the screen; the menu and the editor stand on it too.
    explicit UxSubMenuMultiTarget(MultiTargetList& list, QWidget* parent = nullptr);

    void loadArray() { m_list.load(); }
    // False when the file could not be written.
    bool saveToNand() { return m_list.save(); }
    void showMultiTarget();
    // A picked waypoint into the focused row.
    void setWaypoint(const StructWaypoint& waypoint);
    void deleteCurrentTarget();
    void getTargetInfo(int row, StructWaypoint& waypoint, int& delay) const;
    void setCurrentHomePoint(QPoint point);
    void setCurrentBoatPoint(QPoint point);

    int focus() const { return m_fields.focus(); }
    bool tableEntered() const { return m_entered; }
    // The row's wait as its cell shows it.
    QString delayText(int row) const;
    UxLineEditor* delayEditor() const { return m_editor; }
    UxSmallMenu* targetMenu() const { return m_menu; }
    UxDstBar* distanceBar() const { return m_bar; }
    QVector<QWidget*> popups() const;
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_selectWaypoint(QString title);
    void signal_startMultiTarget();
    void signal_importKml();
    void signal_targetTooFar(int row);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveFocus(EnumKey key);
    void enter();
    void startCheck();
    void leave();
    void refresh();
    void layOut();
    QStringList infoLines() const;

    MultiTargetList& m_list;
    UxTitleBar* m_title = nullptr;
    UxDstBar* m_bar = nullptr;
    UxSmallMenu* m_menu = nullptr;
    UxLineEditor* m_editor = nullptr;
    QPoint m_home;
    QPoint m_boat;
    // The table's cells take the focus only while the table is entered.
    FieldTable m_fields;
    bool m_entered = false;
};
