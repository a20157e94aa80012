// TFPartidos: adding a match to the shown free slot (live, or finished for replay) and removing
// matches from the service's live list, which mirrors the filled slots.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "viewer/AnswerReading.h"
#include "viewer/UPartidosCargaComun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

using namespace Carga;

bool Carga::FillMatchRow(int Slot, const QString& MatchId, const XmlNode& Match) {
    const QString homeId = NumberText(Match.ChildText(QStringLiteral("HomeTeam/HomeTeamID")));
    const QString awayId = NumberText(Match.ChildText(QStringLiteral("AwayTeam/AwayTeamID")));
    const QString start = Match.ChildText(QStringLiteral("MatchDate")).trimmed();
    if (homeId.isEmpty() || awayId.isEmpty() || start.size() > kMaxAnswerNameLength)
        return false;
    TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
    t.SetCells(MatchColumn::MatchId, Slot, MatchId);
    t.SetCells(MatchColumn::HomeTeamId, Slot, homeId);
    t.SetCells(MatchColumn::AwayTeamId, Slot, awayId);
    t.SetCells(MatchColumn::HomeName, Slot,
               AnswerName(Match.ChildText(QStringLiteral("HomeTeam/HomeTeamName"))));
    t.SetCells(MatchColumn::AwayName, Slot,
               AnswerName(Match.ChildText(QStringLiteral("AwayTeam/AwayTeamName"))));
    t.SetCells(MatchColumn::MatchStart, Slot, start);
    return true;
}

namespace {

const QString OK = QStringLiteral("OK");
constexpr int MaxListedLiveMatches = 50;

QString NoDownloadLine() {
    return QStringLiteral("\n") + ConnectionText("MessageNoDownload", "No download.");
}

// The add's message for an answer that is not the file asked for: the service's own words when it
// sent its error document.
void ShowWrongAnswer(const QString& serviceError) {
    QString text = ConnectionText("MessageWrongAnswer",
                                  "The game service did not send the match data asked for. Try again later.");
    if (!serviceError.isEmpty())
        text += QStringLiteral("\n") + serviceError;
    ShowMessage(text + NoDownloadLine());
}

// Fills row Slot from the match of the live file whose MatchID is MatchId; a match missing from the
// file leaves the row as it was. False when the live file is not the live list (the service's error
// document): nothing is written and the user is told.
bool FillRowFromLiveFile(const QString& MatchId, int Slot, bool Youth) {
    QString serviceError;
    const AnswerRead read = ReadAnswer(
        LiveFile(), QStringLiteral("live.xml"),
        [&](const XmlNode& root) {
            for (const XmlNode& match : root.Child(QStringLiteral("MatchList")).Children()) {
                const QString id = NumberText(match.ChildText(QStringLiteral("MatchID")));
                if (id.isEmpty() || id != NumberText(MatchId))
                    continue;
                if (!Carga::FillMatchRow(Slot, id, match))
                    return;
                FOptions->BKStringGrid10Partidos().SetCells(
                    MatchColumn::YouthFlag, Slot, Youth ? QStringLiteral("1") : QStringLiteral("0"));
                return;
            }
        },
        &serviceError);
    if (read != AnswerRead::NotTheFile)
        return true;
    ShowWrongAnswer(serviceError);
    return false;
}

// The live file holds the service's live list (not its error document, not a broken answer).
bool HoldsLiveList() {
    return ReadAnswer(LiveFile(), QStringLiteral("live.xml"), [](const XmlNode&) {}) == AnswerRead::Read;
}

bool ValidSlot(int Slot) {
    return Slot >= 0 && Slot < MatchSlotCount;
}

} // namespace

