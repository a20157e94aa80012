// TFPartidos: the connect sequence and the initial load. One long run on the window thread: settings
// saved, cache emptied, version checked, login, the user's team and bookmarks, the service's live list
// emptied, the first slots filled, the match view shown, the filled slots registered and the clock
// started. Progress goes to MemoConexion and GaugeConexion, which repaint in the pumping moments.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/TeamAnswer.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/Exceptions.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/Gauge.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "viewer/AnswerReading.h"
#include "viewer/UPartidosCargaComun.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

using namespace Carga;

namespace {

// Ends the connect when something it needs is missing; the sequence's guard swallows it.
struct ConnectStopped {};

// Every file of the download cache goes (kit pictures included); folders below it are kept.
void EmptyDownloadCache() {
    QDir cache(AppDir + QStringLiteral("data/Xml"));
    if (!cache.exists()) {
        QDir().mkpath(cache.path());
        return;
    }
    const QStringList files = cache.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files)
        QFile::remove(cache.filePath(name)); // a file that cannot be deleted is passed over
}

QString DownloadLine(const char* key) {
    return ConnectionText("MessageDownloading", "") + QLatin1Char(' ') + ConnectionText(key, "");
}

constexpr unsigned ColorWhite = 0xFFFFFF;

// The title's colour is its background; the words stay dark and framed on either colour.
QString StyleColor(unsigned bgr) {
    return QStringLiteral("background-color: rgb(%1, %2, %3); color: black; border: 1px solid gray; "
                          "padding: 2px 8px;")
        .arg(bgr & 0xFF)
        .arg((bgr >> 8) & 0xFF)
        .arg((bgr >> 16) & 0xFF);
}

} // namespace

