#include "World.h"

#include "Documents.h"
#include "KitGif.h"
#include "LogoPng.h"
#include "Scenario.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Error codes of the service's error document.
constexpr int kUnknownFile = 1;
constexpr int kBadParameter = 5;
constexpr int kUnknownTeam = 50;
constexpr int kUnknownMatch = 51;
constexpr int kUnknownPlayer = 52;
constexpr int kUnknownLeague = 53;
constexpr int kNotLoggedIn = 70;

// The game's clock is the wall-clock reading of `now`, whatever time zone it was given in.
QDateTime GameTime(const QDateTime& now) {
    return QDateTime(now.date(), now.time(), Qt::UTC);
}

// The stem of a designed kit's picture files: first letter, team ID, the code's number without
// leading zeros ("X0012" of team 456 gives "X.456.12").
QString KitFileStem(const QString& dress, int teamId) {
    QString rest = dress.mid(1);
    while (rest.startsWith('0'))
        rest.remove(0, 1);
    return dress.left(1) + "." + QString::number(teamId) + "." + rest;
}

quint32 TeamColour(int teamId, int which) {
    static const quint32 colours[] = {0xC8102E, 0x00338D, 0x006B3F, 0xFFCD00, 0x5B2C83,
                                      0xF47920, 0x000000, 0x8A1538, 0x6CACE4, 0xFFFFFF};
    const int main = teamId % 10;
    return colours[which ? (main + 1 + (teamId / 7) % 9) % 10 : main];
}

bool ParseId(const QString& text, qint64& id) {
    bool ok = false;
    id = text.toLongLong(&ok);
    return ok && id > 0;
}

} // namespace

struct World::Impl {
    WorldScenario scenario{WorldScenario::DefaultSeed};
    // A match of a user's live list and how many of its events (in the order of play) that user has
    // been sent.
    struct Followed {
        qint64 id = 0;
        bool youth = false;
        int sent = 0;
    };
    // Each user's live list, in the order added.
    QMap<int, QVector<Followed>> live;
    QString baseAddress; // the service's own address, for logo addresses

    WorldAnswer Doc(const QByteArray& body) const {
        WorldAnswer a;
        a.body = body;
        return a;
    }
    QString LogoAddress(const WorldTeam& team) const {
        return baseAddress.isEmpty() ? QString()
                                     : baseAddress + "/Logos/" + QString::number(team.id) + ".png";
    }
    WorldAnswer Err(int code, const QString& text, const QDateTime& now) const {
        return Doc(WorldDocuments::Error(code, text, now));
    }
    WorldAnswer LiveAnswer(const WorldUser& user, const QMap<QString, QString>& p, const QDateTime& now,
                           LiveAnswerMode mode);
};

World::World() : d(new Impl) {}
World::~World() {
    delete d;
}

std::optional<int> World::Login(const QString& userName, const QString& securityCode) const {
    for (const WorldUser& u : d->scenario.Users())
        if (u.loginName.compare(userName, Qt::CaseInsensitive) == 0 && u.securityCode == securityCode)
            return u.id;
    return std::nullopt;
}

QDateTime World::DefaultStart() const {
    return d->scenario.RoundKickOff().addSecs(-5 * 60);
}

