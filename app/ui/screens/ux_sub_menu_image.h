#pragma once

#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"
#include "ui/map/small_image_data.h"

class UxTitleBar;

// Three preview pictures side by side, bound to an int field that holds the chosen one
// (0..2). Left/Up choose the previous picture, Right/Down the next; the field is written at
// every move. The chosen picture has a red frame.
class UxSubMenuImage : public UxKeyWidget {
    Q_OBJECT
public:
    static constexpr int kChoices = 3;

    explicit UxSubMenuImage(QWidget* parent = nullptr);

    // kind: "background" or "color".
    void showMenuImage(const QString& title, const QString& kind, int* field);
    int currentChoice() const { return m_choice; }
    QString getTitle() const;
    UxTitleBar* titleBar() const { return m_title; }
    // The picture shown for a choice (a plain stand-in when the data has none).
    QImage previewImage(int choice) const;
    // The rectangle of a choice's picture, frame included.
    QRect choiceRect(int choice) const;

    // Reads the preview pictures from the resource once; true when they are there.
    static bool loadSmallImageData();

    QVector<StructTextBox> textBoxes() const override;

protected:
    void keyClicked(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void choose(int choice);
    // The three pictures (or their numbers) as fields, the chosen one framed.
    void layOut();

    UxTitleBar* m_title = nullptr;
    QString m_kind;
    int* m_field = nullptr;
    int m_choice = 0;
    FieldTable m_fields;
};
