// The hash search of the variable-coordinates subcommand, in-process and as a process: the
// matching combinations as the plain subcommand prints them, a missing match said on stderr,
// and malformed hashes and forms refused as wrong use.
#include "cli/CliInProcess.h"
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace {

// A=3 B=2 gives N 51° 23.456 E 007° 12.345; the digests of its text in the form
// "{h} {gg} {mm}.{mmm} {h} {ggg} {mm}.{mmm}" were computed with Python's hashlib.
const char *const kFormula = "N 51° 2A.456 E 007° 1B.345";
const char *const kForm = "{h} {gg} {mm}.{mmm} {h} {ggg} {mm}.{mmm}";

CliInProcess formel(QList<QByteArray> arguments)
{
    arguments.prepend("formel");
    return runInProcess(arguments);
}

} // namespace

TEST(CliFormulaHash, FindsTheCombinationForEachMethod)
{
    struct Case
    {
        const char *method;
        const char *hex;
    };
    const Case cases[] = {
        {"md5", "2912cd2a030476ab617327a9dcf11c1b"},
        {"sha1", "639d359d9ecc04fb08579a7663cc4bf09a246974"},
        {"SHA-256", "5f22a1609f8678ccc21512e7508e174d0286486abd10743a09d99b17915650d2"},
        {"sha512",
         "16e0a60f71955cf3ab77e26b9e296eec1300ef1a46c9a00c18dc8469f75a10f5252fc59d733b0df467bce049"
         "ff745730edda119f070c4ee62ed93d04d138a450"},
        {"sha3-256", "0EBB88332C8954600409CDA2E402986D234F72A94C34236B916BCE07FC99E336"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.method);
        const CliInProcess o = formel({"--werte", "A=0-9;B=0-9", "--hashverfahren", c.method,
                                       "--hash", c.hex, "--form", kForm, kFormula});
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(o.out),
                  QStringLiteral("A=3 B=2 | N 51° 23,456' E 007° 12,345'\n"
                                 "Berechnet: 100 | Gültig: 100 | Angezeigt: 1\n"));
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    }
}

TEST(CliFormulaHash, RefusesMalformedHashesAndFormsAsWrongUse)
{
    struct Case
    {
        const char *name;
        QList<QByteArray> arguments;
        const char *message;
    };
    const Case cases[] = {
        {"md5 length for sha1",
         {"--hash", "2912cd2a030476ab617327a9dcf11c1b"},
         "Ein SHA-1-Hash hat 40 Hexadezimalziffern, der eingegebene hat 32; diese Länge passt "
         "zu MD5"},
        {"one digit short",
         {"--hashverfahren", "md5", "--hash", "2912cd2a030476ab617327a9dcf11c1"},
         "Ein MD5-Hash hat 32 Hexadezimalziffern, der eingegebene hat 31"},
        {"not hexadecimal", {"--hash", "xyz"}, "„x“ (Zeichen 1) ist keine Hexadezimalziffer"},
        {"unknown method",
         {"--hashverfahren", "crc32", "--hash", "00"},
         "unbekanntes Verfahren „crc32“"},
        {"unknown placeholder",
         {"--hash", "639d359d9ecc04fb08579a7663cc4bf09a246974", "--form", "{g} {q} {g}"},
         "unbekannter Platzhalter „{q}“"},
        {"empty form",
         {"--hash", "639d359d9ecc04fb08579a7663cc4bf09a246974", "--form", ""},
         "Die Form ist leer"},
        {"form without hash", {"--form", "kompakt"}, "--form gilt nur zusammen mit --hash"},
        {"method without hash", {"--hashverfahren", "md5"}, "--hashverfahren gilt nur"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QList<QByteArray> arguments = {"--werte", "A=0-9;B=0-9"};
        arguments += c.arguments;
        arguments.append(kFormula);
        const CliInProcess o = formel(arguments);
        EXPECT_EQ(o.code, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
    }
}

TEST(CliFormulaHashProcess, PrintsTheMatchAndSaysWhenThereIsNone)
{
    // The issue's own form, as a ready form's name and written out.
    for (const char *form : {"kompakt", "N{gg} {mm}.{mmm} E{ggg} {mm}.{mmm}"}) {
        SCOPED_TRACE(form);
        const CliRun found = runCli(
            {QStringLiteral("formel"), QStringLiteral("--werte"), QStringLiteral("A=0-9;B=0-9"),
             QStringLiteral("--hash"), QStringLiteral("354dc4744e129f1631891c7ebe47fac9098db45f"),
             QStringLiteral("--form"), QString::fromUtf8(form), QString::fromUtf8(kFormula)});
        EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
        EXPECT_EQ(found.outLines(),
                  QStringList({QStringLiteral("A=3 B=2 | N 51° 23,456' E 007° 12,345'"),
                               QStringLiteral("Berechnet: 100 | Gültig: 100 | Angezeigt: 1")}));
    }
    // The same digest searched with the degree sign in the form: no text matches.
    const CliRun none = runCli(
        {QStringLiteral("formel"), QStringLiteral("--werte"), QStringLiteral("A=0-9;B=0-9"),
         QStringLiteral("--hash"), QStringLiteral("354dc4744e129f1631891c7ebe47fac9098db45f"),
         QStringLiteral("--form"), QStringLiteral("gradkompakt"), QString::fromUtf8(kFormula)});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.outLines(),
              QStringList({QStringLiteral("Berechnet: 100 | Gültig: 100 | Angezeigt: 0")}));
    EXPECT_TRUE(QString::fromUtf8(none.err).contains(
        QStringLiteral("Kein Treffer: Keine Kombination ergibt in der "
                       "Form „{h}{gg}°{mm}.{mmm} {h}{ggg}°{mm}.{mmm}“ diesen "
                       "SHA-1-Hash")))
        << none.err.toStdString();
    const CliRun wrong =
        runCli({QStringLiteral("formel"), QStringLiteral("--werte"), QStringLiteral("A=1;B=1"),
                QStringLiteral("--hash"), QStringLiteral("abcd"), QString::fromUtf8(kFormula)});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(wrong.err).contains(u"der eingegebene hat 4"));
}
