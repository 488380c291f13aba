#include "navi/convert.h"

// Integers on the radio link are little-endian whatever the host's byte order.

unsigned int Convert::u8_to_u32(const unsigned char* b) {
    return unsigned(b[0]) | unsigned(b[1]) << 8 | unsigned(b[2]) << 16 | unsigned(b[3]) << 24;
}

int Convert::u8_to_s32(const unsigned char* b) {
    return int(u8_to_u32(b));
}

void Convert::u32_to_u8(unsigned int v, unsigned char* b) {
    b[0] = static_cast<unsigned char>(v);
    b[1] = static_cast<unsigned char>(v >> 8);
    b[2] = static_cast<unsigned char>(v >> 16);
    b[3] = static_cast<unsigned char>(v >> 24);
}

void Convert::s32_to_u8(int v, unsigned char* b) {
    u32_to_u8(unsigned(v), b);
}

unsigned short Convert::u8_to_u16(const unsigned char* b) {
    return static_cast<unsigned short>(b[0] | b[1] << 8);
}

void Convert::u16_to_u8(unsigned short v, unsigned char* b) {
    b[0] = static_cast<unsigned char>(v);
    b[1] = static_cast<unsigned char>(v >> 8);
}
