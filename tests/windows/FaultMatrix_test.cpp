// Injected faults end to end against velkaro-service: every fault kind the service injects, at every
// request of the connect, a poll, an add, the first run and the league load. One row of the table is
// one step and the file kind of the request that fails (every request of that kind fails while the step
// runs); its seven cells are the fault kinds. After each fault:
// - nothing crashed, no dialog or box is left open, the window is idle and the hourglass is gone;
// - every table file under data/ and the settings file still load and hold what they held, and every
//   cached answer under data/Xml/ parses;
// - an answer with garbage after the document is not a failure at all;
// - the step taken again without the fault succeeds: in the same window when it can be taken again
//   there (a stopped connect, an open first-run dialog, a poll, an add), otherwise in the program started
//   again on the same folder (a connect that went on without what failed);
// - the window still works: a poll brings every followed match whole, every event the service has for
//   it, in the window the fault hit and at the end.
//
// Cells the service cannot give, and why they are missing from the table:
// - a poll asks for no team details (they come with the connect and the add), so there is no
//   "poll x team" row;
// - "refused" is the service's answer "Connection refused" (what the client retries); a connection that
//   the host itself refuses cannot come from a running service (the HTTP client's own test has it);
// - "stall" holds the answer for a second; the client's limits are cut to half a second while the fault
//   is on, so it ends every stalled request itself.
#include "core/DataStore.h"
#include "core/LeagueGoals.h"
#include "core/LeagueTable.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/IniFile.h"
#include "platform/XmlDocument.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString DemoTeam = QStringLiteral("250101");
const QString DemoMatch = QStringLiteral("712000021");  // the demo team's match of the round
const QString OtherMatch = QStringLiteral("712000022"); // another match of the round, for the add
constexpr int AddSlot = 1;
constexpr int EveryRequest = 1000; // the most the service queues: every request of the kind fails
constexpr int StallSeconds = 1;

// The service clock, from its default start five minutes before the round kicks off: the window is
// arranged 20 minutes into the round, the fault hits at 35, the clean step runs at 50 and the checking
// polls at 65, so that each poll finds new events.
const char* const ArrangeClock = "+25m";
const char* const FaultClock = "+40m";
const char* const CleanClock = "+55m";
const char* const CheckClock = "+70m";

enum class Step { Connect, Poll, Add, FirstRun, LeagueLoad };

struct Row {
    Step step;
    const char* file; // the file kind of the requests that fail
};

const Row Rows[] = {
    {Step::Connect, "servers"},
    {Step::Connect, "login"},
    {Step::Connect, "team"},
    {Step::Connect, "bookmarks"},
    {Step::Connect, "matches"},
    {Step::Connect, "live"},
    {Step::Connect, "matchdetails"},
    {Step::Poll, "live"},
    {Step::Poll, "matchdetails"},
    {Step::Add, "matchlineup"},
    {Step::Add, "live"},
    {Step::Add, "team"},
    {Step::Add, "matches"},
    {Step::FirstRun, "servers"},
    {Step::FirstRun, "login"},
    {Step::FirstRun, "team"},
    {Step::FirstRun, "worlddetails"},
    {Step::LeagueLoad, "leaguedetails"},
    {Step::LeagueLoad, "leaguefixtures"},
    {Step::LeagueLoad, "matches"},
    {Step::LeagueLoad, "players"},
};

const char* const Kinds[] = {"refused", "garbage", "invalidxml", "errordoc", "stall", "notfound", "drop"};

std::string StepName(Step step);

void PrintTo(const Row& row, std::ostream* os) {
    *os << StepName(row.step) << " x " << row.file;
}

std::string StepName(Step step) {
    switch (step) {
    case Step::Connect:
        return "Connect";
    case Step::Poll:
        return "Poll";
    case Step::Add:
        return "Add";
    case Step::FirstRun:
        return "FirstRun";
    case Step::LeagueLoad:
        return "LeagueLoad";
    }
    return {};
}

QString MatchCell(int column, int slot) {
    return FOptions->BKStringGrid10Partidos().Cells(column, slot);
}

