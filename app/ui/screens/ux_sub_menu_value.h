#pragma once

#include "ui/kit/field_table.h"
#include "ui/kit/ux_key_widget.h"

#include <QStringList>

class UxTitleBar;

// A slider over a list of values, bound to a float field that follows every step. Left/Down
// step down, Right/Up step up; a held key repeats every second tick from the 6th and takes 5
// steps at a time from the 26th. Escape puts the field back as it was when the slider opened;
// Enter keeps the value and reports it.
class UxSubMenuValue : public UxKeyWidget {
    Q_OBJECT
public:
    static constexpr int kAccelFactor = 5;

    explicit UxSubMenuValue(QWidget* parent = nullptr);

    // Opens on the field's value; a value not in the list starts at the first entry. Nothing
    // opens for an empty list or a missing field.
    void showSubMenu(const QString& title, const QString& unit, const QStringList& values,
                     const QStringList& shownTexts, float* field);
    QString getTitle() const;
    int currentIndex() const { return m_index; }
    // The text shown for the current value, with its unit.
    QString shownText() const;
    UxTitleBar* titleBar() const { return m_title; }

    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_keyClick_ok();

public slots:
    // The slider moved: the shown text and the field follow.
    void slot_valueChanged(int index);

protected:
    void keyClicked(EnumKey key) override;
    void keyRepeated(EnumKey key, int steps) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static int direction(EnumKey key);
    QRect valueBox() const;
    QRect trackRect() const;
    void layOut();

    FieldTable m_fields;
    UxTitleBar* m_title = nullptr;
    QString m_unit;
    QStringList m_values;
    QStringList m_shown;
    float* m_field = nullptr;
    float m_oldValue = 0;
    int m_index = -1;
};
