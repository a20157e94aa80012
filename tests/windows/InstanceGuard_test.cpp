// The single-instance guard: names, the lock, the request to come to the front.
#include "platform/InstanceGuard.h"
#include "shell/FirstInstance.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Each test gets a runtime folder of its own.
class InstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved); }
    QTemporaryDir runtime;
    QByteArray saved;
};

} // namespace

TEST(InstanceName, TitleComesFromTheExecutableName) {
    EXPECT_EQ(ApplicationTitleOf("/opt/a.b/VelKaro.x.exe"), "Velkaro");
    EXPECT_EQ(ApplicationTitleOf("/opt/velkaro"), "velkaro");
    EXPECT_EQ(ApplicationTitleOf("VELKARO"), "Velkaro");
    EXPECT_EQ(ApplicationTitleOf("/opt/Other"), "Other");
    EXPECT_EQ(ApplicationTitleOf("/opt/" + QString(600, 'A')), "A" + QString(511, 'a'));
    EXPECT_EQ(InstanceMutexName("Velkaro"), "PREVINST:Velkaro");
}

TEST_F(InstanceGuardTest, OnlyTheFirstOfOneNameRunsUntilItEnds) {
    auto first = std::make_unique<InstanceGuard>("PREVINST:Velkaro");
    EXPECT_TRUE(first->IsFirst());
    EXPECT_TRUE(first->IsGuarded());
    {
        InstanceGuard second("PREVINST:Velkaro");
        EXPECT_FALSE(second.IsFirst());
        InstanceGuard other("PREVINST:Other");
        EXPECT_TRUE(other.IsFirst());
    }
    first.reset();
    InstanceGuard later("PREVINST:Velkaro");
    EXPECT_TRUE(later.IsFirst());
}

TEST_F(InstanceGuardTest, ASecondStartAsksTheFirstToComeToTheFront) {
    InstanceGuard first("PREVINST:Velkaro");
    QSignalSpy raised(&first, &InstanceGuard::ActivationRequested);
    InstanceGuard second("PREVINST:Velkaro");
    ASSERT_FALSE(second.IsFirst());
    EXPECT_TRUE(second.NotifyFirst(2000));
    EXPECT_TRUE(raised.wait(5000));
    EXPECT_EQ(raised.count(), 1);
}

TEST_F(InstanceGuardTest, AGuardThatCannotLockStartsUnguarded) {
    // The lock file's place is taken by a folder: not "held by another process".
    const QString name = "PREVINST:Velkaro";
    ASSERT_TRUE(QDir(runtime.path()).mkdir(InstanceGuard::KeyOf(name) + ".lock"));
    InstanceGuard guard(name);
    EXPECT_TRUE(guard.IsFirst());
    EXPECT_FALSE(guard.IsGuarded());
}

TEST_F(InstanceGuardTest, TheRunningWindowOrItsModalDialogComesToTheFront) {
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showMinimized();
    BringToFront(&window);
    EXPECT_FALSE(window.isMinimized());

    QDialog dialog(&window);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    BringToFront(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST_F(InstanceGuardTest, AStartWhileTheFirstIsStillStartingIsNotLost) {
    InitFirstInstance();
    ASSERT_TRUE(IsFirstInstance());
    // The first is still starting: an installation's message box is open, the window not made yet.
    QDialog box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.showMinimized();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);

    InstanceGuard second(GetInstanceMutexName());
    ASSERT_FALSE(second.IsFirst());
    EXPECT_TRUE(second.NotifyFirst(2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.isMinimized(); }, 5000)) << "the box comes up";
    box.hide();

    // The window made afterwards comes to the front as soon as the program registers it.
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showMinimized();
    RaiseOnActivation(&window);
    EXPECT_FALSE(window.isMinimized());
    FreeInstanceMutex();
}