QStringList CellsOf(const TBKStringGrid& table) {
    QStringList cells;
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColCount(); ++c)
            cells << table.Cells(c, r);
    return cells;
}

// The table files and the settings as the program reads them at start, and what keeps them from it.
struct Files {
    QMap<QString, QStringList> content;
    QStringList problems;

    static Files Read(const QString& appDir) {
        Files f;
        DataStore store;
        const StartupLoadResult loaded = store.LoadAtStart(appDir);
        const std::pair<bool, const TBKStringGrid*> tables[] = {
            {loaded.FavouritesLoaded, &store.BKStringGridFavoritos},
            {loaded.RecordedListLoaded, &store.BKStringGridListaGrabada},
            {loaded.EventsDataLoaded, &store.BKStringGridEventsData},
            {loaded.SoundsLoaded, &store.BKStringGridSonidos}};
        for (const auto& [ok, table] : tables) {
            if (!ok)
                f.problems << table->Filename + " does not load";
            f.content.insert(table->Filename, CellsOf(*table));
        }
        TBKStringGrid proxy;
        SetUpProxyTable(proxy);
        try {
            LoadTableFrom(proxy, appDir);
            f.content.insert(proxy.Filename, CellsOf(proxy));
        } catch (...) {
            f.problems << proxy.Filename + " does not load";
        }
        const IniFile settings(appDir + QStringLiteral("Velkaro.ini"));
        QStringList values;
        for (const QString& section : settings.ReadSections())
            for (const QString& key : settings.ReadSection(section))
                values << section + '/' + key + '=' + settings.ReadString(section, key, QString());
        f.content.insert(QStringLiteral("Velkaro.ini"), values);
        const QDir cache(appDir + QStringLiteral("data/Xml"));
        for (const QString& name : cache.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
            try {
                XmlDocument doc;
                doc.LoadFromFile(cache.filePath(name));
            } catch (...) {
                f.problems << "data/Xml/" + name + " does not parse";
            }
        }
        return f;
    }
};

// The events of each match on the user's live list at the service: its event count and highest Index.
struct ListedMatch {
    int events = 0;
    int highestIndex = -1;
};

class FaultMatrix : public ::testing::TestWithParam<Row> {
protected:
    // One service for the whole table; every cell is a program of its own, logged in anew.
    static void SetUpTestSuite() { service_ = new ServiceProcess(0.0); }
    static void TearDownTestSuite() { delete std::exchange(service_, nullptr); }

    void SetUp() override {
        ASSERT_TRUE(service_->IsRunning()) << service_->ErrorText().toStdString();
        Cursor::SetHook([this](bool busy) { busyDepth_ += busy ? 1 : -1; });
    }
    void TearDown() override { Cursor::SetHook(nullptr); }

    // One cell: the window brought to the step, the step with the fault, the checks, the step without it.
    void RunCell(const QString& kind) {
        kind_ = kind;
        SetClock(ArrangeClock);
        if (GetParam().step == Step::FirstRun) {
            program_ = std::make_unique<TestProgram>(TestProgram::Options{
                .withService = false, .speed = 1.0, .start = {}, .serviceArgs = {}, .withMainWindow = true});
            program_->Folder.SetServiceAddress(service_->BaseUrl());
            // The first tab change of a new user shows the first-run dialog; the cell runs inside it.
            ModalDialog::SetRunner([this](QDialog& d) {
                dialog_ = &dynamic_cast<TFDialogoInicioEquipo&>(d);
                dialog_->EditUsuario->setText(QStringLiteral("demo"));
                dialog_->EditPassword->setText(QStringLiteral("velkaro"));
                FaultThenClean();
                return dialog_->result();
            });
            FMain->TabControl1->setCurrentIndex(1);
            dialog_ = nullptr;
            // What the first run stored reaches the next start and the matches window.
            const IniFile stored(program_->Folder.File(QStringLiteral("Velkaro.ini")));
            EXPECT_EQ(stored.ReadString(QStringLiteral("Opciones"), QStringLiteral("TeamID"), {}), DemoTeam);
            EXPECT_EQ(FMain->CurrentForm, FPartidos);
            EXPECT_EQ(FPartidos->EditUsuario->text(), QStringLiteral("demo"));
        } else {
            NewProgram();
            if (GetParam().step == Step::Poll || GetParam().step == Step::Add) {
                ConnectDemo();
                FPartidos->TimerConexion->stop();
                ASSERT_TRUE(FPartidos->PanelConexion->isHidden());
                if (GetParam().step == Step::Poll && GetParam().file == std::string("matchdetails")) {
                    // As after an add whose match details were not read: the poll asks for them.
                    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::FinishedFlag, 0, QString());
                    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::Spectators, 0, QString());
                }
            }
            FaultThenClean();
        }
        ExpectWindowWorks();
        program_.reset();
    }

