#include "ui/screens/info_pan_pictures.h"

#include <algorithm>

QPixmap InfoPanPictures::find(const StructLook& look) {
    const auto it = std::find_if(m_recent.begin(), m_recent.end(),
                                 [&](const auto& kept) { return kept.first == look; });
    if (it == m_recent.end()) return QPixmap();
    const QPixmap picture = it->second;
    if (it != m_recent.begin()) {
        auto kept = std::move(*it);
        m_recent.erase(it);
        m_recent.push_front(std::move(kept));
    }
    return picture;
}

void InfoPanPictures::keep(const StructLook& look, const QPixmap& picture) {
    m_recent.emplace_front(look, picture);
    if (m_recent.size() > kKept) m_recent.pop_back();
}