WorldAnswer World::Answer(int userId, const QString& file, const QMap<QString, QString>& params,
                          const QDateTime& clock, LiveAnswerMode liveMode) {
    const QDateTime now = GameTime(clock);
    const WorldScenario& s = d->scenario;
    const WorldUser* user = s.UserById(userId);
    if (!user)
        return d->Err(kNotLoggedIn, "Not logged in", now);
    QMap<QString, QString> p; // parameter names as the service reads them: any case
    for (auto it = params.begin(); it != params.end(); ++it)
        p.insert(it.key().toLower(), it.value());
    const bool youth = p.value("isyouth").compare("true", Qt::CaseInsensitive) == 0;
    const QString kind = file.toLower();
    const WorldTeam* ownTeam = s.Team(user->teamId, false);

    auto teamParam = [&](const WorldTeam*& team) -> bool {
        team = youth ? s.Team(ownTeam->youthTeamId, true) : ownTeam;
        if (!p.contains("teamid"))
            return team != nullptr;
        qint64 id;
        team = ParseId(p.value("teamid"), id) ? s.Team(static_cast<int>(id), youth) : nullptr;
        return team != nullptr;
    };
    auto matchParam = [&]() -> const WorldMatch* {
        qint64 id;
        return ParseId(p.value("matchid"), id) ? s.Match(id, youth) : nullptr;
    };

    if (kind == "team" || kind == "teamdetails") {
        const WorldTeam* team = nullptr;
        if (!teamParam(team) || team->youth)
            return d->Err(kUnknownTeam, "Unknown team", now);
        // A national team is no club of a manager: its answer names no team.
        QVector<WorldDocuments::TeamDetailsClub> clubs;
        if (!team->national)
            for (const WorldTeam* club : s.ClubsOfManager(*team))
                clubs.append({club, s.IsPrimaryClub(*club), d->LogoAddress(*club)});
        return d->Doc(WorldDocuments::TeamDetails(s, team->national ? nullptr : team, clubs, userId, now));
    }
    if (kind == "worlddetails")
        return d->Doc(WorldDocuments::WorldDetails(s, userId, now));
    if (kind == "bookmarks")
        return d->Doc(WorldDocuments::Bookmarks(*user, now));
    if (kind == "leaguedetails" || kind == "leaguefixtures") {
        qint64 unit = ownTeam->unitId;
        if (p.contains("leaguelevelunitid") && !ParseId(p.value("leaguelevelunitid"), unit))
            return d->Err(kUnknownLeague, "Unknown league level unit", now);
        const WorldLeague* league = s.League(static_cast<int>(unit));
        if (!league)
            return d->Err(kUnknownLeague, "Unknown league level unit", now);
        // The older layout, without ActionType, for the second user or on request.
        const bool withActionType = !user->oldLeagueFormat && p.value("oldformat") != "1";
        return d->Doc(kind == "leaguedetails"
                          ? WorldDocuments::LeagueDetails(s, *league, userId, now, withActionType)
                          : WorldDocuments::LeagueFixtures(s, *league, userId, now, withActionType));
    }
    if (kind == "matches") {
        const WorldTeam* team = nullptr;
        if (!teamParam(team))
            return d->Err(kUnknownTeam, "Unknown team", now);
        return d->Doc(WorldDocuments::Matches(s, *team, userId, now));
    }
    if (kind == "matchdetails") {
        const WorldMatch* m = matchParam();
        if (!m)
            return d->Err(kUnknownMatch, "Unknown match", now);
        return d->Doc(WorldDocuments::MatchDetails(s, *m, userId, now));
    }
    if (kind == "matchlineup") {
        const WorldMatch* m = matchParam();
        if (!m)
            return d->Err(kUnknownMatch, "Unknown match", now);
        const WorldSide* side = nullptr;
        if (p.contains("teamid")) {
            qint64 id;
            if (ParseId(p.value("teamid"), id))
                side = id == m->home.teamId ? &m->home : id == m->away.teamId ? &m->away : nullptr;
            if (!side)
                return d->Err(kUnknownTeam, "The team did not play this match", now);
        } else {
            // Without a team: the user's own side when it played, else the home side (the side that
            // turned up, after a walkover).
            const int own = youth ? ownTeam->youthTeamId : ownTeam->id;
            side = m->away.teamId == own || m->home.lineup.isEmpty() ? &m->away : &m->home;
        }
        return d->Doc(WorldDocuments::MatchLineup(s, *m, *side, userId, now));
    }
    if (kind == "players") {
        const WorldTeam* team = nullptr;
        if (!teamParam(team))
            return d->Err(kUnknownTeam, "Unknown team", now);
        return d->Doc(WorldDocuments::Players(s, *team, userId, now));
    }
    if (kind == "playerdetails") {
        qint64 id;
        const WorldPlayer* player = ParseId(p.value("playerid"), id) ? s.Player(id, youth) : nullptr;
        if (!player)
            return d->Err(kUnknownPlayer, "Unknown player", now);
        return d->Doc(WorldDocuments::PlayerDetails(s, *player, userId, now));
    }
    if (kind == "live")
        return d->LiveAnswer(*user, p, now, liveMode);
    return d->Err(kUnknownFile, "Unknown file: " + file, now);
}

