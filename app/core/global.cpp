#include "core/global.h"

#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

StructConfiguration Global::configuration{};

int Global::my_system(const char* cmd) {
    if (cmd == nullptr) {
        printf("my_system cmd is NULL!\n");
        return -1;
    }
    const QByteArray mapped = Platform::mapCommand(QString::fromLocal8Bit(cmd)).toLocal8Bit();
    FILE* fp = popen(mapped.constData(), "r");
    if (fp == nullptr) {
        printf("popen error: %s\n", strerror(errno));
        return -1;
    }
    char line[1024];
    while (fgets(line, sizeof line, fp) != nullptr)
        printf("%s", line);
    fflush(stdout);
    const int status = pclose(fp);
    if (status == -1) {
        printf("close popen file pointer fp error!\n");
        return -1;
    }
    return status;
}

int Global::my_system(const QString& cmd) {
    return my_system(cmd.toLocal8Bit().constData());
}

unsigned char Global::XOR_chk(const unsigned char* data, int len) {
    unsigned char x = 0;
    for (int i = 0; i < len; ++i)
        x ^= data[i];
    return x;
}
