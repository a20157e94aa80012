// Team details of a newly added match (DescargarDatosEquipos): what the live feed does not carry,
// both teams' league, series, region, last login, logo and web page, and the match type.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/TeamAnswer.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "shell/UOptions.h"
#include "viewer/AnswerReading.h"
#include "viewer/UPartidos.h"

namespace {

const QString TeamDetailsFile = QStringLiteral("data/Xml/teamDetailsTemp.xml");
const QString MatchesFile = QStringLiteral("data/Xml/matchesTemp.xml");
const QString TeamDetailsKind = QStringLiteral("teamdetails.xml");

// Requests Path into the cached file Name and, when the download brought the answer named Kind, reads
// its root in XMLDocument1. A failure ends the reading of that file only; what was written stays.
template <typename Read>
void DownloadAndRead(const QString& path, const QString& name, const QString& kind, Read read) {
    QString result;
    BajarFicheroXML(path, AppDir + name, result);
    if (result == QLatin1String("OK"))
        ReadAnswer(AppDir + name, kind, read);
}

// The six team columns of one side from the team details file: the team asked for, wherever the answer
// lists it; the away columns are the home columns moved by ten. An answer that names no such team writes
// nothing. Names are cut; an address longer than a name may be is left out rather than cut.
void ReadTeam(TBKStringGrid& matches, int slot, const XmlNode& root, const QString& teamId, int offset) {
    const XmlNode team = TeamNode(root, teamId);
    if (team.IsNull())
        return;
    const struct {
        XmlNode from;
        const char* path;
        int column;
        bool address;
    } fields[] = {{team, "League/LeagueName", MatchColumn::HomeLeagueName, false},
                  {team, "LeagueLevelUnit/LeagueLevelUnitName", MatchColumn::HomeLeagueLevelUnitName, false},
                  {team, "Region/RegionName", MatchColumn::HomeRegionName, false},
                  {root, "User/LastLoginDate", MatchColumn::HomeLastLogin, false},
                  {team, "LogoURL", MatchColumn::HomeLogoUrl, true},
                  {team, "HomePage", MatchColumn::HomeWebPage, true}};
    for (const auto& f : fields) {
        QString text = f.from.ChildText(QLatin1String(f.path));
        if (f.address && text.size() > kMaxAnswerNameLength)
            text.clear();
        matches.SetCells(f.column + offset, slot, AnswerName(text));
    }
}

} // namespace

void TFPartidos::DescargarDatosEquipos(int Slot) {
    if (Slot < 0 || Slot >= MatchSlotCount)
        return;
    try {
        TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        const QString matchId = matches.Cells(MatchColumn::MatchId, Slot);
        // A free slot asks for nothing: a team request without an ID would answer the user's own team.
        if (matchId.isEmpty())
            return;
        const QString homeId = matches.Cells(MatchColumn::HomeTeamId, Slot);
        const QString awayId = matches.Cells(MatchColumn::AwayTeamId, Slot);
        const bool youth = matches.Cells(MatchColumn::YouthFlag, Slot) == QLatin1String("1");
        const QString youthSuffix = youth ? QStringLiteral("&isYouth=true") : QString();
        constexpr int awayOffset = MatchColumn::AwayLeagueName - MatchColumn::HomeLeagueName;

        // The service has no team details of youth teams.
        if (!youth) {
            if (!homeId.isEmpty())
                DownloadAndRead(ChppPath + QStringLiteral("team&teamID=") + homeId, TeamDetailsFile,
                                TeamDetailsKind,
                                [&](const XmlNode& root) { ReadTeam(matches, Slot, root, homeId, 0); });
            if (!awayId.isEmpty())
                DownloadAndRead(
                    ChppPath + QStringLiteral("team&teamID=") + awayId, TeamDetailsFile, TeamDetailsKind,
                    [&](const XmlNode& root) { ReadTeam(matches, Slot, root, awayId, awayOffset); });
        }

        // The match's own details (arena, weather, crowd, kits) are left to the periodic update, which
        // asks for them by the match ID.

        if (!homeId.isEmpty())
            DownloadAndRead(
                ChppPath + QStringLiteral("matches&teamID=") + homeId + youthSuffix, MatchesFile,
                QStringLiteral("matches.xml"), [&](const XmlNode& root) {
                    for (const XmlNode& match : root.Path(QStringLiteral("Team/MatchList")).Children()) {
                        if (NumberText(match.ChildText(QStringLiteral("MatchID"))) == matchId) {
                            matches.SetCells(MatchColumn::MatchTypeCode, Slot,
                                             NumberText(match.ChildText(QStringLiteral("MatchType"))));
                            break;
                        }
                    }
                });
    } catch (...) {
    }
}
