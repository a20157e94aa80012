// The polling clock and its controls: countdown, "now", pause and continue, the replay speed and
// play button, polls not re-entered, the kit pictures.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TestProgram::Options WithService() {
    return {.withService = true, .speed = 0, .start = "2024-03-16 19:25:00", .serviceArgs = {}};
}

void Login() {
    QString r;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), r);
    ASSERT_EQ(r, "OK");
}

int Requests(const TestProgram& p, const QString& part) {
    int n = 0;
    for (const QString& line : p.Service->LogLines())
        n += line.contains(part) ? 1 : 0;
    return n;
}

const QString ViewNew = QStringLiteral("actionType=viewNew");

} // namespace

TEST(Clock, SpeedTable) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    const struct {
        int position, interval;
        const char* caption;
    } table[] = {{2, 500, "2"}, {3, 250, "4"}, {4, 100, "10"}, {1, 1000, "1"}};
    // Moved while the clock stands: interval and caption change, the minute restarts, still stopped.
    for (const auto& row : table) {
        w.EditTiempo->setText("17");
        w.TrackBarVelocidad->setValue(row.position);
        EXPECT_EQ(w.TimerConexion->interval(), row.interval) << row.position;
        EXPECT_EQ(w.LabelVelocidad->text(), row.caption);
        EXPECT_EQ(w.EditTiempo->text(), "60");
        EXPECT_FALSE(w.TimerConexion->isActive());
    }
    // Moved while it runs: it runs on at the new pace.
    w.TimerConexion->start();
    w.TrackBarVelocidad->setValue(3);
    EXPECT_TRUE(w.TimerConexion->isActive());
    EXPECT_EQ(w.TimerConexion->interval(), 250);
}

TEST(Clock, CountdownAndReplaySteps) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    EXPECT_EQ(w.EditTiempo->text(), "50");
    w.TimerConexionTimer();
    EXPECT_EQ(w.EditTiempo->text(), "49");
    w.EditTiempo->setText("abc");
    w.TimerConexionTimer();
    EXPECT_EQ(w.EditTiempo->text(), "59");

    // Recorded mode: "0" runs a replay step, which moves the shared minute on from "-1".
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    w.ReplayMinute = "-1";
    const int rebuilds = w.RebuildCount;
    w.EditTiempo->setText("1");
    w.TimerConexionTimer();
    EXPECT_EQ(w.ReplayMinute, "0");
    EXPECT_EQ(w.EditTiempo->text(), "60");
    EXPECT_TRUE(w.TimerConexion->isActive());
    EXPECT_EQ(w.RebuildCount, rebuilds + 1);
    w.EditTiempo->setText("60"); // a step's own reset starts nothing
    EXPECT_EQ(w.ReplayMinute, "0");
    w.ReplayMinute = "x";
    w.DescargaDiferido();
    EXPECT_EQ(w.ReplayMinute, "1");
}

// Polls at zero and on "now"; while a poll plays its sounds the window takes input: "now" then is
// dropped, and a pause is kept rather than undone by the poll's restart of the clock.
TEST(Clock, LivePollsAtZeroAndOnNowAndAreNotReentered) {
    TestProgram p(WithService());
    Login();
    TFPartidos& w = *FPartidos;
    w.EditTiempo->setText("1");
    w.TimerConexionTimer();
    EXPECT_EQ(Requests(p, ViewNew), 1);
    EXPECT_EQ(w.EditTiempo->text(), "60");
    EXPECT_TRUE(w.TimerConexion->isActive());
    w.EditTiempo->setText("60");
    EXPECT_EQ(Requests(p, ViewNew), 1);
    w.ButtonTiempoClick();
    EXPECT_EQ(Requests(p, ViewNew), 2);

    // A failed download processes nothing but the clock runs again.
    ASSERT_TRUE(p.Service->Fault("notfound", 1, "live"));
    const int rebuilds = w.RebuildCount;
    w.TimerConexion->stop();
    w.ButtonTiempoClick();
    EXPECT_EQ(w.RebuildCount, rebuilds);
    EXPECT_TRUE(w.TimerConexion->isActive());

    FOptions->EditTeamID->setText("250101");
    FOptions->CheckBoxSonidos->setChecked(true);
    for (int k = 0; k < SoundKind::Count; ++k) {
        FOptions->CheckBoxSonidosKind[k]->setChecked(true);
        FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
    }
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::MatchId, 0, "712000021");
    QString text;
    ConexionRequest(ChppPath + "live&version=1.4&actionType=addMatch&matchID=712000021", text);
    // The add's answer was not stored: the poll repeats every event so far.
    ASSERT_TRUE(p.Service->Fault("repeat", 1, "live"));
    MediaPlayerRecorder rec;
    const int polls = Requests(p, ViewNew);
    int nested = 0;
    Dialogs::SetSleepHook([&](int) {
        if (nested++ == 0) {
            w.ButtonTiempoClick();
            w.BitBtnStopClick();
        }
    });
    w.ButtonTiempoClick();
    Dialogs::SetSleepHook({});
    EXPECT_GT(nested, 0);
    EXPECT_EQ(Requests(p, ViewNew), polls + 1);
    EXPECT_EQ(FOptions->BKStringGridEventos(0).RowCount(), 10);
    EXPECT_FALSE(w.TimerConexion->isActive());
    EXPECT_EQ(w.BitBtnStop->text(), "Continue");
}

TEST(Clock, PauseContinueAndReplayButton) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    w.TimerConexion->start();
    w.BitBtnStopClick();
    EXPECT_FALSE(w.TimerConexion->isActive());
    EXPECT_EQ(w.BitBtnStop->text(), "Continue");
    w.BitBtnStopClick();
    EXPECT_TRUE(w.TimerConexion->isActive());
    EXPECT_EQ(w.BitBtnStop->text(), "Pause");

    // The replay button: ready, playing, paused, playing; the first press closes the adding.
    w.TimerConexion->stop();
    EXPECT_EQ(w.SpeedButton1->toolTip(), "1");
    w.ButtonAnadirPartido->setHidden(false);
    w.SpeedButton1Click();
    EXPECT_EQ(w.SpeedButton1->toolTip(), "2");
    EXPECT_TRUE(w.TimerConexion->isActive());
    EXPECT_TRUE(w.ButtonAnadirPartido->isHidden());
    w.SpeedButton1Click();
    EXPECT_EQ(w.SpeedButton1->toolTip(), "3");
    EXPECT_FALSE(w.TimerConexion->isActive());
    w.SpeedButton1Click();
    EXPECT_EQ(w.SpeedButton1->toolTip(), "2");
    EXPECT_TRUE(w.TimerConexion->isActive());
}

TEST(Clock, DesignedKitsDownloadedOnce) {
    TestProgram p(WithService());
    Login();
    FPartidos->DescargarUniformes("X0012", "250101");
    for (const char* part : {".Shirt.gif", ".Shorts.gif", ".Socks.gif"}) {
        EXPECT_EQ(Requests(p, QString("/DesignedMatchKits/25/250101/X.250101.12") + part), 1) << part;
        EXPECT_TRUE(QFileInfo::exists(AppDir + "data/Xml/X.250101.12" + part)) << part;
    }
    const int before = p.Service->LogLines().size();
    FPartidos->DescargarUniformes("X0012", "250101"); // the shirt is there: nothing more
    FPartidos->DescargarUniformes("A1234567", "250101");
    FPartidos->DescargarUniformes("", "250101");
    FPartidos->DescargarUniformes("X12", "25/../1"); // never into a path
    EXPECT_EQ(p.Service->LogLines().size(), before);
}
