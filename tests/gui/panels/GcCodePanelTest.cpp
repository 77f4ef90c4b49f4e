#include "NumberPanelFixture.h"
#include "gui/app/panels/gboxGcCode.h"

class GcCodePanel : public NumberPanelTest
{
protected:
    void SetUp() override
    {
        NumberPanelTest::SetUp();
        choose(QStringLiteral("GC-Code"));
        panel = child<gboxGcCode>(QStringLiteral("gboxGcCode"));
    }

    gboxGcCode *panel = nullptr;
};

// Typed codes and numbers convert at once; what cannot be read is said in the panel, never in
// a box.
TEST_F(GcCodePanel, ConvertsWhileTypingAndSaysWhatIsWrong)
{
    ASSERT_TRUE(panel->isVisible());
    const struct
    {
        const char *typed;
        const char *code;
        const char *number;
        const char *message;
    } cases[] = {
        {"gcffff", "GCFFFF", "65535", ""},
        {"GC G000", "GCG000", "65536", ""},
        {"65536", "GCG000", "65536", ""},
        {"GCO000", "", "", "„O“ kommt in GC-Codes nicht vor (I, L, O, S und U fehlen)"},
        {"GC", "", "", "Nach „GC“ fehlen die Zeichen des Codes"},
        {"", "", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        type(panel->edtGcEingabe, QString::fromUtf8(c.typed));
        EXPECT_EQ(panel->lblGcCode->text(), QString::fromUtf8(c.code));
        EXPECT_EQ(panel->lblGcNummer->text(), QString::fromUtf8(c.number));
        EXPECT_EQ(panel->lblGcMeldung->text(), QString::fromUtf8(c.message));
    }
    EXPECT_TRUE(lastError().isEmpty());
}
