#pragma once

#include <QtGlobal>

// German text in UTF-8 is ASCII with umlauts and "ß": two-byte sequences of U+00A0..U+00FF,
// which keep their codes in Windows-1252. This converts the longest beginning of `in` made only
// of those, sixteen or sixty-four bytes at a time where the processor can, and stops before
// anything else (a character from elsewhere, a C1 control, a broken sequence) for the caller to
// convert one by one.
struct Latin1Run
{
    qsizetype read = 0;
    qsizetype written = 0;
};

// `out` needs room for `size` bytes and 64 more, which may be overwritten.
Latin1Run latin1Utf8ToAnsi(const uchar *in, qsizetype size, char *out);
