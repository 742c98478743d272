#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What a target finds wrong ends the run at once, with a line saying what.
#define FUZZ_ASSERT(condition)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "fuzz assertion failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);     \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Splits an input at the first "\n=====\n" into two files; without one, both are the whole input.
inline void splitTwoFiles(const QByteArray& bytes, QByteArray& first, QByteArray& second) {
    const QByteArray mark("\n=====\n");
    const qsizetype at = bytes.indexOf(mark);
    if (at < 0) {
        first = second = bytes;
        return;
    }
    first = bytes.left(at);
    second = bytes.mid(at + mark.size());
}