void TFPartidos::ButtonAnadirPartidoClick() {
    // The add pumps messages (sounds, the view): a second click, or a poll, must not run inside it.
    if (AddRunning || ConnectRunning || PollRunning)
        return;
    AddRunning = true;
    const bool clockWasRunning = TimerConexion && TimerConexion->isActive();
    if (TimerConexion)
        TimerConexion->stop();
    if (BitBtnStop)
        BitBtnStop->setEnabled(false);
    struct Restore {
        TFPartidos* w;
        bool clockWasRunning;
        ~Restore() {
            if (w->TimerConexion) {
                if (clockWasRunning)
                    w->TimerConexion->start();
                else
                    w->TimerConexion->stop();
            }
            if (w->BitBtnStop)
                w->BitBtnStop->setEnabled(true);
            w->AddRunning = false;
        }
    } restore{this, clockWasRunning};

    try {
        const bool live = RadioGroupTipoPartidos->ItemIndex() == 0;
        const int slot = TabControlPartidos->currentIndex();
        const bool youth = RadioGroupEsJuveniles && RadioGroupEsJuveniles->ItemIndex() == 1;
        const QString noDownload = ConnectionText("MessageNoDownload", "No download");
        bool noDownloadShown = false;

        QString matchId;
        try {
            const QString typed = EditAnadir2 ? EditAnadir2->text() : QString();
            const QString team = EditAnadir12 ? EditAnadir12->text() : QString();
            if (!typed.isEmpty()) {
                matchId = typed;
            } else if (!team.isEmpty()) {
                const QString file = XmlFile(QStringLiteral("matchesTemp.xml"));
                QString result;
                BajarFicheroXML(TeamMatchesPath(team, youth), file, result);
                if (result != OK) {
                    ShowMessage(noDownload);
                    noDownloadShown = true;
                } else {
                    // Another answer than the team's matches (the service's error document for a
                    // team it does not know) finds no match: "No download" below.
                    ReadAnswer(file, QStringLiteral("matches.xml"), [&](const XmlNode& root) {
                        XmlNode previous;
                        for (const XmlNode& match : root.Path(QStringLiteral("Team/MatchList")).Children()) {
                            if (match.ChildText(QStringLiteral("Status")) != QLatin1String("FINISHED")) {
                                // Live: the team's next match; recorded: the latest finished one, just
                                // before it.
                                const XmlNode& chosen = live ? match : previous;
                                if (!chosen.IsNull())
                                    matchId = NumberText(chosen.ChildText(QStringLiteral("MatchID")));
                                break;
                            }
                            previous = match;
                        }
                    });
                }
            }
        } catch (...) {
        }

        // No match to add: nothing is asked of the service and no slot is touched.
        if (matchId.isEmpty()) {
            if (!noDownloadShown)
                ShowMessage(noDownload);
            return;
        }
        if (SeleccionarFila10Partidos(matchId)) {
            ShowMessage(ConnectionText("MessageMatchAddedBefore", "This match has been added before.") +
                        NoDownloadLine());
            return;
        }
        AnadirPartido(matchId, slot, youth);
        TabControlPartidosChange();
    } catch (...) {
    }
}

void TFPartidos::AnadirPartido(const QString& MatchId, int Slot, bool Youth) {
    try {
        if (MatchId.isEmpty() || !ValidSlot(Slot) || !DataModule1 || !FOptions)
            return;
        const QString file = XmlFile(QStringLiteral("matchLineupTemp.xml"));
        QString result;
        BajarFicheroXML(ChppPath + QStringLiteral("matchlineup&version=1.3&matchID=") + MatchId +
                            YouthSuffix(Youth),
                        file, result);
        if (result != OK) {
            ShowMessage(QStringLiteral("Error. AñadirPartido. ") + NoDownloadLine());
            return;
        }

        // The service gives a line-up only for a match that has been played. Its error document tells
        // nothing of the match: the add stops there and says so.
        QString firstPlayer;
        QString serviceError;
        const AnswerRead read = ReadAnswer(
            file, QStringLiteral("matchlineup.xml"),
            [&](const XmlNode& root) {
                firstPlayer = NumberText(
                    root.Path(QStringLiteral("Team/Lineup")).Child(0).ChildText(QStringLiteral("PlayerID")));
            },
            &serviceError);
        if (read == AnswerRead::NotTheFile) {
            ShowWrongAnswer(serviceError);
            return;
        }
        const bool played = !firstPlayer.isEmpty();

        CreateImageTabs();
        const bool liveCaption =
            LabelTipoPartido->text() ==
            LangText(QStringLiteral("Matches"), QStringLiteral("Live"), QStringLiteral("Live"));
        if (!played && !liveCaption) {
            ShowMessage(ConnectionText("MessageMatchNotFinished", "Not finished match.") + NoDownloadLine());
            return;
        }
        if (played && liveCaption) {
            ShowMessage(ConnectionText("MessageMatchFinished", "Ended match.") + NoDownloadLine());
            return;
        }
        if (RadioGroupTipoPartidos->ItemIndex() == 0)
            AnadirPartidoVivo(MatchId, Slot, Youth);
        else
            AnadirPartidoFinalizado(MatchId, Slot, Youth);
    } catch (...) {
    }
}

void TFPartidos::AnadirPartidoVivo(const QString& MatchId, int Slot, bool Youth) {
    try {
        if (MatchId.isEmpty() || !ValidSlot(Slot) || !DataModule1 || !FOptions)
            return;
        QString result;
        BajarFicheroXML(LiveAddPath(MatchId, Youth), LiveFile(), result);
        if (result != OK || !FillRowFromLiveFile(MatchId, Slot, Youth))
            return;
        EventosPartidos();
        DescargarDatosEquipos(Slot);
        Actualizar10Partidos(QString());
    } catch (...) {
    }
}

