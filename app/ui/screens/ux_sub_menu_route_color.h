#pragma once

#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"

class UxSubMenuValue;
class UxTitleBar;

// The depth range that colours the map's track: "AUTO" or "MANUAL" (one of them ticked), the
// upper and the lower depth, and "OK". Up and Down move between the five; Enter ticks a box,
// opens a slider on a depth or, on "OK", reports the choice. Escape leaves without reporting.
class UxSubMenuRouteColor : public UxKeyWidget {
    Q_OBJECT
public:
    enum EnumFocus { FocusAuto, FocusManual, FocusUpper, FocusLower, FocusOk, kFocusCount };
    static constexpr int kRowHeight = 25;

    // slider: the editor's own value slider, placed by the caller; the editor drives it.
    UxSubMenuRouteColor(UxSubMenuValue* slider, QWidget* parent = nullptr);

    void showRouteColor(int upper, int lower, int maxLower, bool automatic);
    int focus() const { return m_fields.focus(); }
    bool automatic() const { return m_auto; }
    int upper() const { return int(m_upper); }
    int lower() const { return int(m_lower); }
    UxSubMenuValue* slider() const { return m_slider; }
    QString rowText(int row) const;

    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_routeColorClick_ok(bool automatic, int upper, int lower);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void openSlider(bool upperLimit);

    FieldTable m_fields;
    UxTitleBar* m_title = nullptr;
    UxSubMenuValue* m_slider = nullptr;
    bool m_auto = true;
    float m_upper = 0;
    float m_lower = 0;
    int m_maxLower = 0;
};
