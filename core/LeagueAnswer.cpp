#include "core/LeagueAnswer.h"

#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

QVector<LeagueClub> LeagueClubs(const XmlNode& Details) {
    QVector<LeagueClub> clubs;
    for (const XmlNode& team : Details.Children()) {
        if (team.NodeName() != QLatin1String("Team"))
            continue;
        LeagueClub club;
        club.TeamId = NumberText(team.ChildText(QStringLiteral("TeamID")));
        if (club.TeamId.isEmpty())
            return {};
        club.TeamName = AnswerName(team.ChildText(QStringLiteral("TeamName")));
        const struct {
            const char* name;
            qint64* value;
        } numbers[] = {{"Position", &club.Position},
                       {"Matches", &club.Matches},
                       {"GoalsFor", &club.GoalsFor},
                       {"GoalsAgainst", &club.GoalsAgainst},
                       {"Points", &club.Points}};
        for (const auto& n : numbers) {
            const std::optional<qint64> value =
                BoundedCount(team.ChildText(QLatin1String(n.name)), kMaxLeagueCount);
            if (!value)
                return {};
            *n.value = *value;
        }
        clubs.append(club);
        if (clubs.size() == kLeagueClubCount)
            break;
    }
    return clubs;
}
