#pragma once

#include <QString>
#include <QStringList>

// A text edited position by position on a keypad. Every position has a set of allowed
// characters; a position without one (an empty set, or beyond the list of sets) is fixed and
// the cursor jumps over it.
class CharEditModel {
public:
    enum EnumSide { SideLeft, SideRight };

    // The cursor starts on the first (SideLeft) or last (SideRight) editable position.
    void start(const QString& text, const QStringList& charSets, EnumSide side);

    // Next character of the position's set (after the last comes the first; a character not
    // in the set becomes the first). Returns whether the text changed.
    bool up();
    // Previous character (before the first comes the last; one not in the set becomes the last).
    bool down();
    // The cursor to the previous / next editable position; it stays at the ends.
    bool left();
    bool right();

    bool isEditable(int position) const;
    QString text() const { return m_text; }
    int cursor() const { return m_cursor; }
    QString charSet(int position) const;

private:
    bool replace(int direction);

    QString m_text;
    QStringList m_sets;
    int m_cursor = 0;
};
