#include "Documents.h"

#include <QXmlStreamWriter>
#include <algorithm>

namespace {

class XmlOut {
public:
    XmlOut(const QString& fileName, const QString& version, int userId, const QDateTime& now) : w_(&buf_) {
        w_.setAutoFormatting(true);
        w_.setAutoFormattingIndent(2);
        w_.writeStartDocument();
        w_.writeStartElement("HattrickData");
        Text("FileName", fileName);
        Text("Version", version);
        Text("UserID", QString::number(userId));
        Text("FetchedDate", WorldDocuments::DateText(now));
    }
    void Text(const QString& name, const QString& value) { w_.writeTextElement(name, value); }
    void Num(const QString& name, qint64 value) { w_.writeTextElement(name, QString::number(value)); }
    void Begin(const QString& name) { w_.writeStartElement(name); }
    void Attr(const QString& name, const QString& value) { w_.writeAttribute(name, value); }
    void End() { w_.writeEndElement(); }
    QByteArray Finish() {
        w_.writeEndElement();
        w_.writeEndDocument();
        return buf_;
    }

private:
    QByteArray buf_;
    QXmlStreamWriter w_;
};

QString Bool(bool b) {
    return b ? "True" : "False";
}

struct Standing {
    const WorldTeam* team = nullptr;
    int order = 0;
    int played = 0, goalsFor = 0, goalsAgainst = 0, points = 0, won = 0, draws = 0, lost = 0;
};

QVector<Standing> Standings(const WorldScenario& s, const WorldLeague& league, const QDateTime& now) {
    QVector<Standing> table;
    for (int i = 0; i < league.teams.size(); ++i)
        table.append({s.Team(league.teams[i], false), i});
    auto row = [&](int teamId) -> Standing& {
        for (Standing& st : table)
            if (st.team->id == teamId)
                return st;
        return table[0];
    };
    for (qint64 id : league.fixtures) {
        const WorldMatch* m = s.Match(id, false);
        if (!WorldScenario::Finished(*m, now))
            continue;
        int h, a;
        WorldScenario::Score(*m, now, h, a);
        Standing& home = row(m->home.teamId);
        Standing& away = row(m->away.teamId);
        home.played++;
        away.played++;
        home.goalsFor += h;
        home.goalsAgainst += a;
        away.goalsFor += a;
        away.goalsAgainst += h;
        if (h > a) {
            home.points += 3;
            home.won++;
            away.lost++;
        } else if (h < a) {
            away.points += 3;
            away.won++;
            home.lost++;
        } else {
            home.points++;
            away.points++;
            home.draws++;
            away.draws++;
        }
    }
    std::stable_sort(table.begin(), table.end(), [](const Standing& x, const Standing& y) {
        if (x.points != y.points)
            return x.points > y.points;
        const int dx = x.goalsFor - x.goalsAgainst, dy = y.goalsFor - y.goalsAgainst;
        if (dx != dy)
            return dx > dy;
        if (x.goalsFor != y.goalsFor)
            return x.goalsFor > y.goalsFor;
        return x.order < y.order;
    });
    return table;
}

void TeamPair(XmlOut& x, const WorldScenario& s, const WorldMatch& m) {
    const WorldTeam* h = s.Team(m.home.teamId, m.youth);
    const WorldTeam* a = s.Team(m.away.teamId, m.youth);
    x.Begin("HomeTeam");
    x.Num("HomeTeamID", h->id);
    x.Text("HomeTeamName", h->name);
    x.End();
    x.Begin("AwayTeam");
    x.Num("AwayTeamID", a->id);
    x.Text("AwayTeamName", a->name);
    x.End();
}

QString Stars(double v) {
    return QString::number(v, 'g', 3);
}

} // namespace

