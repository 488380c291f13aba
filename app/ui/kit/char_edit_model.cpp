#include "ui/kit/char_edit_model.h"

void CharEditModel::start(const QString& text, const QStringList& charSets, EnumSide side) {
    m_text = text;
    m_sets = charSets;
    m_cursor = 0;
    if (side == SideLeft) {
        while (m_cursor < m_text.size() - 1 && !isEditable(m_cursor))
            ++m_cursor;
    } else {
        m_cursor = qMax(0, m_text.size() - 1);
        while (m_cursor > 0 && !isEditable(m_cursor))
            --m_cursor;
    }
}

QString CharEditModel::charSet(int position) const {
    if (position < 0 || position >= m_sets.size()) return QString();
    return m_sets.at(position);
}

bool CharEditModel::isEditable(int position) const {
    return position >= 0 && position < m_text.size() && !charSet(position).isEmpty();
}

bool CharEditModel::up() {
    return replace(1);
}

bool CharEditModel::down() {
    return replace(-1);
}

bool CharEditModel::replace(int direction) {
    if (!isEditable(m_cursor)) return false;
    const QString set = charSet(m_cursor);
    const int at = set.indexOf(m_text.at(m_cursor));
    int next;
    if (at < 0) {
        next = direction > 0 ? 0 : set.size() - 1;
    } else {
        next = (at + direction + set.size()) % set.size();
    }
    const QChar old = m_text.at(m_cursor);
    m_text[m_cursor] = set.at(next);
    return m_text.at(m_cursor) != old;
}

bool CharEditModel::left() {
    for (int p = m_cursor - 1; p >= 0; --p) {
        if (isEditable(p)) {
            m_cursor = p;
            return true;
        }
    }
    return false;
}

bool CharEditModel::right() {
    for (int p = m_cursor + 1; p < m_text.size(); ++p) {
        if (isEditable(p)) {
            m_cursor = p;
            return true;
        }
    }
    return false;
}
