// Team details of a newly added match (DescargarDatosEquipos): what the live feed does not carry,
// both teams' league, series, region, last login, logo and web page, and the match type.
#include "core/DataStore.h"
#include "core/Settings.h"
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

// The six team columns of one side from the team details file; the away columns are the home
// columns moved by ten.
void ReadTeam(TBKStringGrid& matches, int slot, const XmlNode& root, int offset) {
    const struct {
        const char* path;
        int column;
    } fields[] = {{"Team/League/LeagueName", MatchColumn::HomeLeagueName},
                  {"Team/LeagueLevelUnit/LeagueLevelUnitName", MatchColumn::HomeLeagueLevelUnitName},
                  {"Team/Region/RegionName", MatchColumn::HomeRegionName},
                  {"User/LastLoginDate", MatchColumn::HomeLastLogin},
                  {"Team/LogoURL", MatchColumn::HomeLogoUrl},
                  {"Team/HomePage", MatchColumn::HomeWebPage}};
    for (const auto& f : fields)
        matches.SetCells(f.column + offset, slot, root.ChildText(QLatin1String(f.path)));
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
                                [&](const XmlNode& root) { ReadTeam(matches, Slot, root, 0); });
            if (!awayId.isEmpty())
                DownloadAndRead(ChppPath + QStringLiteral("team&teamID=") + awayId, TeamDetailsFile,
                                TeamDetailsKind,
                                [&](const XmlNode& root) { ReadTeam(matches, Slot, root, awayOffset); });
        }

        // The match's own details (arena, weather, crowd, kits) are left to the periodic update, which
        // asks for them by the match ID.

        if (!homeId.isEmpty())
            DownloadAndRead(ChppPath + QStringLiteral("matches&teamID=") + homeId + youthSuffix, MatchesFile,
                            QStringLiteral("matches.xml"), [&](const XmlNode& root) {
                                const XmlNode list = root.Path(QStringLiteral("Team/MatchList"));
                                for (int i = 0; i < list.ChildCount(); ++i) {
                                    const XmlNode match = list.Child(i);
                                    if (match.ChildText(QStringLiteral("MatchID")) == matchId) {
                                        matches.SetCells(
                                            MatchColumn::MatchTypeCode, Slot,
                                            NumberText(match.ChildText(QStringLiteral("MatchType"))));
                                        break;
                                    }
                                }
                            });
    } catch (...) {
    }
}
