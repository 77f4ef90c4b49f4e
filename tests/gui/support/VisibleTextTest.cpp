#include "gui/support/VisibleText.h"

#include <gtest/gtest.h>

TEST(VisibleText, ControlsGetPicturesAndLineBreaksBecomeBlanks)
{
    const struct
    {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("Eiche"), QStringLiteral("Eiche")},
        {QString(QChar(0x00)), QStringLiteral("␀")},
        {QString(QChar(0x1F)), QStringLiteral("␟")}, // last of the C0 controls
        {QStringLiteral(" "), QStringLiteral(" ")}, // first character with a picture of its own
        {QStringLiteral("a\tb"), QStringLiteral("a␉b")},
        {QStringLiteral("~"), QStringLiteral("~")}, // just below DEL
        {QString(QChar(0x7F)), QStringLiteral("␡")},
        {QString(QChar(0x80)), QStringLiteral("\\x80")},
        {QString(QChar(0x9F)), QStringLiteral("\\x9F")},
        {QString(QChar(0xA0)), QString(QChar(0xA0))}, // first after the C1 controls
        {QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("a b c d")},
        {QStringLiteral("\n\n"), QStringLiteral("  ")},
        {QStringLiteral("\r\r\n"), QStringLiteral("  ")},
        {QStringLiteral("ä€😀"), QStringLiteral("ä€😀")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(visibleLine(c.text), c.shown);
    }
}