void TFPartidos::AnadirPartidoFinalizado(const QString& MatchId, int Slot, bool Youth) {
    try {
        if (MatchId.isEmpty() || !ValidSlot(Slot) || !DataModule1 || !FOptions)
            return;
        if (SpeedButton1)
            SpeedButton1->setEnabled(true);
        QString result;
        BajarFicheroXML(LiveAddPath(MatchId, Youth), LiveFile(), result);
        if (result != OK || !FillRowFromLiveFile(MatchId, Slot, Youth))
            return;
        try {
            // The events of this match, wherever it stands in the service's answer.
            EventosPartidosFinalizadoDescarga(MatchId);
            DescargarDatosEquipos(Slot);
            // Before the first replay step the replay starts at "-1". A match added once the replay
            // runs joins it at the shared minute: its own events up to there are released at once,
            // while the other slots release nothing twice.
            bool isNumber = false;
            if (const int minute = ReplayMinute.toInt(&isNumber); !isNumber || minute < 0)
                ReplayMinute = QStringLiteral("-1");
            EventosPartidosFinalizadoActualizar(ReplayMinute);
            Actualizar10Partidos(ReplayMinute);
        } catch (...) {
        }
        // The service's live list holds only the matches followed live.
        BorrarPartidoVivo(MatchId, Youth);
    } catch (...) {
    }
}

void TFPartidos::BorrarPartidoVivo(const QString& MatchId, bool Youth) {
    try {
        QString answer;
        ConexionRequest(LiveDeletePath(MatchId, Youth), answer);
    } catch (...) {
    }
}

void TFPartidos::BorrarTodosPartidos() {
    try {
        if (!DataModule1)
            return;
        QString result;
        BajarFicheroXML(LiveListPath(), LiveFile(), result);
        if (result != OK)
            return;
        QVector<QPair<QString, bool>> listed;
        ReadAnswer(LiveFile(), QStringLiteral("live.xml"), [&](const XmlNode& root) {
            for (const XmlNode& match : root.Child(QStringLiteral("MatchList")).Children()) {
                const QString id = NumberText(match.ChildText(QStringLiteral("MatchID")));
                if (id.isEmpty())
                    continue; // nothing could be asked about it
                listed.append(
                    {id, match.ChildText(QStringLiteral("IsYouth")).toUpper() == QLatin1String("TRUE")});
                // The game keeps a short live list; a longer one is not worth a request per entry.
                if (listed.size() == MaxListedLiveMatches)
                    break;
            }
        });
        for (const auto& entry : listed)
            BorrarPartidoVivo(entry.first, entry.second);
    } catch (...) {
    }
}

void TFPartidos::PartidosIniciales() {
    DatosEquiposDebidos.clear();
    try {
        if (!FOptions)
            return;
        TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
        for (int slot = 0; slot < MatchSlotCount; ++slot) {
            const QString matchId = t.Cells(MatchColumn::MatchId, slot);
            if (matchId.isEmpty())
                continue;
            const bool youth = t.Cells(MatchColumn::YouthFlag, slot) == QLatin1String("1");
            QString result;
            BajarFicheroXML(LiveAddPath(matchId, youth), LiveFile(), result);
            if (result != OK || !HoldsLiveList())
                VivoIncompleto = true; // the next poll registers it again
            if (result != OK) {
                DatosEquiposDebidos.insert(slot, matchId);
                continue;
            }
            EventosPartidos();
            DescargarDatosEquipos(slot);
            Actualizar10Partidos(QString());
        }
    } catch (...) {
    }
}

void TFPartidos::ReanadirPartidosVivos() {
    bool complete = true;
    try {
        const TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
        for (int slot = 0; slot < MatchSlotCount; ++slot) {
            const QString matchId = t.Cells(MatchColumn::MatchId, slot);
            if (matchId.isEmpty())
                continue;
            QString result;
            BajarFicheroXML(LiveAddPath(matchId, t.Cells(MatchColumn::YouthFlag, slot) == QLatin1String("1")),
                            LiveFile(), result);
            if (result != OK || !HoldsLiveList()) {
                complete = false;
                continue;
            }
            EventosPartidos();
            // A match of another ID in the slot was added since, and got its details with its add.
            if (DatosEquiposDebidos.contains(slot)) {
                if (DatosEquiposDebidos.take(slot) == matchId)
                    DescargarDatosEquipos(slot);
            }
        }
    } catch (...) {
        complete = false;
    }
    VivoIncompleto = !complete;
}
