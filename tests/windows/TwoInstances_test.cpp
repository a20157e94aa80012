// Real Velkaro processes on the offscreen platform: a second start leaves one running, a copy under
// another name runs beside it.
#include "platform/InstanceGuard.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool copyFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

class TwoInstancesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString app = QStringLiteral(VELKARO_APP_DIR);
        if (!QFileInfo(app + "/Velkaro").isExecutable())
            GTEST_SKIP() << "the program folder is not built";
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(folder.isValid());
        QFile::setPermissions(runtime.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_TRUE(copyFolder(app, folder.path()));
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
    }
    void TearDown() override {
        for (QProcess* p : processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
            delete p;
        }
    }
    QProcess* start(const QString& executable) {
        auto* p = new QProcess;
        p->setProcessEnvironment(environment);
        p->setProgram(folder.path() + "/" + executable);
        p->start();
        processes.append(p);
        return p;
    }
    // The running instance listens once its start-up is done.
    bool listening(const QString& title) const {
        const QString socket =
            runtime.path() + "/" + InstanceGuard::KeyOf(InstanceMutexName(title)) + ".sock";
        return QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 20000);
    }

    QTemporaryDir runtime;
    QTemporaryDir folder;
    QProcessEnvironment environment;
    QList<QProcess*> processes;
};

} // namespace

TEST_F(TwoInstancesTest, ASecondStartEndsAndARenamedCopyRunsBeside) {
    QProcess* first = start("Velkaro");
    ASSERT_TRUE(first->waitForStarted(10000));
    ASSERT_TRUE(listening("Velkaro")) << first->readAllStandardError().toStdString();

    QProcess* second = start("Velkaro");
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty()); // ends without a message
    EXPECT_EQ(first->state(), QProcess::Running);

    ASSERT_TRUE(QFile::copy(folder.path() + "/Velkaro", folder.path() + "/Other"));
    QProcess* copy = start("Other");
    ASSERT_TRUE(copy->waitForStarted(10000));
    EXPECT_TRUE(listening("Other"));
    EXPECT_EQ(copy->state(), QProcess::Running);
    EXPECT_EQ(first->state(), QProcess::Running);
}
