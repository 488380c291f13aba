#include "base/global.h"

StructConfiguration Global::configuration{};

unsigned char Global::XOR_chk(const unsigned char* data, int len) {
    unsigned char x = 0;
    for (int i = 0; i < len; ++i)
        x ^= data[i];
    return x;
}
