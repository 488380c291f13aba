#pragma once

#include "state/go_back_request.h"
#include "ui/kit/field_table.h"
#include "ui/kit/focus_ring.h"
#include "ui/kit/ux_key_widget.h"

#include <array>

class UxLineEditor;
class UxSmallMenu;
class UxTitleBar;

// The go-back screen: the first target, the wait (minutes and seconds), the second target,
// "Start" and "Exit". A target is a waypoint (its slot kept with the name shown) or home. The
// setting lives in memory while the program runs.
class UxSubMenuGoBack : public UxKeyWidget {
    Q_OBJECT
public:
    enum EnumFocus {
        FocusTarget1,
        FocusMinutes,
        FocusSeconds,
        FocusTarget2,
        FocusStart,
        FocusExit
    };
    static constexpr int kFocusCount = FocusExit + 1;
    static constexpr int kHome = StructGoBackRequest::kHome;

    explicit UxSubMenuGoBack(QWidget* parent = nullptr);

    void showGoBack();
    // The picked waypoint into the target field that asked for it.
    void setWaypoint(int slot, const QString& name);
    // which 1 or 2: the target's waypoint slot, kHome when it is home.
    int getLEditIdx(int which) const;
    // The wait in seconds.
    int getOverTime() const;
    // True while a target field is empty: a go-back needs both of its targets.
    bool lEditIsEmpty() const;
    bool targetIsEmpty(int which) const;
    // The two fields and the wait, for the navigation to check and run.
    StructGoBackRequest request() const;

    int focus() const { return m_fields.focus(); }
    QString fieldText(int focus) const;
    UxSmallMenu* targetMenu() const { return m_menu; }
    UxLineEditor* timeEditor() const { return m_editor; }
    QVector<QWidget*> popups() const;
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_selectWaypoint(QString title);
    void signal_startGoBack();
    void signal_invalidItem(QString code);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct StructTarget {
        QString text;
        int slot = kHome;
    };
    void enter();
    void menuClick(int row);
    int targetOf(int focus) const { return focus == FocusTarget2 ? 1 : 0; }
    void layOut();

    UxTitleBar* m_title = nullptr;
    UxSmallMenu* m_menu = nullptr;
    UxLineEditor* m_editor = nullptr;
    std::array<StructTarget, 2> m_targets;
    StructWaitTime m_wait;
    FieldTable m_fields;
    int m_asking = 0;  // the target field a waypoint is picked for
};
