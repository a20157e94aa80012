// The new-version check against the version page velkaro-service serves, the program's own version
// being the shipped "0126700": a newer page, the same and an older one, pages of another form, and a
// page that cannot be read. (The connect's announcement: FirstStart_test.)
#include "core/Settings.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QString Page(const char* html) {
    return QStringLiteral("/_control/version?page=") + QString::fromLatin1(QUrl::toPercentEncoding(html));
}

} // namespace

TEST(NewVersion, ResultsForThePagesTheServiceServes) {
    TestProgram p({.withService = true, .speed = 0, .start = {}, .serviceArgs = {}});
    ASSERT_TRUE(p.Service->IsRunning());
    // No maker's host in the settings: nothing is read.
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    EXPECT_TRUE(p.Service->LogLines().isEmpty());

    SettingsIni->WriteString("Servidor", "Version", p.Service->BaseUrl() + "/");
    const struct {
        QString control;
        const char* result;
    } cases[] = {
        {"/_control/version?set=0126701", "New"},
        {"/_control/version?set=0126700", "Old"},
        {Page("<html><body bgcolor=\"#FFFFFF\">Version=0127000</body></html>"), "No"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(p.Service->Control(c.control).startsWith("OK")) << c.control.toStdString();
        EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), c.result) << c.control.toStdString();
    }

    // A page that cannot be read: a 404, and an answer that stalls beyond the time limit.
    ASSERT_TRUE(p.Service->Control("/_control/version?set=0127000").startsWith("OK"));
    ASSERT_TRUE(p.Service->Fault("notfound"));
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    FPartidos->VersionTimeoutSec = 1;
    ASSERT_TRUE(p.Service->Fault("stall", 1, {}, 3));
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "New"); // the fault was taken; the page reads again
}