private:
    static inline ServiceProcess* service_ = nullptr;
    std::unique_ptr<TestProgram> program_;
    TFDialogoInicioEquipo* dialog_ = nullptr;
    QString kind_;
    int busyDepth_ = 0;
    int eventsBefore_ = 0;

    QString Where() const {
        return QStringLiteral("%1 x %2 x %3")
            .arg(QString::fromStdString(StepName(GetParam().step)), QLatin1String(GetParam().file), kind_);
    }

    void SetClock(const char* offset) const {
        ASSERT_TRUE(service_
                        ->Control(QStringLiteral("/_control/clock?set=") +
                                  QString::fromLatin1(offset).replace('+', QStringLiteral("%2B")))
                        .startsWith("2024"));
    }

    // A user who went through the first run: the team is in the settings.
    void NewProgram() {
        program_ = std::make_unique<TestProgram>();
        program_->Folder.SetServiceAddress(service_->BaseUrl());
        SettingsIni->WriteString(QStringLiteral("Opciones"), QStringLiteral("TeamID"), DemoTeam);
        SettingsIni->UpdateFile();
        FOptions->EditTeamID->setText(DemoTeam);
    }

    // The user closes the program and starts it again on the same folder.
    void Restart() {
        DeleteProgramWindows();
        program_->Folder.OpenSettings();
        FOptions = new TFOptions();
        FPartidos = new TFPartidos();
        DataModule1 = new TDataModule1();
    }

    static int StoredEvents(int slot) {
        const TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
        int n = 0;
        for (int r = 0; r < t.RowCount() && !t.Cells(EventColumn::EventNumber, r).isEmpty(); ++r)
            if (!t.Cells(EventColumn::EventTypeKey, r).startsWith(QLatin1String("QZ_")))
                ++n; // the program's own events are not the service's
        return n;
    }

    // Whether one of the requests is of the row's file kind.
    bool AskedFor(const QStringList& requests) const {
        const QRegularExpression kind(QStringLiteral("[?&]file=%1(&|$)").arg(QLatin1String(GetParam().file)));
        return std::any_of(requests.begin(), requests.end(),
                           [&](const QString& line) { return kind.match(line).hasMatch(); });
    }

    // The user's action of the step.
    void Act() {
        eventsBefore_ = StoredEvents(GetParam().step == Step::Add ? AddSlot : 0);
        switch (GetParam().step) {
        case Step::Connect:
        case Step::LeagueLoad:
            ConnectDemo(0, GetParam().step == Step::LeagueLoad ? 1 : 0);
            FPartidos->TimerConexion->stop();
            break;
        case Step::Poll:
            FPartidos->ButtonTiempoClick();
            FPartidos->TimerConexion->stop();
            break;
        case Step::Add:
            ShowSlot(AddSlot);
            if (!MatchCell(MatchColumn::MatchId, AddSlot).isEmpty())
                FPartidos->ButtonBorrarPartidoClick(); // what a fault left in the slot goes first
            FPartidos->EditAnadir2->setText(OtherMatch);
            FPartidos->ButtonAnadirPartidoClick();
            FPartidos->TimerConexion->stop();
            break;
        case Step::FirstRun:
            dialog_->BitBtnConectar->click();
            break;
        }
    }

    // The step's whole result is there.
    bool Done() const {
        auto connected = [] { return FPartidos->PanelConexion->isHidden() && Connected == 1; };
        auto followed = [](int slot, const QString& match) {
            return MatchCell(MatchColumn::MatchId, slot) == match && StoredEvents(slot) > 0 &&
                   MatchCell(MatchColumn::FinishedFlag, slot) == QLatin1String("0") &&
                   !MatchCell(MatchColumn::HomeLeagueName, slot).isEmpty() &&
                   !MatchCell(MatchColumn::AwayLeagueName, slot).isEmpty() &&
                   MatchCell(MatchColumn::MatchTypeCode, slot) == QLatin1String("1");
        };
        switch (GetParam().step) {
        case Step::Connect: {
            XmlDocument bookmarks;
            try {
                bookmarks.LoadFromFile(AppDir + QStringLiteral("data/Xml/bookmarks.xml"));
            } catch (const Exception&) {
            }
            return connected() && followed(0, DemoMatch) &&
                   IsAnswerOf(bookmarks.DocumentElement(), QStringLiteral("bookmarks.xml"));
        }
        case Step::Poll:
            return StoredEvents(0) > eventsBefore_ && followed(0, DemoMatch) &&
                   !MatchCell(MatchColumn::Spectators, 0).trimmed().isEmpty();
        case Step::Add:
            return followed(AddSlot, OtherMatch);
        case Step::FirstRun:
            return dialog_->result() == ModalDialog::ResultOK;
        case Step::LeagueLoad: {
            for (int slot = 0; slot < 4; ++slot)
                if (MatchCell(MatchColumn::InitialLoadFlag, slot) != QLatin1String("1") ||
                    MatchCell(MatchColumn::MatchTypeCode, slot) != QLatin1String("1"))
                    return false;
            // Scorers between the caption row and the empty last row, each named from the players files.
            const TBKStringGrid& scorers = FPartidos->BKStringGridLigaGoleadores;
            bool named = scorers.RowCount() > 2;
            for (int r = 1; r < scorers.RowCount() - 1; ++r)
                named = named && !scorers.Cells(GoalListColumn::GoalListName, r).isEmpty();
            return connected() && named && !FPartidos->PageControlLiga->isHidden() &&
                   !FPartidos->LabelLiga->text().isEmpty() &&
                   FPartidos->LabelJornada1->text() != QLatin1String("---") &&
                   !FPartidos->BKStringGridLigaInicial.Cells(LeagueTableColumn::TableTeamName, 8).isEmpty();
        }
        }
        return false;
    }

    // Whether the step can be taken again in this window; a connect that went on cannot.
    bool CanActAgain() const {
        switch (GetParam().step) {
        case Step::Connect:
        case Step::LeagueLoad:
            return !FPartidos->PanelConexion->isHidden();
        default:
            return true;
        }
    }

    void ExpectSettled(const char* when) const {
        SCOPED_TRACE(when);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QDialog*>(w) && w->isVisible()) << w->objectName().toStdString();
        for (const Dialogs::Box& box : program_->Boxes.Boxes)
            EXPECT_FALSE(box.text.trimmed().isEmpty()) << "a box that says nothing";
        EXPECT_EQ(busyDepth_, 0) << "the hourglass stays";
        EXPECT_FALSE(FPartidos->ConnectRunning || FPartidos->PollRunning || FPartidos->AddRunning);
    }

    void FaultThenClean() {
        SCOPED_TRACE(Where().toStdString());
        const Files before = Files::Read(AppDir);
        ASSERT_TRUE(before.problems.isEmpty()) << before.problems.join('\n').toStdString();

        SetClock(FaultClock);
        ASSERT_TRUE(service_->Fault(kind_, EveryRequest, QLatin1String(GetParam().file), StallSeconds));
        HttpClient& http = DataModule1->IdHTTP1;
        const int overall = std::exchange(http.OverallTimeoutMs, 500);
        const int stall = std::exchange(http.StallTimeoutSec, 1);
        const qsizetype logged = service_->LogLines().size();
        Act();
        service_->Control(QStringLiteral("/_control/reset"));
        http.OverallTimeoutMs = overall;
        http.StallTimeoutSec = stall;
        EXPECT_TRUE(AskedFor(service_->LogLines().mid(logged))) << "the step never met the fault";

        ExpectSettled("after the fault");
        const Files after = Files::Read(AppDir);
        EXPECT_TRUE(after.problems.isEmpty()) << after.problems.join('\n').toStdString();
        EXPECT_EQ(after.content, before.content) << "a table file or the settings changed";
        const bool done = Done();
        if (kind_ == QLatin1String("garbage")) {
            EXPECT_TRUE(done) << "what follows the document is cut off: the answer is whole";
        }
        if (done)
            return;

        SetClock(CleanClock);
        if (!CanActAgain()) {
            // The connect went on without what failed: that window still works, and so does the next start.
            ExpectWindowWorks();
            Restart();
        }
        Act();
        ExpectSettled("after the step without the fault");
        EXPECT_TRUE(Done()) << "the step without the fault";
    }

    // A poll of the window (connected first when the step left it unconnected) brings every followed match
    // whole.
    void ExpectWindowWorks() {
        SCOPED_TRACE(Where().toStdString());
        if (!FPartidos->PanelConexion->isHidden()) {
            ConnectDemo(0, GetParam().step == Step::LeagueLoad ? 1 : 0);
            FPartidos->TimerConexion->stop();
            ASSERT_TRUE(FPartidos->PanelConexion->isHidden())
                << FPartidos->MemoConexion->toPlainText().toStdString();
        }
        SetClock(CheckClock);
        FPartidos->ButtonTiempoClick();
        FPartidos->TimerConexion->stop();
        ExpectSettled("after the checking poll");

        const QMap<QString, ListedMatch> listed = LiveList();
        for (int slot = 0; slot < MatchSlotCount; ++slot) {
            const QString match = MatchCell(MatchColumn::MatchId, slot);
            if (match.isEmpty())
                continue;
            ASSERT_TRUE(listed.contains(match)) << "slot " << slot << ": match " << match.toStdString()
                                                << " is not on the service's live list";
            const TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
            int highest = -1;
            for (int r = 0; r < t.RowCount(); ++r)
                highest = qMax(highest, t.Cells(EventColumn::HighestIndex, r).toInt());
            EXPECT_EQ(StoredEvents(slot), listed[match].events) << "slot " << slot;
            EXPECT_EQ(highest, listed[match].highestIndex) << "slot " << slot;
        }
    }

    // Every event the service has for each match on the user's live list, from the answer that gives
    // them all. The service counts them as sent, which changes nothing for a slot that holds them.
    static QMap<QString, ListedMatch> LiveList() {
        QString text;
        ConexionRequest(ChppPath + QStringLiteral("live&version=1.4&actionType=view"), text);
        XmlDocument doc;
        doc.SetXML(text);
        doc.SetActive(true);
        QMap<QString, ListedMatch> out;
        const XmlNode list = doc.DocumentElement().Child(QStringLiteral("MatchList"));
        for (int i = 0; i < list.ChildCount(); ++i) {
            const XmlNode events = list.Child(i).Child(QStringLiteral("EventList"));
            ListedMatch& m = out[list.Child(i).ChildText(QStringLiteral("MatchID"))];
            m.events = events.ChildCount();
            for (int e = 0; e < events.ChildCount(); ++e)
                m.highestIndex =
                    qMax(m.highestIndex, events.Child(e).Attribute(QStringLiteral("Index")).toInt());
        }
        return out;
    }
};

TEST_P(FaultMatrix, EveryFaultLeavesTheWindowWorkingAndTheFilesWhole) {
    for (const char* kind : Kinds)
        RunCell(QLatin1String(kind));
}

INSTANTIATE_TEST_SUITE_P(Steps, FaultMatrix, ::testing::ValuesIn(Rows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return StepName(info.param.step) + "_" + info.param.file;
                         });

} // namespace