namespace WorldDocuments {

QString DateText(const QDateTime& t) {
    return t.toString("yyyy-MM-dd HH:mm:ss");
}

QByteArray Error(int code, const QString& text, const QDateTime& now) {
    XmlOut x("chpperror.xml", "1.0", 0, now);
    x.Num("ErrorCode", code);
    x.Text("ErrorGUID", "00000000-0000-0000-0000-000000000000");
    x.Text("Error", text);
    x.Text("Server", "velkaro-service");
    return x.Finish();
}

QByteArray TeamDetails(const WorldScenario& s, const WorldTeam* manager,
                       const QVector<TeamDetailsClub>& clubs, int userId, const QDateTime& now) {
    // The game's current layout: the manager, then each of the manager's clubs under Teams.
    XmlOut x("teamdetails.xml", "3.7", userId, now);
    const WorldTeam none;
    const WorldTeam& u = manager ? *manager : none;
    x.Begin("User");
    x.Num("UserID", u.userId);
    x.Begin("Language");
    x.Num("LanguageID", 2);
    x.Text("LanguageName", "English");
    x.End();
    x.Text("Loginname", u.loginName);
    x.Text("Name", u.userId ? "HIDDEN" : "");
    x.Text("ICQ", "");
    x.Text("SignupDate", u.activationDate);
    x.Text("ActivationDate", u.activationDate);
    x.Text("LastLoginDate", u.lastLogin);
    x.Text("HasManagerLicense", Bool(u.userId != 0));
    x.End();
    x.Begin("Teams");
    for (const TeamDetailsClub& club : clubs) {
        const WorldTeam& t = *club.team;
        x.Begin("Team");
        x.Num("TeamID", t.id);
        x.Text("TeamName", t.name);
        x.Text("ShortTeamName", t.shortName);
        x.Text("IsPrimaryClub", Bool(club.primary));
        x.Text("FoundedDate", t.activationDate);
        x.Text("IsDeactivated", "False");
        x.Begin("Arena");
        x.Num("ArenaID", t.arenaId);
        x.Text("ArenaName", t.arenaName);
        x.End();
        x.Begin("League");
        x.Num("LeagueID", t.leagueId);
        x.Text("LeagueName", t.leagueName);
        x.End();
        x.Begin("Country");
        x.Num("CountryID", t.leagueId);
        x.Text("CountryName", t.leagueName);
        x.End();
        x.Begin("Region");
        x.Num("RegionID", t.regionId);
        x.Text("RegionName", t.region);
        x.End();
        x.Begin("Trainer");
        x.Num("PlayerID", t.players.isEmpty() ? 0 : t.players.last());
        x.End();
        x.Text("HomePage", t.homePage);
        x.Begin("LeagueLevelUnit");
        if (t.unitId) {
            x.Num("LeagueLevelUnitID", t.unitId);
            x.Text("LeagueLevelUnitName", t.unitName);
            x.Num("LeagueLevel", t.level);
        }
        x.End();
        x.Begin("BotStatus");
        x.Text("IsBot", "False");
        x.End();
        // The logo is served by the service itself (under /Logos/).
        x.Text("LogoURL", club.logoUrl);
        x.Num("YouthTeamID", t.youthTeamId);
        const WorldTeam* youth = t.youthTeamId ? s.Team(t.youthTeamId, true) : nullptr;
        x.Text("YouthTeamName", youth ? youth->name : "");
        x.Num("NumberOfVisits", 0);
        x.End();
    }
    x.End();
    return x.Finish();
}

QByteArray WorldDetails(const WorldScenario&, int userId, const QDateTime& now) {
    XmlOut x("worlddetails.xml", "1.4", userId, now);
    const struct {
        int id;
        const char* name;
        const char* currency;
        const char* rate;
        const char* continent;
    } leagues[] = {
        {1, "Sverige", "Krona", "1", "Europe"},          {2, "England", "Pound", "15", "Europe"},
        {3, "Deutschland", "Euro", "10", "Europe"},      {4, "Italia", "Euro", "10", "Europe"},
        {5, "France", "Euro", "10", "Europe"},           {12, "Nederland", "Euro", "10", "Europe"},
        {35, "España", "Euro", "10", "Europe"},          {46, "Ceská republika", "Koruna", "0,4", "Europe"},
        {7, "Argentina", "Pesos", "10", "South America"}};
    x.Begin("LeagueList");
    for (const auto& l : leagues) {
        x.Begin("League");
        x.Num("LeagueID", l.id);
        x.Text("LeagueName", l.name);
        x.Num("Season", 84);
        x.Num("MatchRound", 6);
        x.Text("ShortName", l.name);
        x.Text("Continent", l.continent);
        x.Text("EnglishName", l.name);
        x.Begin("Country");
        x.Attr("Available", "True");
        x.Num("CountryID", l.id);
        x.Text("CountryName", l.name);
        x.Text("CurrencyName", l.currency);
        x.Text("CurrencyRate", l.rate);
        x.End();
        x.End();
    }
    x.End();
    return x.Finish();
}

QByteArray Bookmarks(const WorldUser& user, const QDateTime& now) {
    XmlOut x("bookmarks.xml", "1.0", user.id, now);
    x.Begin("BookmarkList");
    for (const WorldBookmark& b : user.bookmarks) {
        x.Begin("Bookmark");
        x.Num("BookmarkID", b.id);
        x.Num("BookmarkTypeID", b.typeId);
        x.Text("Text", b.text);
        x.Text("Text2", b.text2);
        x.Num("ObjectID", b.objectId);
        x.Text("ObjectID2", "");
        x.Text("ObjectID3", "");
        x.Text("Comment", "");
        x.End();
    }
    x.End();
    return x.Finish();
}

QByteArray LeagueDetails(const WorldScenario& s, const WorldLeague& league, int userId, const QDateTime& now,
                         bool withActionType) {
    XmlOut x("leaguedetails.xml", "1.2", userId, now);
    if (withActionType)
        x.Text("ActionType", "view");
    x.Num("LeagueID", league.leagueId);
    x.Text("LeagueName", league.leagueName);
    x.Num("LeagueLevel", league.level);
    x.Num("MaxLevel", league.maxLevel);
    x.Num("LeagueLevelUnitID", league.unitId);
    x.Text("LeagueLevelUnitName", league.unitName);
    // Newer answers carry these before the clubs: a reader by position would be off by two.
    int round = 0;
    for (qint64 id : league.fixtures)
        if (const WorldMatch* m = s.Match(id, false); m && WorldScenario::Started(*m, now))
            round = std::max(round, m->round);
    x.Num("CurrentMatchRound", round);
    x.Num("Rank", league.level * 100 + league.unitId % 100);
    const QVector<Standing> table = Standings(s, league, now);
    for (int i = 0; i < table.size(); ++i) {
        const Standing& st = table[i];
        x.Begin("Team");
        x.Num("TeamID", st.team->id);
        x.Num("Position", i + 1);
        x.Num("PositionChange", 0);
        x.Text("TeamName", st.team->name);
        x.Num("Matches", st.played);
        x.Num("GoalsFor", st.goalsFor);
        x.Num("GoalsAgainst", st.goalsAgainst);
        x.Num("Points", st.points);
        x.Num("Won", st.won);
        x.Num("Draws", st.draws);
        x.Num("Lost", st.lost);
        x.End();
    }
    return x.Finish();
}

QByteArray LeagueFixtures(const WorldScenario& s, const WorldLeague& league, int userId, const QDateTime& now,
                          bool withActionType) {
    // Root children 0..7 come before the 56 matches at 8..63 (0..6 and 7..62 without ActionType).
    XmlOut x("leaguefixtures.xml", "1.1", userId, now);
    if (withActionType)
        x.Text("ActionType", "view");
    x.Num("LeagueLevelUnitID", league.unitId);
    x.Text("LeagueLevelUnitName", league.unitName);
    x.Num("Season", league.season);
    for (qint64 id : league.fixtures) {
        const WorldMatch* m = s.Match(id, false);
        x.Begin("Match");
        x.Num("MatchID", m->id);
        x.Num("MatchRound", m->round);
        TeamPair(x, s, *m);
        x.Text("MatchDate", DateText(m->date));
        if (WorldScenario::Finished(*m, now)) {
            int h, a;
            WorldScenario::Score(*m, now, h, a);
            x.Num("HomeGoals", h);
            x.Num("AwayGoals", a);
        }
        x.End();
    }
    return x.Finish();
}

QByteArray Matches(const WorldScenario& s, const WorldTeam& t, int userId, const QDateTime& now) {
    XmlOut x("matches.xml", "2.1", userId, now);
    x.Text("IsYouth", Bool(t.youth));
    x.Begin("Team");
    x.Num("TeamID", t.id);
    x.Text("TeamName", t.name);
    x.Text("ShortTeamName", t.shortName);
    x.Begin("League");
    x.Num("LeagueID", t.leagueId);
    x.Text("LeagueName", t.leagueName);
    x.End();
    x.Begin("LeagueLevelUnit");
    if (t.unitId) {
        x.Num("LeagueLevelUnitID", t.unitId);
        x.Text("LeagueLevelUnitName", t.unitName);
        x.Num("LeagueLevel", t.level);
    }
    x.End();
    x.Begin("MatchList");
    for (const WorldMatch* m : s.MatchesOfTeam(t.id, t.youth)) {
        x.Begin("Match");
        x.Num("MatchID", m->id);
        TeamPair(x, s, *m);
        x.Text("MatchDate", DateText(m->date));
        x.Num("MatchType", m->type);
        if (WorldScenario::Started(*m, now)) {
            int h, a;
            WorldScenario::Score(*m, now, h, a);
            x.Num("HomeGoals", h);
            x.Num("AwayGoals", a);
        }
        x.Text("Status", WorldScenario::Finished(*m, now)  ? "FINISHED"
                         : WorldScenario::Started(*m, now) ? "ONGOING"
                                                           : "UPCOMING");
        x.End();
    }
    x.End();
    x.End();
    return x.Finish();
}

QByteArray MatchDetails(const WorldScenario& s, const WorldMatch& m, int userId, const QDateTime& now) {
    XmlOut x("matchdetails.xml", "1.6", userId, now);
    x.Text("IsYouth", Bool(m.youth));
    const bool finished = WorldScenario::Finished(m, now);
    int goals[2];
    WorldScenario::Score(m, now, goals[0], goals[1]);
    x.Begin("Match");
    x.Num("MatchID", m.id);
    x.Num("MatchType", m.type);
    x.Text("MatchDate", DateText(m.date));
    if (finished)
        x.Text("FinishedDate", DateText(WorldScenario::EventTime(m, m.endMinute)));
    const WorldSide* sides[2] = {&m.home, &m.away};
    const char* prefix[2] = {"Home", "Away"};
    const char* ratingNames[7] = {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef",
                                  "RatingRightAtt", "RatingMidAtt",   "RatingLeftAtt"};
    for (int i = 0; i < 2; ++i) {
        const WorldTeam* t = s.Team(sides[i]->teamId, m.youth);
        x.Begin(QString(prefix[i]) + "Team");
        x.Num(QString(prefix[i]) + "TeamID", t->id);
        x.Text(QString(prefix[i]) + "TeamName", t->name);
        x.Text("Dress", t->dress);
        if (WorldScenario::Started(m, now) && !sides[i]->formation.isEmpty())
            x.Text("Formation", sides[i]->formation);
        x.Num(QString(prefix[i]) + "Goals", goals[i]);
        if (finished) {
            x.Num("TacticType", sides[i]->tactic);
            x.Num("TacticSkill", sides[i]->tacticSkill);
            for (int r = 0; r < 7; ++r)
                x.Num(ratingNames[r], sides[i]->ratings[r]);
            x.Text("TeamAttitude", sides[i]->attitude);
        }
        x.End();
    }
    x.Begin("Arena");
    x.Num("ArenaID", m.arenaId);
    x.Text("ArenaName", m.arenaName);
    x.Num("WeatherID", m.weather);
    x.Num("SoldTotal", m.sold);
    x.End();
    x.End();
    return x.Finish();
}

QByteArray MatchLineup(const WorldScenario& s, const WorldMatch& m, const WorldSide& side, int userId,
                       const QDateTime& now) {
    XmlOut x("matchlineup.xml", "1.3", userId, now);
    x.Num("MatchID", m.id);
    x.Text("IsYouth", Bool(m.youth));
    TeamPair(x, s, m);
    x.Begin("Arena");
    x.Num("ArenaID", m.arenaId);
    x.Text("ArenaName", m.arenaName);
    x.End();
    x.Text("MatchDate", DateText(m.date));
    x.Num("MatchType", m.type);
    const WorldTeam* t = s.Team(side.teamId, m.youth);
    x.Begin("Team");
    x.Num("TeamID", t->id);
    x.Text("TeamName", t->name);
    x.Num("ExperienceLevel", t->experience);
    x.Begin("Lineup");
    // The service gives a line-up only for a match that has been played.
    if (WorldScenario::Finished(m, now)) {
        for (const WorldLineupEntry& e : side.lineup) {
            const WorldPlayer* p = s.Player(e.playerId, m.youth);
            x.Begin("Player");
            x.Num("PlayerID", e.playerId);
            x.Num("RoleID", e.role);
            x.Text("PlayerName", p ? p->Name() : "");
            // As in the game's answers: the set-pieces taker and the captain carry no rating, the
            // replaced players no behaviour.
            if (e.role == 17 || e.role == 18) {
                x.End();
                continue;
            }
            x.Text("RatingStars", Stars(e.stars));
            x.Num("PositionCode", e.positionCode);
            if (e.role < 19)
                x.Num("Behaviour", e.behaviour);
            x.End();
        }
    }
    x.End();
    x.End();
    return x.Finish();
}

QByteArray Players(const WorldScenario& s, const WorldTeam& t, int userId, const QDateTime& now) {
    XmlOut x("players.xml", "2.0", userId, now);
    x.Text("IsYouth", Bool(t.youth));
    x.Text("ActionType", "view");
    x.Begin("Team");
    x.Num("TeamID", t.id);
    x.Text("TeamName", t.name);
    x.Begin("PlayerList");
    for (qint64 id : t.players) {
        const WorldPlayer* p = s.Player(id, t.youth);
        x.Begin("Player");
        x.Num("PlayerID", p->id);
        x.Text("PlayerName", p->Name());
        x.Num("LeagueGoals", t.youth ? 0 : s.LeagueGoals(p->id, now));
        x.Num("Cards", p->cards);
        x.Num("InjuryLevel", s.InjuryLevel(p->id, t.youth, now));
        x.End();
    }
    x.End();
    x.End();
    return x.Finish();
}

QByteArray PlayerDetails(const WorldScenario& s, const WorldPlayer& p, int userId, const QDateTime& now) {
    XmlOut x("playerdetails.xml", "2.0", userId, now);
    x.Text("IsYouth", Bool(p.youth));
    const WorldTeam* t = s.Team(p.teamId, p.youth);
    x.Begin("Player");
    x.Num("PlayerID", p.id);
    x.Text("PlayerName", p.Name());
    x.Text("FirstName", p.firstName);
    x.Text("LastName", p.lastName);
    x.Num("Cards", p.cards);
    x.Num("InjuryLevel", s.InjuryLevel(p.id, p.youth, now));
    x.Num("LeagueGoals", p.youth ? 0 : s.LeagueGoals(p.id, now));
    x.Begin("OwningTeam");
    x.Num("TeamID", t->id);
    x.Text("TeamName", t->name);
    x.End();
    x.End();
    return x.Finish();
}

QByteArray Live(const WorldScenario& s, const QVector<LiveMatchEvents>& list, int userId,
                const QDateTime& now) {
    XmlOut x("live.xml", "1.4", userId, now);
    x.Begin("MatchList");
    for (const LiveMatchEvents& entry : list) {
        const WorldMatch* m = entry.match;
        x.Begin("Match");
        x.Num("MatchID", m->id);
        x.Text("IsYouth", Bool(m->youth));
        TeamPair(x, s, *m);
        x.Text("MatchDate", DateText(m->date));
        int h, a;
        WorldScenario::Score(*m, now, h, a);
        x.Num("HomeGoals", h);
        x.Num("AwayGoals", a);
        // The events the answer carries, each with the game's own Index.
        x.Begin("EventList");
        for (int i : entry.events) {
            const WorldEvent& e = m->events[i];
            x.Begin("Event");
            x.Attr("Index", QString::number(e.index));
            x.Num("Minute", e.minute);
            x.Num("SubjectPlayerID", e.subjectPlayer);
            x.Num("SubjectTeamID", e.subjectTeam);
            x.Num("ObjectPlayerID", e.objectPlayer);
            x.Text("EventKey", e.key);
            x.Text("EventText", e.text);
            x.End();
        }
        x.End();
        x.End();
    }
    x.End();
    return x.Finish();
}

} // namespace WorldDocuments
