// The worked examples of the German help, computed by the operations the tools call, so a page
// never shows a result the program does not give.
#include "logic/common/QuarvelError.h"
#include "logic/solvers/FermilabCode.h"
#include "logic/tools/CryptoTools.h"
#include "logic/tools/Koordinaten_Unit.h"
#include "logic/tools/hfunctions.h"

#include <gtest/gtest.h>

using namespace hfunctions;

namespace {

QString errorOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return QStringLiteral("<kein Fehler>");
}

} // namespace

TEST(HelpExamples, Ciphers)
{
    const QString sample =
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern");
    EXPECT_EQ(VigenereEncrypt(QStringLiteral("Hallo Welt"), QStringLiteral("KEY")), u"REJVS UOPR");
    EXPECT_EQ(VigenereDecrypt(QStringLiteral("REJVS UOPR"), QStringLiteral("KEY")), u"HALLO WELT");
    EXPECT_EQ(VigenereEncrypt(sample, QStringLiteral("CACHE")),
              u"HRCUD LAIA MO KQTTNEVA ZGRYHLTLQZXGN VHBK QWLV FUTJL DAALVP");
    EXPECT_EQ(errorOf([] { VigenereEncrypt(QStringLiteral("a"), QStringLiteral("K Y")); }),
              u"Der Schlüssel darf nur Buchstaben enthalten");
    EXPECT_EQ(TrifidEncrypt(QStringLiteral("Treffpunkt am Waldrand"), QStringLiteral("GEOCACHING")),
              u"TLVVVFAWPKMFWIGYKLPJ");
    EXPECT_EQ(TrifidDecrypt(QStringLiteral("TLVVVFAWPKMFWIGYKLPJ"), QStringLiteral("GEOCACHING")),
              u"TREFFPUNKTAMWALDRAND");
    EXPECT_EQ(Rot13(QStringLiteral("Hallo Welt!")), u"Unyyb Jryg!");
    EXPECT_EQ(Rot47(QStringLiteral("Cache")), u"r2496");
    EXPECT_EQ(FermilabDecode(QStringLiteral("020 001 021 000 022 001 012")), u"F A G   H A E");
    EXPECT_EQ(FermilabDecode(QStringLiteral("100000")), u"1 00");
}

TEST(HelpExamples, NumbersAndTheirMessages)
{
    EXPECT_EQ(Quersumme(OnlyDigits(QStringLiteral("N 47° 11"))), u"13");
    EXPECT_EQ(Dez2Roem(3999), u"MMMCMXCIX");
    EXPECT_EQ(Roem2Dez(QStringLiteral("MCMXCIV")), 1994);
    EXPECT_EQ(Roem2Dez(QStringLiteral("VX")), 15);
    EXPECT_EQ(errorOf([] { Okt2Dez(QStringLiteral("7z")); }),
              u"''z'' ist kein gültiger Integer-Wert");
    TKoordinaten position;
    // The three notations the coordinates page shows are read, with point or comma.
    for (const char16_t *text :
         {u"N 54.3941666666667 E 13.6696833333333", u"N 54° 23.650 E 013° 40.181",
          u"N 54° 23,650 E 013° 40,181", u"N 54° 23' 39\" E 013° 40' 10.86\""}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(position.m_sSetKoordinaten(QString::fromUtf16(text)), 1);
    }
    EXPECT_NE(position.m_sSetKoordinaten(QStringLiteral("N54°23.650 E013°40.181")), 1);
    EXPECT_EQ(
        errorOf([&] { position.m_sSetKoordinaten(QStringLiteral("N 54° 23,6x E 013° 40.181")); }),
        u"'23,6x' ist kein gültiger Gleitkommawert");
}
