#pragma once

#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"

class UxLineEditor;
class UxTitleBar;

// "Export as kml": the first and the last waypoint slot of the block to export, then "OK" and
// "Exit". The arrow keys move the focus through the four; Enter on a slot opens the character
// editor on it (000 to 499), on "OK" reports the two slots and closes. "Exit", escape and menu
// close without reporting. The slots stay as entered for the next export. The GPX export asks
// the same, under its own title.
class UxSubMenuExportKml : public UxKeyWidget {
    Q_OBJECT
public:
    enum EnumFocus { FocusFirst, FocusLast, FocusOk, FocusExit, kFocusCount };

    // parent: the screen; the character editor stands on it below this screen.
    explicit UxSubMenuExportKml(QWidget* parent = nullptr);

    void showExportKml() { showExport(false); }
    void showExportGpx() { showExport(true); }
    int focus() const { return m_fields.focus(); }
    QString slotText(int which) const { return m_slots[which == FocusLast ? 1 : 0]; }
    UxLineEditor* lineEditor() const { return m_editor; }
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_startExportKml(int first, int last);
    void signal_startExportGpx(int first, int last);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showExport(bool gpx);
    void enter();
    void layOut();

    UxTitleBar* m_title = nullptr;
    UxLineEditor* m_editor = nullptr;
    QString m_slots[2] = {QStringLiteral("000"), QStringLiteral("499")};
    FieldTable m_fields;
    int m_editing = FocusFirst;
    bool m_gpx = false;
};