void TFPartidos::BitBtnConectarClick() {
    // The sequence pumps messages: a second press or Enter meanwhile must not start it again.
    if (ConnectRunning)
        return;
    ConnectRunning = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{ConnectRunning};
    ++ConnectCount;

    auto memo = [this](const QString& line) { MemoConexion->appendPlainText(line); };
    auto gauge = [this](int percent, bool pump = true) {
        GaugeConexion->SetProgress(percent);
        if (pump)
            QCoreApplication::processEvents();
    };

    GuardarDatos();
    try {
        EmptyDownloadCache();
    } catch (...) {
    }

    try {
        if (!DataModule1 || !FOptions)
            throw ConnectStopped{};
        memo(ConnectionText("MessageConnecting", ""));
        gauge(10);

        try {
            const QString version = ComprobarNuevaVersion();
            if (version == QLatin1String("New")) {
                memo(ConnectionText("MessageNewVersionQZ", ""));
                ShowMessage(
                    ConnectionText("MessageNewVersionQZ", "New Velkaro version. Download and update."));
            } else if (version == QLatin1String("No")) {
                memo(ConnectionText("MessageNoVersionQZ", ""));
            } else {
                memo(ConnectionText("MessageLastVersionQZ", ""));
            }
        } catch (const Exception& e) {
            memo(QStringLiteral("Error. Check version. ") + e.Message);
        } catch (const std::exception& e) {
            memo(QStringLiteral("Error. Check version. ") + QString::fromUtf8(e.what()));
        }
        gauge(12);

        DataModule1->IdHTTP1.ProxyParams = ProxyParamsFromControls();

        QString result;
        ConexionLogin(EditUsuario->text(), EditPassword->text(), result);
        if (result != QLatin1String("OK")) {
            memo(QStringLiteral("Error. ") + result);
            EditPassword->clear();
            gauge(0, false);
            EditPassword->setFocus();
            return;
        }
        Connected = 1;
        memo(ConnectionText("MessageLogin", ""));
        gauge(20);

        memo(DownloadLine("MessageTeamDetails"));
        const QString teamDetails = XmlFile(QStringLiteral("teamDetails.xml"));
        BajarFicheroXML(ChppPath + QStringLiteral("team&teamID=") + FOptions->EditTeamID->text(), teamDetails,
                        result);
        if (result != QLatin1String("OK")) {
            memo(QStringLiteral("Error. ") + result);
            return;
        }
        gauge(40);

        // Another answer than the team details (the service's error document), an answer that names no
        // team of the user, or one whose IDs are no numbers leaves the user's team as the options hold it.
        ReadAnswer(teamDetails, QStringLiteral("teamdetails.xml"), [](const XmlNode& root) {
            const XmlNode team = TeamNode(root, NumberText(FOptions->EditTeamID->text()));
            const QString youthId = team.ChildText(QStringLiteral("YouthTeamID"));
            const QString unitId = team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitID"));
            const bool numbers = (youthId.trimmed().isEmpty() || !NumberText(youthId).isEmpty()) &&
                                 (unitId.trimmed().isEmpty() || !NumberText(unitId).isEmpty());
            if (team.IsNull() || !numbers)
                return;
            FOptions->EditTeam->setText(AnswerName(team.ChildText(QStringLiteral("TeamName"))));
            FOptions->EditTeamIDJuveniles->setText(NumberText(youthId));
            FOptions->EditLigaID->setText(NumberText(unitId));
            FOptions->EditLigaNombre->setText(
                AnswerName(team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitName"))));
        });
        gauge(60);

        BajarFicheroXML(ChppPath + QStringLiteral("bookmarks"), XmlFile(QStringLiteral("bookmarks.xml")),
                        result);
        gauge(70);

        BorrarTodosPartidos();

        const bool live = RadioGroupTipoPartidos->ItemIndex() == 0;
        if (live) {
            switch (RadioGroupCargaInicial->ItemIndex()) {
            case 0:
                memo(DownloadLine("MessageMatch"));
                BuscarProximoPartido(FOptions->EditTeamID->text(), QStringLiteral("0"));
                break;
            case 1:
                memo(DownloadLine("MessageMatches"));
                BuscarPartidosLiga(FOptions->EditLigaID->text());
                DescargarJugadoresLiga();
                gauge(80);
                ComprobarPanelLiga();
                break;
            case 2:
                memo(DownloadLine("MessageMatches"));
                BuscarPartidosListaGrabada(1);
                gauge(80);
                break;
            case 3:
                memo(DownloadLine("MessageMatches"));
                BuscarPartidosLiga(FOptions->EditLigaID->text());
                DescargarJugadoresLiga();
                ComprobarPanelLiga();
                memo(DownloadLine("MessageMatches"));
                BuscarPartidosListaGrabada(5); // slots 0..3 belong to the league round
                gauge(80);
                break;
            default:
                break;
            }
        }

        gauge(100);
        PanelConexion->setHidden(true);
        PanelPartidos->setHidden(false);

        CreateImageTabs();
        const QStringList types = RadioGroupTipoPartidos->Items();
        const int type = RadioGroupTipoPartidos->ItemIndex();
        LabelTipoPartido->setText(type >= 0 && type < types.size() ? types[type] : QString());
        if (live) {
            LabelTipoPartido->setStyleSheet(StyleColor(ColorWhite));
            if (PanelVelocidad)
                PanelVelocidad->setHidden(true);
        } else {
            LabelTipoPartido->setStyleSheet(StyleColor(ColorLightYellow));
            if (PanelTiempo)
                PanelTiempo->setHidden(true);
            if (PanelVelocidad)
                PanelVelocidad->setHidden(false);
            // The countdown shows beside the replay speed controls, at the same place in its new parent.
            if (PanelVelocidad) {
                auto* row = qobject_cast<QBoxLayout*>(PanelVelocidad->layout());
                int place = 0;
                for (QWidget* w : {static_cast<QWidget*>(Label9), static_cast<QWidget*>(EditTiempo)}) {
                    if (!w || w->parentWidget() == PanelVelocidad)
                        continue;
                    const bool hidden = w->isHidden();
                    w->setParent(PanelVelocidad);
                    if (row)
                        row->insertWidget(place++, w);
                    w->setHidden(hidden);
                }
            }
        }

        if (RadioGroupAnadir) {
            RadioGroupAnadir->SetItems({LangText(QStringLiteral("Matches"), QStringLiteral("Favourites"),
                                                 QStringLiteral("Favourites")),
                                        LangText(QStringLiteral("General"), QStringLiteral("LabelMatchID"),
                                                 QStringLiteral("MatchID"))});
            // The new items start unselected in the original control: choosing the first runs the handler.
            if (RadioGroupAnadir->ItemIndex() == 0)
                RadioGroupAnadirClick();
            else
                RadioGroupAnadir->SetItemIndex(0);
        }

        memo(DownloadLine("MessageMatchDetails"));
        PartidosIniciales();

        TabControlPartidosChange();

        if (live && TimerConexion)
            TimerConexion->start();
    } catch (...) {
        // A failure ends the sequence where it happened, without a message.
    }
}

void TFPartidos::BuscarProximoPartido(const QString& TeamId, const QString& SlotText) {
    try {
        bool ok = false;
        const int slot = SlotText.toInt(&ok);
        if (!ok || slot < 0 || slot >= MatchSlotCount || !DataModule1 || !FOptions)
            return;
        const bool youth = RadioGroupEsJuveniles && RadioGroupEsJuveniles->ItemIndex() == 1;
        const QString file = XmlFile(QStringLiteral("Matches") + SlotText + QStringLiteral(".xml"));
        QString result;
        BajarFicheroXML(TeamMatchesPath(TeamId, youth), file, result);
        if (result != QLatin1String("OK"))
            return;

        ReadAnswer(file, QStringLiteral("matches.xml"), [this, slot](const XmlNode& root) {
            for (const XmlNode& match : root.Path(QStringLiteral("Team/MatchList")).Children()) {
                if (match.ChildText(QStringLiteral("Status")) == QLatin1String("FINISHED"))
                    continue;
                // A match without a number for its ID cannot be followed.
                const QString matchId = NumberText(match.ChildText(QStringLiteral("MatchID")));
                if (matchId.isEmpty())
                    return;
                // A match already followed in another slot stays there alone: the service reports its
                // events once, and they go to one slot only.
                const std::optional<int> holder = SeleccionarFila10Partidos(matchId);
                if (holder && *holder != slot)
                    return;
                if (!FillMatchRow(slot, matchId, match))
                    return;
                FOptions->BKStringGrid10Partidos().SetCells(
                    MatchColumn::MatchTypeCode, slot,
                    NumberText(match.ChildText(QStringLiteral("MatchType"))));
                return; // only the team's next match
            }
        });
    } catch (...) {
        // An unreadable list leaves the slot as it was.
    }
}

void TFPartidos::BuscarPartidosListaGrabada(unsigned FirstRow) {
    try {
        if (!FOptions)
            return;
        TBKStringGrid& list = FOptions->BKStringGridListaGrabada();
        TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        for (int r = static_cast<int>(FirstRow); r < list.RowCount() && r <= MatchSlotCount; ++r) {
            const int slot = r - 1;
            if (slot < 0 || list.Cells(RecordedColumn::RecordedTeamName, r).isEmpty() ||
                matches.Cells(MatchColumn::InitialLoadFlag, slot) == QLatin1String("1"))
                continue;
            BuscarProximoPartido(list.Cells(RecordedColumn::RecordedTeamId, r), QString::number(slot));
            // Marked as loaded whether or not the team has a match to come.
            matches.SetCells(MatchColumn::InitialLoadFlag, slot, QStringLiteral("1"));
        }
    } catch (...) {
    }
}
