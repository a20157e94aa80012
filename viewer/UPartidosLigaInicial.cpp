// TFPartidos: the league panel as the round is loaded (CompletarLigaInicial): the series and its level,
// the table before the round, the round after it, the scorers and the two rankings, from the league,
// fixtures and players files of the connect. Each block stops quietly at a file it cannot read, keeping
// what it wrote.
#include "viewer/UPartidos.h"

#include "core/LeagueGoals.h"
#include "core/LeagueRound.h"
#include "core/LeagueTable.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"
#include "viewer/UPartidosCargaComun.h"

#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>

using namespace Carga;

void TFPartidos::CompletarLigaInicial() {
    for (QWidget* w :
         {static_cast<QWidget*>(PanelLiga), static_cast<QWidget*>(PageControlLiga),
          static_cast<QWidget*>(LabelLiga), static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
          static_cast<QWidget*>(LabelNivel), static_cast<QWidget*>(LabelNivelMaximo)})
        w->setHidden(false);

    XmlDocument details;
    bool haveDetails = false;
    try {
        details.LoadFromFile(XmlFile(QStringLiteral("leagueDetails.xml")));
        haveDetails = IsAnswerOf(details.DocumentElement(), QStringLiteral("leaguedetails.xml"));
    } catch (const Exception&) {
    }
    const XmlNode league = details.DocumentElement();
    if (haveDetails) {
        LabelLiga->setText(AnswerName(league.ChildText(QStringLiteral("LeagueName"))) +
                           QStringLiteral("  -  ") +
                           AnswerName(league.ChildText(QStringLiteral("LeagueLevelUnitName"))));
        LabelNivel->setText(NumberText(league.ChildText(QStringLiteral("LeagueLevel"))));
        LabelNivelMaximo->setText(NumberText(league.ChildText(QStringLiteral("MaxLevel"))));
        FillStandings(league, BKStringGridLigaInicial);
    }

    const QString fixturesFile = XmlFile(QStringLiteral("leagueFixtures.xml"));
    if (QFileInfo::exists(fixturesFile)) {
        try {
            XmlDocument fixtures;
            fixtures.LoadFromFile(fixturesFile);
            if (IsAnswerOf(fixtures.DocumentElement(), QStringLiteral("leaguefixtures.xml"))) {
                const FollowingRound next = NextRoundFixtures(
                    fixtures.DocumentElement(), LangText(QStringLiteral("Team"), QStringLiteral("MatchRound"),
                                                         QStringLiteral("MatchRound")));
                if (!next.Title.isEmpty())
                    LabelJornadaNumero->setText(next.Title);
                QLabel* lines[] = {LabelJornada1, LabelJornada2, LabelJornada3, LabelJornada4};
                for (int i = 0; i < next.Fixtures.size() && i < 4; ++i)
                    lines[i]->setText(next.Fixtures[i]);
            }
        } catch (const Exception&) {
        }
    }

    if (!haveDetails)
        return;
    ResetScorers(BKStringGridLigaGoleadores);
    for (const QString& teamId : LeagueTeamIds(league)) {
        const QString playersFile = XmlFile(QStringLiteral("players_") + teamId + QStringLiteral(".xml"));
        if (!IsDecimalDigits(teamId) || !QFileInfo::exists(playersFile))
            continue; // that club's scorers are not listed; it stays in both rankings
        try {
            XmlDocument players;
            players.LoadFromFile(playersFile);
            if (IsAnswerOf(players.DocumentElement(), QStringLiteral("players.xml")))
                AppendScorers(players.DocumentElement(), BKStringGridLigaGoleadores);
        } catch (const Exception&) {
        }
    }
    BKStringGridLigaGoleadores.SortByColumn(GoalListColumn::GoalListTotal, false);
    FillRanking(league, QStringLiteral("GoalsFor"), BKStringGridLigaGolesMarcados);
    BKStringGridLigaGolesMarcados.SortByColumn(GoalListColumn::GoalListTotal, false);
    FillRanking(league, QStringLiteral("GoalsAgainst"), BKStringGridLigaGolesRecibidos);
    BKStringGridLigaGolesRecibidos.SortByColumn(GoalListColumn::GoalListTotal, true); // fewest conceded first
}
