// The single-instance guard, and real processes: a second start ends, a renamed copy runs beside.
#include "platform/InstanceGuard.h"
#include "shell/FirstInstance.h"
#include "support/TestProgramFolder.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Each test gets a runtime folder of its own.
struct TwoInstances : ::testing::Test {
    QTemporaryDir runtime;
    QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    TwoInstances() { qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8()); }
    ~TwoInstances() override { qputenv("XDG_RUNTIME_DIR", saved); }
};

void ShowMinimized(QWidget& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.showMinimized();
}

} // namespace

// Only the first of one name runs until it ends (a guard that cannot lock starts unguarded); a second
// start brings up the first's box while it starts, later its window, or the window's modal dialog.
TEST_F(TwoInstances, OnlyTheFirstOfOneNameRunsAndASecondStartBringsItToTheFront) {
    EXPECT_EQ(ApplicationTitleOf("/opt/a.b/VelKaro.x.exe"), "Velkaro");
    EXPECT_EQ(ApplicationTitleOf("/opt/velkaro"), "velkaro");
    EXPECT_EQ(ApplicationTitleOf("VELKARO"), "Velkaro");
    EXPECT_EQ(ApplicationTitleOf("/opt/Other"), "Other");
    EXPECT_EQ(ApplicationTitleOf("/opt/" + QString(600, 'A')), "A" + QString(511, 'a'));
    EXPECT_EQ(InstanceMutexName("Velkaro"), "PREVINST:Velkaro");
    auto first = std::make_unique<InstanceGuard>("PREVINST:Velkaro");
    EXPECT_TRUE(first->IsFirst() && first->IsGuarded());
    {
        InstanceGuard second("PREVINST:Velkaro");
        EXPECT_TRUE(!second.IsFirst() && InstanceGuard("PREVINST:Other").IsFirst());
        // The second asks the first to come to the front.
        QSignalSpy raised(first.get(), &InstanceGuard::ActivationRequested);
        EXPECT_TRUE(second.NotifyFirst(2000));
        EXPECT_TRUE(raised.wait(5000) && raised.count() == 1);
    }
    first.reset();
    EXPECT_TRUE(InstanceGuard("PREVINST:Velkaro").IsFirst());
    // The lock file's place is taken by a folder: not "held by another process".
    ASSERT_TRUE(QDir(runtime.path()).mkdir(InstanceGuard::KeyOf("PREVINST:Lockless") + ".lock"));
    InstanceGuard guard("PREVINST:Lockless");
    EXPECT_TRUE(guard.IsFirst() && !guard.IsGuarded());
    InitFirstInstance();
    ASSERT_TRUE(IsFirstInstance());
    QDialog box;
    box.setWindowModality(Qt::ApplicationModal);
    ShowMinimized(box);
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    InstanceGuard second(GetInstanceMutexName());
    ASSERT_FALSE(second.IsFirst());
    EXPECT_TRUE(second.NotifyFirst(2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.isMinimized(); }, 5000)) << "the box comes up";
    box.hide();
    QWidget window;
    ShowMinimized(window);
    RaiseOnActivation(&window);
    EXPECT_FALSE(window.isMinimized());
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
    FreeInstanceMutex();
}

TEST_F(TwoInstances, ASecondStartEndsAndARenamedCopyRunsBeside) {
    const QString app = VELKARO_APP_DIR;
    if (!QFileInfo(app + "/Velkaro").isExecutable())
        GTEST_SKIP() << "the program folder is not built";
    QTemporaryDir folder;
    TestProgramFolder::CopyTree(app, folder.path());
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    std::vector<std::unique_ptr<QProcess>> processes;
    auto start = [&](const QString& executable) {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        auto& p = processes.emplace_back(std::make_unique<QProcess>());
        p->setProcessEnvironment(environment);
        p->start(folder.path() + "/" + executable);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p.get();
    };
    // The running instance listens once its start-up is done.
    auto listening = [&](const QString& title) {
        const QString socket =
            runtime.path() + "/" + InstanceGuard::KeyOf(InstanceMutexName(title)) + ".sock";
        return QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 20000);
    };
    QProcess* first = start("Velkaro");
    ASSERT_TRUE(listening("Velkaro")) << first->readAllStandardError().toStdString();
    QProcess* second = start("Velkaro");
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_TRUE(second->exitStatus() == QProcess::NormalExit && second->exitCode() == 0);
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty()); // ends without a message
    EXPECT_EQ(first->state(), QProcess::Running);
    ASSERT_TRUE(QFile::copy(folder.path() + "/Velkaro", folder.path() + "/Other"));
    QProcess* copy = start("Other");
    EXPECT_TRUE(listening("Other"));
    EXPECT_TRUE(copy->state() == QProcess::Running && first->state() == QProcess::Running);
}
