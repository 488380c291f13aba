#include "base/global.h"

namespace {
unsigned char xorText(const QString& text, int from) {
    unsigned char x = 0;
    for (int i = from; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c == '*') break;
        x ^= c < 256 ? static_cast<unsigned char>(c) : 0;
    }
    return x;
}
}  // namespace

unsigned char Global::xorChk_SnrCmd(const QString& text) {
    return xorText(text, 0);
}

unsigned char Global::xorChk_ApCmd(const QString& text) {
    return text.size() < 2 ? 0 : xorText(text, 1);
}
