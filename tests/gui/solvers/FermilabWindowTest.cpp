#include "fakes/TestApp.h"
#include "gui/solvers/Fermil_Unit.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct FermilabFixture : ::testing::Test
{
    FermilabFixture() { window.show(); }

    void decode() { QTest::mouseClick(window.sbtnSolve, Qt::LeftButton); }

    TestApp app;
    TfrmFermilab window {app.context};
};

} // namespace

TEST_F(FermilabFixture, StartsEmptyWithItsCaption)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fermilab-Solver"));
    EXPECT_TRUE(window.mFermilab->toPlainText().isEmpty());
    EXPECT_TRUE(window.mSolve->toPlainText().isEmpty());
    EXPECT_EQ(window.sbtnSolve->text(), QStringLiteral("Entschlüsseln"));
    EXPECT_EQ(window.sbtnClose->text(), QStringLiteral("Schließen"));
}

TEST_F(FermilabFixture, DecodesTypedLinesAndKeepsTheLastResultForAnEmptyBox)
{
    window.mFermilab->setFocus();
    QTest::keyClicks(window.mFermilab, QStringLiteral("020 001 021"));
    QTest::keyClick(window.mFermilab, Qt::Key_Return);
    QTest::keyClicks(window.mFermilab, QStringLiteral("000 022 001 012"));
    decode();
    EXPECT_EQ(window.mSolve->toPlainText(), QStringLiteral("F A G\n  H A E"));

    window.mFermilab->clear();
    decode();
    EXPECT_EQ(window.mSolve->toPlainText(), QStringLiteral("F A G\n  H A E"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(FermilabFixture, ClosingKeepsBothTexts)
{
    window.mFermilab->setPlainText(QStringLiteral("0001"));
    decode();
    QTest::mouseClick(window.sbtnClose, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(window.mFermilab->toPlainText(), QStringLiteral("0001"));
    EXPECT_EQ(window.mSolve->toPlainText(), QStringLiteral(" 1"));
}
