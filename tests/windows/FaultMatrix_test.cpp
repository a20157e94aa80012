// Every fault kind the service injects ("refused" is its "Connection refused" answer; a stall outlasts the
// client's limits, cut to half a second) at every request of the connect, a poll, an add, the first run
// and the league load. After each: no crash, no dialog left, the window idle; the table files and settings
// hold what they held; garbage after the document is no failure; the step taken again without the fault
// succeeds, in this window or the next start; and a poll then brings every followed match whole.
#include "core/LeagueGoals.h"
#include "core/LeagueTable.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UMain.h"
#include "support/gui/WindowTest.h"

namespace {

const QString DemoTeam = "250101";
const QString DemoMatch = "712000021";  // the demo team's match of the round
const QString OtherMatch = "712000022"; // another match of the round, for the add
constexpr int AddSlot = 1;

enum class Step { Connect, Poll, Add, FirstRun, LeagueLoad };
const char* const StepNames[] = {"Connect", "Poll", "Add", "FirstRun", "LeagueLoad"};

struct Row {
    Step step;
    QString file; // the file kind of the requests that fail
};
std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (const auto& [step, files] :
         {std::pair{Step::Connect, "servers login team bookmarks matches live matchdetails"},
          {Step::Poll, "live matchdetails"}, // a poll asks for no team details
          {Step::Add, "matchlineup live team matches"},
          {Step::FirstRun, "servers login team worlddetails"},
          {Step::LeagueLoad, "leaguedetails leaguefixtures matches players"}})
        for (const QString& file : QString(files).split(' '))
            rows.push_back({step, file});
    return rows;
}
const char* const Kinds[] = {"refused", "garbage", "invalidxml", "errordoc", "stall", "notfound", "drop"};

std::string Name(const Row& row) {
    return StepNames[int(row.step)] + ("_" + row.file.toStdString());
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << Name(row);
}

