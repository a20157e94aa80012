// TFPartidos: the league round of the connect, as the connect sequence calls it. The round is the set of
// matches on the earliest date that a club of the user's series plays next; they fill the first free slots
// (the user's own match slot 0 when it is one of them), and the league panel is filled when slots 0..3 hold
// the round's four league matches.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/LeagueRound.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UOptions.h"
#include "viewer/UPartidosCargaComun.h"

#include <QFileInfo>
#include <QLineEdit>

using namespace Carga;
using namespace LeagueScanColumn;

namespace {

QString LeagueDetailsFile() {
    return XmlFile(QStringLiteral("leagueDetails.xml"));
}

// The eight clubs of the cached league details; none when the file is not a league details answer.
QStringList CachedLeagueTeamIds() {
    XmlDocument doc;
    doc.LoadFromFile(LeagueDetailsFile());
    if (!IsAnswerOf(doc.DocumentElement(), QStringLiteral("leaguedetails.xml")))
        return {};
    return LeagueTeamIds(doc.DocumentElement());
}

// The club's next match into its row of the scan table; a download that fails leaves the row without
// one. A matches file that cannot be read is reported, and the search goes on with the next club.
void ScanNextMatch(TBKStringGrid& scan, int row) {
    const QString file = XmlFile(QStringLiteral("leagueMatches%1.xml").arg(row));
    QString result;
    BajarFicheroXML(TeamMatchesPath(scan.Cells(LeagueTeamId, row), false), file, result);
    if (result != QLatin1String("OK"))
        return;
    try {
        XmlDocument doc;
        doc.LoadFromFile(file);
        if (!IsAnswerOf(doc.DocumentElement(), QStringLiteral("matches.xml")))
            return;
        if (const std::optional<NextLeagueMatch> next = FirstUnfinishedMatch(doc.DocumentElement())) {
            scan.SetCells(NextMatchId, row, next->MatchId);
            scan.SetCells(NextMatchStart, row, next->Start);
        }
    } catch (const Exception&) {
        ShowMessage(QStringLiteral("Error. BuscarPartidosLiga. LeagueMatches."));
    }
}

} // namespace

bool TFPartidos::ExisteEquipo10Partidos(const QString& TeamId) {
    return TeamInMatchTable(FOptions->BKStringGrid10Partidos(), TeamId);
}

int TFPartidos::PrimerVacioTabla(const TBKStringGrid& Grid) {
    return FirstFreeRow(Grid).value_or(0);
}

void TFPartidos::BuscarPartidosLiga(const QString& LeagueUnitId) {
    Q_UNUSED(LeagueUnitId); // the requests carry no league: the service answers for the user's own
    try {
        if (!FOptions)
            return;
        TBKStringGrid& scan = FOptions->BKStringGridTemp();
        TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        for (int r = 0; r < scan.RowCount(); ++r)
            for (int c = 0; c < scan.ColCount(); ++c)
                scan.SetCells(c, r, QString());
        scan.SetRowCount(Rows);
        scan.SetFixedRows(0);
        scan.SetColCount(LeagueScanColumn::Count);

        QString result;
        BajarFicheroXML(ChppPath + QStringLiteral("leaguedetails"), LeagueDetailsFile(), result);
        if (result != QLatin1String("OK"))
            return; // no league, no slot and no message
        try {
            InsertMissingActionType(LeagueDetailsFile(), QStringLiteral("leagueDetails"));
        } catch (...) {
        }
        try {
            const QString fixtures = XmlFile(QStringLiteral("leagueFixtures.xml"));
            BajarFicheroXML(ChppPath + QStringLiteral("leaguefixtures"), fixtures, result);
            InsertMissingActionType(fixtures, QStringLiteral("leagueFixtures"));
        } catch (...) {
        }

        try {
            const QStringList ids = CachedLeagueTeamIds();
            for (int r = 0; r < ids.size() && r < Rows; ++r)
                scan.SetCells(LeagueTeamId, r, ids[r]);
        } catch (const Exception&) {
        }
        for (int r = 0; r < Rows; ++r)
            if (!scan.Cells(LeagueTeamId, r).isEmpty())
                ScanNextMatch(scan, r);
        scan.SortByColumn(NextMatchStart, true); // earliest date first; clubs without one before it

        const QString date = RoundDate(scan);
        if (date.isEmpty())
            return; // no club has a match to come
        const QString ownTeam = FOptions->EditTeamID->text();
        for (int r = 0; r < Rows; ++r) {
            if (scan.Cells(LeagueTeamId, r) != ownTeam)
                continue;
            if (scan.Cells(NextMatchStart, r) == date) {
                BuscarProximoPartido(ownTeam, QStringLiteral("0"));
                matches.SetCells(MatchColumn::InitialLoadFlag, 0, QStringLiteral("1"));
            }
            break;
        }
        // The other matches of the round: a club already in the table is the opponent of one loaded.
        for (int r = 0; r < Rows; ++r) {
            const QString teamId = scan.Cells(LeagueTeamId, r);
            if (scan.Cells(NextMatchStart, r) != date || ExisteEquipo10Partidos(teamId))
                continue;
            const std::optional<int> slot = FirstFreeRow(matches);
            if (!slot)
                continue; // a full table keeps its matches
            BuscarProximoPartido(teamId, QString::number(*slot));
            matches.SetCells(MatchColumn::InitialLoadFlag, *slot, QStringLiteral("1"));
        }
    } catch (...) {
        ShowMessage(QStringLiteral("Error. BuscarPartidosLiga"));
    }
}

void TFPartidos::DescargarJugadoresLiga() {
    try {
        if (!QFileInfo::exists(LeagueDetailsFile()))
            return;
        for (const QString& teamId : CachedLeagueTeamIds()) {
            if (!IsDecimalDigits(teamId))
                continue;
            QString result;
            BajarFicheroXML(ChppPath + QStringLiteral("players&teamID=") + teamId,
                            XmlFile(QStringLiteral("players_") + teamId + QStringLiteral(".xml")), result);
        }
    } catch (...) {
    }
}

void TFPartidos::ComprobarPanelLiga() {
    try {
        if (FOptions && IsLeagueRound(FOptions->BKStringGrid10Partidos()))
            CompletarLigaInicial();
    } catch (...) {
    }
}
