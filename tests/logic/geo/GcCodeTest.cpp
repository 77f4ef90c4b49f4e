#include "logic/geo/GcCode.h"

#include "GeoTestSupport.h"

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

TEST(GcCode, BothWaysAroundTheLimits)
{
    const struct
    {
        const char *code;
        qint64 number;
    } cases[] = {{"GC0", 0},          {"GC1", 1},
                 {"GCFFFE", 65534},   {"GCFFFF", 65535},
                 {"GCG000", 65536},   {"GCG001", 65537},
                 {"GCZZZZ", 512400},  {"GC10000", 512401},
                 {"GC1BQTQ", 863003}, {"GCZZZZZZZ", 27512202990}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(gcCodeToNumber(QString::fromLatin1(c.code)), c.number);
        EXPECT_EQ(gcNumberToCode(c.number), QString::fromLatin1(c.code));
    }
    EXPECT_EQ(gcLargestNumber(), 27512202990);
}

TEST(GcCode, LenientReading)
{
    const struct
    {
        const char *text;
        const char *code;
        qint64 number;
    } cases[] = {
        {"  gc g000 ", "GCG000", 65536}, {"gcffff", "GCFFFF", 65535}, {"65536", "GCG000", 65536},
        {" 65 535 ", "GCFFFF", 65535},   {"GC0001", "GC1", 1},        {"0", "GC0", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const GcCodePair pair = readGcCode(QString::fromLatin1(c.text));
        EXPECT_EQ(pair.code, QString::fromLatin1(c.code));
        EXPECT_EQ(pair.number, c.number);
    }
}

TEST(GcCode, RefusedInput)
{
    const struct
    {
        const char *text;
        const char *message;
    } cases[] = {
        {"GCI000", "„I“ kommt in GC-Codes nicht vor"},
        {"GCL000", "„L“ kommt in GC-Codes nicht vor"},
        {"GCO000", "„O“ kommt in GC-Codes nicht vor"},
        {"GCS000", "„S“ kommt in GC-Codes nicht vor"},
        {"GCU000", "„U“ kommt in GC-Codes nicht vor"},
        {"gc1u", "„U“ kommt in GC-Codes nicht vor"},
        {"GC", "fehlen die Zeichen"},
        {"GC12345678", "höchstens 7 Zeichen"},
        {"GCG00", "kein gültiger GC-Code"}, // base 31 needs four characters
        {"GC1G00", "kein gültiger GC-Code"}, // below GCG000
        {"GC-1", "„-“ ist kein Zeichen"},
        {"", "Bitte einen GC-Code"},
        {"ABC", "weder ein GC-Code"},
        {"-1", "weder ein GC-Code"},
        {"27512202991", "zwischen 0 und 27512202990"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(errorOf([&] {
                        readGcCode(QString::fromLatin1(c.text));
                    }).contains(QString::fromUtf8(c.message)))
            << errorOf([&] { readGcCode(QString::fromLatin1(c.text)); }).toStdString();
    }
}
