#pragma once

#include "ui/kit/ux_key_widget.h"

#include <QVector>

class QLabel;
class UxFocusButton;
class UxFocusIcoLabel;
class UxFocusLineEdit;
class UxLineEditor;
class UxSmallMenu;
class UxTitleBar;

// The waypoint editor "Detail": the slot number, icon, name, longitude, latitude and depth,
// then the buttons "Edit", "OK" and "Exit". The arrow keys move the focus through them in
// this order; Enter on a field opens the character editor on it (the icon chooser on the
// icon), on "Edit" the name's editor. "OK" reports the slot number shown; "Exit", escape and
// menu close without keeping anything.
class UxWaypointDetail : public UxKeyWidget {
    Q_OBJECT
public:
    // The fields and buttons in focus order.
    enum EnumField {
        FieldSn,
        FieldIcon,
        FieldName,
        FieldLon,
        FieldLat,
        FieldDepth,
        ButtonEdit,
        ButtonOk,
        ButtonExit,
        FieldCount
    };

    // parent: the screen the editor and its pop-ups are shown on.
    explicit UxWaypointDetail(QWidget* parent = nullptr);

    void showWaypointDetail(const QString& sn, int iconIndex, const QString& name,
                            const QString& latitude, const QString& longitude, const QString& depth,
                            const QString& depthUnit);
    // The edited values; the depth entered in the current depth unit, back in metres.
    void getWaypointDetail(int& iconIndex, QString& name, QString& latitude, QString& longitude,
                           float& depth) const;

    QString fieldText(EnumField field) const;
    int iconIndex() const { return m_icon; }
    EnumField focusedField() const { return m_focus; }
    UxLineEditor* lineEditor() const { return m_editor; }
    UxSmallMenu* iconChooser() const { return m_iconChooser; }
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_detailClick_ok(int slot);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setFocusField(EnumField field);
    void enter();
    void editField(EnumField field);
    void editorConfirmed(const QString& text);
    void setIcon(int index);

    UxTitleBar* m_title = nullptr;
    QVector<QWidget*> m_fields;  // by EnumField
    QVector<QLabel*> m_labels;
    QLabel* m_unit = nullptr;
    UxFocusIcoLabel* m_iconLabel = nullptr;
    UxLineEditor* m_editor = nullptr;
    UxSmallMenu* m_iconChooser = nullptr;
    EnumField m_focus = FieldSn;
    EnumField m_editing = FieldSn;
    int m_icon = 0;
};
