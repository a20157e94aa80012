// TFPartidos: adding a match to the shown free slot (live, or finished for replay) and removing
// matches from the service's live list, which mirrors the filled slots.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/UDataModule1.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "viewer/UPartidosCargaComun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

using namespace Carga;

namespace {

const QString OK = QStringLiteral("OK");

// Sets the document inactive when the reading ends, however it ends.
struct CloseAfter {
    XmlDocument& xml;
    ~CloseAfter() { xml.SetActive(false); }
};

QString NoDownloadLine() {
    return QStringLiteral("\n") + ConnectionText("MessageNoDownload", "No download.");
}

// Fills row Slot from the match of the live file whose MatchID is MatchId; a match missing from the
// file leaves the row as it was.
void FillRowFromLiveFile(const QString& MatchId, int Slot, bool Youth) {
    XmlDocument& xml = DataModule1->XMLDocument1;
    try {
        CloseAfter close{xml};
        xml.SetActive(false);
        xml.LoadFromFile(LiveFile());
        const XmlNode list = xml.DocumentElement().Child(QStringLiteral("MatchList"));
        for (int i = 0; i < list.ChildCount(); ++i) {
            const XmlNode match = list.Child(i);
            if (match.ChildText(QStringLiteral("MatchID")) != MatchId)
                continue;
            TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
            t.SetCells(MatchColumn::MatchId, Slot, MatchId);
            t.SetCells(MatchColumn::HomeTeamId, Slot, match.ChildText(QStringLiteral("HomeTeam/HomeTeamID")));
            t.SetCells(MatchColumn::AwayTeamId, Slot, match.ChildText(QStringLiteral("AwayTeam/AwayTeamID")));
            t.SetCells(MatchColumn::HomeName, Slot, match.ChildText(QStringLiteral("HomeTeam/HomeTeamName")));
            t.SetCells(MatchColumn::AwayName, Slot, match.ChildText(QStringLiteral("AwayTeam/AwayTeamName")));
            t.SetCells(MatchColumn::MatchStart, Slot, match.ChildText(QStringLiteral("MatchDate")));
            t.SetCells(MatchColumn::YouthFlag, Slot, Youth ? QStringLiteral("1") : QStringLiteral("0"));
            return;
        }
    } catch (...) {
    }
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
                    XmlDocument& xml = DataModule1->XMLDocument1;
                    CloseAfter close{xml};
                    xml.SetActive(false);
                    xml.LoadFromFile(file);
                    const XmlNode list = xml.DocumentElement().Path(QStringLiteral("Team/MatchList"));
                    for (int i = 0; i < list.ChildCount(); ++i) {
                        if (list.Child(i).ChildText(QStringLiteral("Status")) == QLatin1String("FINISHED"))
                            continue;
                        // Live: the team's next match; recorded: the latest finished one, just before it.
                        if (live)
                            matchId = list.Child(i).ChildText(QStringLiteral("MatchID"));
                        else if (i > 0)
                            matchId = list.Child(i - 1).ChildText(QStringLiteral("MatchID"));
                        break;
                    }
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

        // The service gives a line-up only for a match that has been played.
        QString firstPlayer;
        XmlDocument& xml = DataModule1->XMLDocument1;
        try {
            CloseAfter close{xml};
            xml.SetActive(false);
            xml.LoadFromFile(file);
            firstPlayer = xml.DocumentElement()
                              .Path(QStringLiteral("Team/Lineup"))
                              .Child(0)
                              .ChildText(QStringLiteral("PlayerID"));
        } catch (...) {
            firstPlayer.clear();
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
        if (result != OK)
            return;
        FillRowFromLiveFile(MatchId, Slot, Youth);
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
        if (result != OK)
            return;
        FillRowFromLiveFile(MatchId, Slot, Youth);
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
        {
            XmlDocument& xml = DataModule1->XMLDocument1;
            CloseAfter close{xml};
            xml.SetActive(false);
            xml.LoadFromFile(LiveFile());
            const XmlNode list = xml.DocumentElement().Child(QStringLiteral("MatchList"));
            for (int i = 0; i < list.ChildCount(); ++i) {
                const XmlNode match = list.Child(i);
                listed.append(
                    {match.ChildText(QStringLiteral("MatchID")),
                     match.ChildText(QStringLiteral("IsYouth")).toUpper() == QLatin1String("TRUE")});
            }
        }
        for (const auto& entry : listed)
            BorrarPartidoVivo(entry.first, entry.second);
    } catch (...) {
    }
}

void TFPartidos::PartidosIniciales() {
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
            if (result != OK)
                continue;
            EventosPartidos();
            DescargarDatosEquipos(slot);
            Actualizar10Partidos(QString());
        }
    } catch (...) {
    }
}
