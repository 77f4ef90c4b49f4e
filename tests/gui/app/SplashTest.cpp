#include "gui/app/Splash_Unit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Splash, CloseRuleNeedsBothTheTimeAndTheWindows)
{
    EXPECT_FALSE(TfrmSplash::closeAllowed(true, false));
    EXPECT_FALSE(TfrmSplash::closeAllowed(true, true));
    EXPECT_FALSE(TfrmSplash::closeAllowed(false, false));
    EXPECT_TRUE(TfrmSplash::closeAllowed(false, true));
}

TEST(Splash, ShowsVersionAndMessage)
{
    auto *splash = new TfrmSplash(QStringLiteral("0.4.1.0"));
    EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("0.4.1.0"));
    EXPECT_EQ(splash->lblMeldung->text(), QStringLiteral("Initializing..."));
    EXPECT_EQ(splash->Label1->text(), QStringLiteral("QUARVEL"));
    EXPECT_EQ(splash->tmrMinTiming->interval(), 3000);
    EXPECT_TRUE(splash->tmrMinTiming->isActive());
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NEAR(splash->windowOpacity(), 200.0 / 255.0, 0.01);
    delete splash;
}

TEST(Splash, InitializationDoneBeforeTheTimerKeepsItOpenUntilTheTimerFires)
{
    QPointer<TfrmSplash> splash = new TfrmSplash(QStringLiteral("1.0.0.0"));
    splash->show();
    splash->setInitializationDone(true);
    EXPECT_TRUE(splash->isVisible());
    QMetaObject::invokeMethod(splash->tmrMinTiming, "timeout");
    EXPECT_FALSE(splash->tmrMinTiming->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()); // closed and freed itself
}

TEST(Splash, TimerFirstThenInitializationDoneClosesAtOnce)
{
    QPointer<TfrmSplash> splash = new TfrmSplash(QStringLiteral("1.0.0.0"));
    splash->show();
    QMetaObject::invokeMethod(splash->tmrMinTiming, "timeout");
    EXPECT_TRUE(splash->isVisible()); // refused: the windows are not made yet
    splash->setInitializationDone(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}
