#include "platform/sd_card.h"

#include "platform/board.h"
#include "platform/platform.h"
#include "platform/sd_card_linux.h"
#include "platform/sd_card_virtual.h"

#include <QFileInfo>

namespace {
SdCard::Factory& factory() {
    static SdCard::Factory f;
    return f;
}
}  // namespace

bool SdCard::present() const {
    return QFileInfo::exists(Platform::path(QLatin1String(Board::kSdNode)));
}

void SdCard::setFactory(Factory f) {
    factory() = std::move(f);
}

std::unique_ptr<SdCard> SdCard::create() {
    if (factory()) return factory()();
    if (Platform::isVirtual()) return std::make_unique<SdCardVirtual>();
    return std::make_unique<SdCardLinux>();
}