WorldAnswer World::Impl::LiveAnswer(const WorldUser& user, const QMap<QString, QString>& p,
                                    const QDateTime& now, LiveAnswerMode mode) {
    const QString action = p.value("actiontype").toLower();
    const bool youth = p.value("isyouth").compare("true", Qt::CaseInsensitive) == 0;
    QVector<Followed>& list = live[user.id];
    if (action == "addmatch" || action == "deletematch") {
        qint64 id;
        if (!ParseId(p.value("matchid"), id) || !scenario.Match(id, youth))
            return Err(kUnknownMatch, "Unknown match", now);
        const auto same = [&](const Followed& f) { return f.id == id && f.youth == youth; };
        if (action == "addmatch" && std::none_of(list.begin(), list.end(), same))
            list.append({id, youth, 0});
        if (action == "deletematch")
            list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
    } else if (action != "viewnew" && action != "view") {
        return Err(kBadParameter, "Unknown actionType", now);
    }
    // addMatch and view give every event so far, viewNew what the user has not had yet; the answer to
    // deleteMatch is not read, so it gives none (and what it would give stays unsent).
    const bool everything = mode.repeat || action == "addmatch" || action == "view";
    QVector<WorldDocuments::LiveMatchEvents> matches;
    for (Followed& f : list) {
        WorldDocuments::LiveMatchEvents entry;
        entry.match = scenario.Match(f.id, f.youth);
        if (action != "deletematch") {
            const int visible = WorldScenario::VisibleEventCount(*entry.match, now);
            for (int i = everything ? 0 : f.sent; i < visible; ++i)
                entry.events.append(i);
            f.sent = std::max(f.sent, visible);
        }
        if (mode.disorder) {
            // A fixed shuffle of this answer's events, the same for the same clock.
            WorldRng rng(static_cast<std::uint64_t>(f.id) ^
                         static_cast<std::uint64_t>(now.toSecsSinceEpoch()));
            for (int i = entry.events.size() - 1; i > 0; --i)
                std::swap(entry.events[i], entry.events[rng.Range(0, i)]);
            if (std::is_sorted(entry.events.begin(), entry.events.end()))
                std::reverse(entry.events.begin(), entry.events.end());
        }
        matches.append(entry);
    }
    return Doc(WorldDocuments::Live(scenario, matches, user.id, now));
}

QByteArray World::ErrorDocument(int errorCode, const QString& error) const {
    return WorldDocuments::Error(errorCode, error, GameTime(QDateTime::currentDateTimeUtc()));
}

QByteArray World::KitPicture(const QString& name) const {
    // "45/456/X.456.12.Shirt.gif": the first two digits of the team, the team, the stem and the part.
    const QStringList parts = QString(name).remove(QRegularExpression("^/+")).split('/');
    if (parts.size() != 3)
        return {};
    bool ok = false;
    const int teamId = parts[1].toInt(&ok);
    const WorldTeam* team = ok ? d->scenario.Team(teamId, false) : nullptr;
    if (!team || parts[0] != parts[1].left(2) || team->dress.isEmpty() ||
        (!team->dress.startsWith('X') && !team->dress.startsWith('Z')))
        return {};
    const QString stem = KitFileStem(team->dress, teamId);
    const struct {
        const char* suffix;
        KitPart part;
    } kinds[] = {
        {".Shirt.gif", KitPart::Shirt}, {".Shorts.gif", KitPart::Shorts}, {".Socks.gif", KitPart::Socks}};
    for (const auto& k : kinds)
        if (parts[2] == stem + k.suffix)
            return KitGif(k.part, TeamColour(teamId, 0), TeamColour(teamId, 1));
    return {};
}

void World::SetBaseAddress(const QString& baseAddress) {
    d->baseAddress = baseAddress;
}

QByteArray World::LogoPicture(const QString& name) const {
    static const QRegularExpression form("^(\\d{1,10})\\.png$");
    const QRegularExpressionMatch match = form.match(name);
    if (!match.hasMatch())
        return {};
    const WorldTeam* team = d->scenario.Team(match.captured(1).toInt(), false);
    if (!team)
        return {};
    // Two colours of the team's own, fixed by its ID.
    const quint32 palette[] = {0xC8102E, 0x0033A0, 0x00843D, 0xFFCD00,
                               0x222222, 0x6A1B9A, 0xFF6F00, 0x00A3E0};
    const quint32 main = palette[team->id % 8];
    const quint32 second = (team->id / 8) % 2 ? 0xFFFFFF : palette[(team->id / 8 + 3) % 8];
    return LogoPng(main, second == main ? 0xFFFFFF : second);
}
