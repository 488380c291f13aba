#pragma once

#include "state/course_book.h"
#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"

class UxLineEditor;
class UxSmallMenu;
class UxTitleBar;

// The course screen: the ten course slots with the selected one's date, start and end time
// and length, and the operation menu that saves the live course into the slot, deletes,
// renames or shows it, and copies it to or from the SD card. The courses, the live one too,
// are the book's; the screen keeps only the selected slot.
class UxSubMenuRoute : public UxKeyWidget {
    Q_OBJECT
public:
    // The operation menu's rows.
    enum EnumOperation {
        OpSaveCurrent,
        OpDelete,
        OpRename,
        OpShowRoute,
        OpCopyToSd,
        OpReadFromSd,
        OpExportGpx,
        OpTrackGpx,
        OpImportGpx
    };

    // book: outlives the screen. parent: the screen; the menu and the name editor stand on it.
    explicit UxSubMenuRoute(CourseBook& book, QWidget* parent = nullptr);

    void loadRouteArray() { m_book.loadHeaders(); }
    void appendPoint(int lon, int lat, unsigned time, unsigned depthCm);
    bool currentIsEmpty() const { return m_book.liveIsEmpty(); }
    // The live course into the selected slot's file.
    bool saveRouteToNand() { return m_book.saveCurrent(m_current); }
    void saveWayCourseToSD();
    void readWayCourseFromSD(const QString& file);

    void showRoute();
    int currentSlot() const { return m_current; }
    void setCurrentSlot(int slot);
    const CourseStore& store() const { return m_book.store(); }
    UxSmallMenu* operationMenu() const { return m_menu; }
    UxLineEditor* nameEditor() const { return m_editor; }
    QVector<QWidget*> popups() const;
    // The information area's lines: date, start, end, distance.
    QStringList infoLines() const;
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_copyToSD(bool ok);
    void signal_readRouteFromSD();
    void signal_readRouteFromSD(bool ok);
    void signal_showRoute(QList<StructRouteDetail> points);
    // The selected slot as a GPX route; the live course as a GPX track; a GPX route or track
    // into the selected slot.
    void signal_exportGpx(int slot);
    void signal_exportTrackGpx();
    void signal_importGpx();
    // A row without an action: its "Invalid Item" code.
    void signal_invalidItem(QString code);

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void operationClick(int row);
    void slot_editorConfirm(const QString& text);
    // The header, the rows (the current one filled) and the information lines as fields.
    void layOut();

    CourseBook& m_book;
    UxTitleBar* m_title = nullptr;
    UxSmallMenu* m_menu = nullptr;
    UxLineEditor* m_editor = nullptr;
    int m_current = 0;
    FieldTable m_fields;
};