// The table files and the settings as the program reads them at start; under "problems" what keeps them
// from it, and the cached answers that do not parse.
QMap<QString, QStringList> ReadFiles(const QString& appDir) {
    QMap<QString, QStringList> files;
    DataStore store;
    const StartupLoadResult loaded = store.LoadAtStart(appDir);
    TBKStringGrid proxy;
    SetUpProxyTable(proxy);
    bool proxyLoaded = true;
    try {
        LoadTableFrom(proxy, appDir);
    } catch (...) {
        proxyLoaded = false;
    }
    for (const auto& [ok, table] : {std::pair{loaded.FavouritesLoaded, &store.BKStringGridFavoritos},
                                    {loaded.RecordedListLoaded, &store.BKStringGridListaGrabada},
                                    {loaded.EventsDataLoaded, &store.BKStringGridEventsData},
                                    {loaded.SoundsLoaded, &store.BKStringGridSonidos},
                                    {proxyLoaded, &proxy}}) {
        if (!ok)
            files["problems"] << table->Filename + " does not load";
        for (int r = 0; r < table->RowCount(); ++r)
            for (int c = 0; c < table->ColCount(); ++c)
                files[table->Filename] << table->Cells(c, r);
    }
    const IniFile settings(appDir + "Velkaro.ini");
    for (const QString& section : settings.ReadSections())
        for (const QString& key : settings.ReadSection(section))
            files["Velkaro.ini"] << section + '/' + key + '=' + settings.ReadString(section, key, {});
    const QDir cache(appDir + "data/Xml");
    for (const QString& name : cache.entryList({"*.xml"}, QDir::Files)) {
        try {
            XmlDocument().LoadFromFile(cache.filePath(name));
        } catch (...) {
            files["problems"] << "data/Xml/" + name + " does not parse";
        }
    }
    return files;
}

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
    // The clock (from 5 minutes before kick-off) moves 15 minutes a stage, so that each poll finds events.
    void RunCell(const QString& kind) {
        SCOPED_TRACE(Name(GetParam()) + " x " + kind.toStdString());
        kind_ = kind;
        SetClock(25);
        TestProgram::Options options;
        options.withMainWindow = step() == Step::FirstRun;
        program_ = std::make_unique<TestProgram>(options);
        program_->Folder.SetServiceAddress(service_->BaseUrl());
        if (step() == Step::FirstRun) {
            // The first tab change of a new user shows the first-run dialog; the cell runs inside it.
            ModalDialog::SetRunner([this](QDialog& d) {
                dialog_ = &dynamic_cast<TFDialogoInicioEquipo&>(d);
                dialog_->EditUsuario->setText("demo");
                dialog_->EditPassword->setText("velkaro");
                FaultThenClean();
                return dialog_->result();
            });
            FMain->TabControl1->setCurrentIndex(1);
            dialog_ = nullptr;
            // What the first run stored reaches the next start and the matches window.
            EXPECT_EQ(IniFile(AppDir + "Velkaro.ini").ReadString("Opciones", "TeamID", {}), DemoTeam);
            EXPECT_EQ(FMain->CurrentForm, FPartidos);
            EXPECT_EQ(FPartidos->EditUsuario->text(), "demo");
        } else {
            // A user who went through the first run: the team is in the settings.
            SettingsIni->WriteString("Opciones", "TeamID", DemoTeam);
            SettingsIni->UpdateFile();
            if (step() == Step::Poll || step() == Step::Add) {
                ConnectDemo();
                FPartidos->TimerConexion->stop();
                ASSERT_TRUE(FPartidos->PanelConexion->isHidden());
                // As after an add whose match details were not read: the poll asks for them.
                if (step() == Step::Poll && GetParam().file == "matchdetails")
                    for (const int column : {MatchColumn::FinishedFlag, MatchColumn::Spectators})
                        FOptions->BKStringGrid10Partidos().SetCells(column, 0, QString());
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

    Step step() const { return GetParam().step; }

    void SetClock(int minutes) const { // after the service's default start
        ASSERT_TRUE(
            service_->Control("/_control/clock?set=%2B" + QString::number(minutes) + 'm').startsWith("2024"));
    }

    static int StoredEvents(int slot) {
        const TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
        int n = 0; // the program's own events ("QZ_") are not the service's
        for (int r = 0; r < t.RowCount() && !t.Cells(EventColumn::EventNumber, r).isEmpty(); ++r)
            n += t.Cells(EventColumn::EventTypeKey, r).startsWith("QZ_") ? 0 : 1;
        return n;
    }

    void Act() {
        eventsBefore_ = StoredEvents(step() == Step::Add ? AddSlot : 0);
        switch (step()) {
        case Step::Connect:
        case Step::LeagueLoad:
            ConnectDemo(0, step() == Step::LeagueLoad ? 1 : 0);
            break;
        case Step::Poll:
            FPartidos->ButtonTiempoClick();
            break;
        case Step::Add:
            ShowSlot(AddSlot);
            if (!MatchCell(MatchColumn::MatchId, AddSlot).isEmpty())
                FPartidos->ButtonBorrarPartidoClick(); // what a fault left in the slot goes first
            FPartidos->EditAnadir2->setText(OtherMatch);
            FPartidos->ButtonAnadirPartidoClick();
            break;
        case Step::FirstRun:
            dialog_->BitBtnConectar->click();
            return;
        }
        FPartidos->TimerConexion->stop();
    }

    // The step's whole result is there.
    bool Done() const {
        const bool connected = FPartidos->PanelConexion->isHidden() && Connected == 1;
        auto followed = [](int slot, const QString& match) {
            return MatchCell(MatchColumn::MatchId, slot) == match && StoredEvents(slot) > 0 &&
                   MatchCell(MatchColumn::FinishedFlag, slot) == "0" &&
                   !MatchCell(MatchColumn::HomeLeagueName, slot).isEmpty() &&
                   !MatchCell(MatchColumn::AwayLeagueName, slot).isEmpty() &&
                   MatchCell(MatchColumn::MatchTypeCode, slot) == "1";
        };
        switch (step()) {
        case Step::Connect: {
            XmlDocument bookmarks;
            try {
                bookmarks.LoadFromFile(AppDir + "data/Xml/bookmarks.xml");
            } catch (const Exception&) {
            }
            return connected && followed(0, DemoMatch) &&
                   IsAnswerOf(bookmarks.DocumentElement(), "bookmarks.xml");
        }
        case Step::Poll:
            return StoredEvents(0) > eventsBefore_ && followed(0, DemoMatch) &&
                   !MatchCell(MatchColumn::Spectators, 0).trimmed().isEmpty();
        case Step::Add:
            return followed(AddSlot, OtherMatch);
        case Step::FirstRun:
            return dialog_->result() == ModalDialog::ResultOK;
        case Step::LeagueLoad: {
            bool whole =
                connected && !FPartidos->PageControlLiga->isHidden() &&
                !FPartidos->LabelLiga->text().isEmpty() && FPartidos->LabelJornada1->text() != "---" &&
                !FPartidos->BKStringGridLigaInicial.Cells(LeagueTableColumn::TableTeamName, 8).isEmpty();
            for (int slot = 0; slot < 4; ++slot)
                whole = whole && MatchCell(MatchColumn::InitialLoadFlag, slot) == "1" &&
                        MatchCell(MatchColumn::MatchTypeCode, slot) == "1";
            // Scorers between the caption row and the empty last row, each named from the players files.
            const QStringList scorers =
                Column(FPartidos->BKStringGridLigaGoleadores, GoalListColumn::GoalListName, 1);
            return whole && !scorers.isEmpty() && !scorers.contains(QString());
        }
        }
        return false;
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
        const QMap<QString, QStringList> before = ReadFiles(AppDir);
        ASSERT_FALSE(before.contains("problems")) << before["problems"].join('\n').toStdString();
        SetClock(40);
        ASSERT_TRUE(service_->Fault(kind_, 1000, GetParam().file, 1)); // every request of the kind fails
        HttpClient& http = DataModule1->IdHTTP1;
        const int overall = std::exchange(http.OverallTimeoutMs, 500);
        const int stall = std::exchange(http.StallTimeoutSec, 1);
        const qsizetype logged = service_->LogLines().size();
        Act();
        service_->Control("/_control/reset");
        http.OverallTimeoutMs = overall;
        http.StallTimeoutSec = stall;
        const QRegularExpression asked("[?&]file=" + GetParam().file + "(&|$)");
        EXPECT_FALSE(service_->LogLines().mid(logged).filter(asked).isEmpty())
            << "the step never met the fault";
        ExpectSettled("after the fault");
        const QMap<QString, QStringList> after = ReadFiles(AppDir);
        EXPECT_EQ(after["problems"], QStringList());
        EXPECT_EQ(after, before) << "a table file or the settings changed";
        const bool done = Done();
        EXPECT_TRUE(done || kind_ != "garbage") << "what follows the document is cut off";
        if (done)
            return;

        SetClock(55);
        if ((step() == Step::Connect || step() == Step::LeagueLoad) && FPartidos->PanelConexion->isHidden()) {
            // The connect went on without what failed: that window still works, and so does the next start.
            ExpectWindowWorks();
            DeleteProgramWindows();
            program_->Folder.OpenSettings();
            FOptions = new TFOptions();
            FPartidos = new TFPartidos();
            DataModule1 = new TDataModule1();
        }
        Act();
        ExpectSettled("after the step without the fault");
        EXPECT_TRUE(Done()) << "the step without the fault";
    }

    // A poll of the window (connected first when the step left it unconnected) brings every followed
    // match whole: every event of the service's live list, which answers them all.
    void ExpectWindowWorks() {
        if (!FPartidos->PanelConexion->isHidden()) {
            ConnectDemo(0, step() == Step::LeagueLoad ? 1 : 0);
            FPartidos->TimerConexion->stop();
            ASSERT_TRUE(FPartidos->PanelConexion->isHidden())
                << FPartidos->MemoConexion->toPlainText().toStdString();
        }
        SetClock(70);
        FPartidos->ButtonTiempoClick();
        FPartidos->TimerConexion->stop();
        ExpectSettled("after the checking poll");
        QString text;
        ConexionRequest(ChppPath + "live&version=1.4&actionType=view", text);
        XmlDocument doc;
        doc.SetXML(text);
        doc.SetActive(true);
        QMap<QString, XmlNode> listed;
        for (const XmlNode& m : doc.DocumentElement().Child("MatchList").Children())
            listed.insert(m.ChildText("MatchID"), m.Child("EventList"));
        for (int slot = 0; slot < MatchSlotCount; ++slot) {
            const QString match = MatchCell(MatchColumn::MatchId, slot);
            if (match.isEmpty())
                continue;
            ASSERT_TRUE(listed.contains(match)) << "slot " << slot << " not listed";
            const XmlNode events = listed[match];
            int highest = -1, listedHighest = -1;
            for (const XmlNode& e : events.Children())
                listedHighest = qMax(listedHighest, e.Attribute("Index").toInt());
            const TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
            for (int r = 0; r < t.RowCount(); ++r)
                highest = qMax(highest, t.Cells(EventColumn::EventIndex, r).toInt());
            EXPECT_EQ(StoredEvents(slot), events.ChildCount()) << "slot " << slot;
            EXPECT_EQ(highest, listedHighest) << "slot " << slot;
        }
    }
};

TEST_P(FaultMatrix, EveryFaultLeavesTheWindowWorkingAndTheFilesWhole) {
    for (const char* kind : Kinds)
        RunCell(QLatin1String(kind));
}

INSTANTIATE_TEST_SUITE_P(Steps, FaultMatrix, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return Name(info.param); });

} // namespace
