#include "Scenario.h"

#include <QStringList>
#include <algorithm>

namespace {

struct NamePool {
    QStringList first;
    QStringList last;
};

NamePool PoolOf(const QString& country) {
    if (country == "Sverige")
        return {{"Erik", "Lars", "Anders", "Johan", "Karl", "Nils", "Olof", "Per", "Gustav", "Axel", "Viktor",
                 "Linus", "Oskar", "Emil", "Hugo", "Albin"},
                {"Åberg",    "Bergqvist", "Dahlström", "Ekström",   "Forsberg",   "Granqvist", "Hedlund",
                 "Isaksson", "Järvinen",  "Lindqvist", "Magnusson", "Nyström",    "Öberg",     "Persson",
                 "Rydén",    "Sjöberg",   "Törnqvist", "Wallin",    "Backlund",   "Carlén",    "Engström",
                 "Fält",     "Grahn",     "Holm",      "Lindahl",   "Mårtensson", "Norén",     "Sundin"}};
    if (country == "España")
        return {{"Javier", "Sergio", "Pablo", "Álvaro", "Diego", "Iker", "Raúl", "Mario", "Andrés", "Jorge"},
                {"García", "Núñez",    "Ortega",  "Peña",    "Ruiz",      "Muñoz",  "Serrano",
                 "Vidal",  "Iglesias", "Herrera", "Castaño", "Domínguez", "Ibáñez", "Lozano",
                 "Marín",  "Navarro",  "Rey",     "Soler",   "Toledo",    "Vallejo"}};
    if (country == "Deutschland")
        return {{"Lukas", "Jonas", "Felix", "Maximilian", "Leon", "Paul", "Tim", "Niklas", "Jan", "Moritz"},
                {"Müller", "Schröder", "Becker", "Hoffmann", "Krüger", "Wagner", "Zimmermann",
                 "Köhler", "Lehmann",  "Vogel",  "Weiß",     "Busch",  "Fuchs",  "Hahn",
                 "Jäger",  "Kaiser",   "Lange",  "Möller",   "Roth",   "Sommer"}};
    return {{"Oliver",  "Harry",  "Jack",   "George", "Charlie", "Thomas", "James",
             "William", "Daniel", "Samuel", "Joseph", "Henry",   "Alfie",  "Leo",
             "Oscar",   "Archie", "Ethan",  "Lewis",  "Callum",  "Ryan"},
            {"Ashworth",   "Barlow",     "Cartwright",  "Dawson",   "Ellison",     "Fletcher",   "Garside",
             "Hargreaves", "Ingham",     "Jessop",      "Kershaw",  "Lomax",       "Marsden",    "Nuttall",
             "Ormerod",    "Pilling",    "Quarmby",     "Rushton",  "Sutcliffe",   "Thornton",   "Unsworth",
             "Varley",     "Whitworth",  "Yates",       "Aspinall", "Brierley",    "Crowther",   "Duckworth",
             "Entwistle",  "Fothergill", "Greenhalgh",  "Haworth",  "Illingworth", "Jagger",     "Kenyon",
             "Lister",     "Mellor",     "Nightingale", "Oldroyd",  "Pickles",     "Ramsbottom", "Shackleton",
             "Tattersall", "Walmsley",   "Wrigley",     "Ackroyd"}};
}

const char* kBuiltInDresses[] = {"B030405", "H010203", "N070809", "A020202", "L050607",
                                 "C111213", "K040506", "E090909", "M010101", "G141516"};

} // namespace

WorldScenario::WorldScenario(quint64 seed) : rng_(seed) {
    kickOff_ = QDateTime(QDate(2024, 3, 16), QTime(19, 0, 0), Qt::UTC);
    BuildTeams();

    WorldLeague england;
    england.unitId = 3412;
    england.unitName = "IV.12";
    england.leagueId = 2;
    england.leagueName = "England";
    england.level = 4;
    england.maxLevel = 9;
    england.season = 84;
    for (int i = 0; i < 8; ++i)
        england.teams.append(250101 + i);
    // Scripts by (round * 10 + pair of the round).
    BuildLeagueSeason(england, 712000001,
                      {{60, MatchScript::DemoRound},
                       {61, MatchScript::SecondYellow},
                       {62, MatchScript::DerbyPenalty},
                       {63, MatchScript::SpecialEvents},
                       {42, MatchScript::WalkoverHome},
                       {50, MatchScript::PenaltyShared}});
    leagues_.append(england);

    WorldLeague sweden;
    sweden.unitId = 2205;
    sweden.unitName = "III.5";
    sweden.leagueId = 1;
    sweden.leagueName = "Sverige";
    sweden.level = 3;
    sweden.maxLevel = 8;
    sweden.season = 84;
    for (int i = 0; i < 8; ++i)
        sweden.teams.append(260201 + i);
    BuildLeagueSeason(sweden, 712100001, {{31, MatchScript::WalkoverAway}, {62, MatchScript::AwayIsHome}});
    leagues_.append(sweden);

    BuildExtraMatches();
    BuildUsers();
    BuildSecondClub();
}

WorldTeam& WorldScenario::AddTeam(int id, const QString& name, bool youth, int leagueId,
                                  const QString& leagueName) {
    WorldTeam t;
    t.id = id;
    t.name = name;
    t.shortName = name.section(' ', 0, 0);
    t.youth = youth;
    t.leagueId = leagueId;
    t.leagueName = leagueName;
    t.arenaId = id + 1000000;
    t.arenaName = youth ? name + " Youth Ground" : t.shortName + " Park";
    t.experience = rng_.Range(2, 9);
    t.dress = kBuiltInDresses[rng_.Range(0, 9)];
    teamIndex_.insert({id, youth}, teams_.size());
    teams_.append(t);
    return teams_.last();
}

void WorldScenario::AddSquad(WorldTeam& team, int count) {
    const NamePool pool = PoolOf(team.leagueName);
    // A shuffled choice of surnames keeps them unique within a team.
    QVector<int> order(pool.last.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    for (int i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[rng_.Range(0, i)]);
    for (int i = 0; i < count; ++i) {
        WorldPlayer p;
        p.youth = team.youth;
        p.id = team.youth ? nextYouthPlayerId_++ : nextPlayerId_++;
        p.firstName = pool.first[rng_.Range(0, pool.first.size() - 1)];
        p.lastName = pool.last[order[i % order.size()]];
        p.teamId = team.id;
        p.cards = rng_.Chance(25) ? 1 : 0;
        playerIndex_.insert({p.id, p.youth}, players_.size());
        players_.append(p);
        team.players.append(p.id);
    }
}

void WorldScenario::BuildTeams() {
    const QStringList englandNames = {"Velkaro Demo FC",     "Ashford Rovers",   "Bramley Town",
                                      "Castlebridge United", "Dunmore Athletic", "Elmstead Wanderers",
                                      "Fairhaven City",      "Granton Albion"};
    const QStringList englandRegions = {"Lancashire", "Yorkshire", "Kent", "Devon"};
    const QStringList swedenNames = {"Scout IF",       "Björkby BK", "Dalsjö IF",  "Eksta FF",
                                     "Forsbacka GoIF", "Granås SK",  "Hällby AIK", "Ivarsby IK"};
    const QStringList swedenRegions = {"Uppland", "Skåne", "Dalarna", "Småland"};
    for (int i = 0; i < 8; ++i) {
        WorldTeam& t = AddTeam(250101 + i, englandNames[i], false, 2, "England");
        t.unitId = 3412;
        t.unitName = "IV.12";
        t.level = 4;
        t.region = englandRegions[i % 4];
        t.regionId = 201 + i % 4;
        t.userId = 1001 + (i == 0 ? 0 : 10 + i);
        t.loginName = i == 0 ? "demo" : "manager" + QString::number(t.userId);
        t.activationDate = QString("2019-0%1-1%2 10:1%3:00").arg(1 + i).arg(i).arg(i);
        t.lastLogin = QString("2024-03-1%1 0%2:2%3:00").arg(i % 6).arg(i).arg(i);
        AddSquad(t, 16);
    }
    teams_[teamIndex_.value({250101, false})].dress = "X0012";
    teams_[teamIndex_.value({250101, false})].youthTeamId = 2701001;
    teams_[teamIndex_.value({250101, false})].homePage = "http://127.0.0.1/velkaro-demo-fc";
    teams_[teamIndex_.value({250104, false})].dress = "Z0005";
    for (int i = 0; i < 8; ++i) {
        WorldTeam& t = AddTeam(260201 + i, swedenNames[i], false, 1, "Sverige");
        t.unitId = 2205;
        t.unitName = "III.5";
        t.level = 3;
        t.region = swedenRegions[i % 4];
        t.regionId = 301 + i % 4;
        t.userId = 1002 + (i == 0 ? 0 : 20 + i);
        t.loginName = i == 0 ? "scout" : "manager" + QString::number(t.userId);
        t.activationDate = QString("2020-1%1-0%2 18:00:00").arg(i % 3).arg(1 + i);
        t.lastLogin = QString("2024-03-1%1 2%2:05:00").arg(i % 6).arg(i % 4);
        AddSquad(t, 16);
    }
    // A club outside both series: the demo team's cup opponent.
    WorldTeam& cup = AddTeam(251017, "Kingsbury Park Rangers", false, 2, "England");
    cup.unitId = 3533;
    cup.unitName = "V.33";
    cup.level = 5;
    cup.region = "Essex";
    cup.regionId = 210;
    cup.userId = 1040;
    cup.loginName = "manager1040";
    cup.activationDate = "2021-05-02 12:00:00";
    cup.lastLogin = "2024-03-15 22:10:00";
    AddSquad(cup, 16);
    // National teams, with the game's team numbers of their countries.
    const struct {
        int id;
        const char* name;
        int leagueId;
    } nations[] = {
        {3001, "England", 2}, {3035, "España", 35}, {3000, "Sverige", 1}, {3002, "Deutschland", 3}};
    for (const auto& n : nations) {
        WorldTeam& t = AddTeam(n.id, n.name, false, n.leagueId, n.name);
        t.national = true;
        t.shortName = n.name;
        t.arenaName = QString(n.name) + " National Stadium";
        AddSquad(t, 16);
    }
    teams_[teamIndex_.value({3001, false})].dress = "X0003";
    // Youth teams (their own numbers, asked for with the youth flag).
    const QStringList youthNames = {"Velkaro Demo Youth", "Ashford Rovers Juniors", "Bramley Town Academy"};
    for (int i = 0; i < 3; ++i) {
        WorldTeam& t = AddTeam(2701001 + i, youthNames[i], true, 2, "England");
        t.region = englandRegions[i];
        AddSquad(t, 14);
    }
}

WorldMatch& WorldScenario::AddMatch(qint64 id, bool youth, int type, const QDateTime& date, int home,
                                    int away) {
    WorldMatch m;
    m.id = id;
    m.youth = youth;
    m.type = type;
    m.date = date;
    m.home.teamId = home;
    m.away.teamId = away;
    const WorldTeam* h = Team(home, youth);
    m.arenaName = h->arenaName;
    m.arenaId = h->arenaId;
    matchIndex_.insert({id, youth}, matches_.size());
    matches_.append(m);
    return matches_.last();
}

void WorldScenario::BuildLeagueSeason(WorldLeague& league, qint64 firstMatchId,
                                      const QMap<int, MatchScript>& scripts) {
    // Circle method: team 0 stays, the others rotate; the second half mirrors the first.
    QVector<int> a = league.teams;
    QVector<QVector<QPair<int, int>>> firstHalf;
    for (int r = 0; r < 7; ++r) {
        QVector<QPair<int, int>> pairs;
        for (int i = 0; i < 4; ++i) {
            int x = a[i], y = a[7 - i];
            const bool swap = i == 0 ? (r % 2 == 0) : ((r + i) % 2 == 1);
            pairs.append(swap ? qMakePair(y, x) : qMakePair(x, y));
        }
        firstHalf.append(pairs);
        a.insert(1, a.takeLast());
    }
    qint64 id = firstMatchId;
    const int forms[] = {1, 3, 4, 6};
    for (int round = 1; round <= 14; ++round) {
        const auto& pairs = firstHalf[(round - 1) % 7];
        for (int i = 0; i < 4; ++i) {
            const bool second = round > 7;
            const int home = second ? pairs[i].second : pairs[i].first;
            const int away = second ? pairs[i].first : pairs[i].second;
            const QDateTime date = kickOff_.addDays(7 * (round - 6));
            WorldMatch& m = AddMatch(id++, false, 1, date, home, away);
            m.round = round;
            m.unitId = league.unitId;
            league.fixtures.append(m.id);
            const int form = round == 6 ? forms[i] : forms[(round + i) % 4];
            Play(m, scripts.value(round * 10 + i, MatchScript::Plain), form);
        }
    }
}

void WorldScenario::BuildExtraMatches() {
    // A cup match on neutral ground three days before the round, and one after it.
    WorldMatch& cup = AddMatch(712500001, false, 3, kickOff_.addDays(-3).addSecs(30 * 60), 251017, 250101);
    Play(cup, MatchScript::CupNeutral, 3);
    WorldMatch& cupNext = AddMatch(712500002, false, 3, kickOff_.addDays(4).addSecs(30 * 60), 250101, 250105);
    Play(cupNext, MatchScript::Plain, 1);
    // An international friendly between the two users' teams.
    WorldMatch& friendly =
        AddMatch(712500003, false, 8, kickOff_.addDays(-9).addSecs(-60 * 60), 260201, 250101);
    Play(friendly, MatchScript::Plain, 6);
    // National teams: one during the round, one finished, one to come.
    WorldMatch& nt = AddMatch(712900001, false, 10, kickOff_, 3001, 3035);
    Play(nt, MatchScript::Plain, 1);
    WorldMatch& ntDone = AddMatch(712900002, false, 12, kickOff_.addDays(-2).addSecs(60 * 60), 3000, 3002);
    Play(ntDone, MatchScript::SecondYellow, 4);
    WorldMatch& ntNext = AddMatch(712900003, false, 10, kickOff_.addDays(3), 3001, 3000);
    Play(ntNext, MatchScript::Plain, 1);
    // Youth matches of the demo user's youth team.
    WorldMatch& youthDone =
        AddMatch(130000001, true, 100, kickOff_.addDays(-4).addSecs(-3 * 60 * 60), 2701002, 2701001);
    Play(youthDone, MatchScript::Substitutions, 5);
    WorldMatch& youthLive = AddMatch(130000002, true, 100, kickOff_, 2701001, 2701003);
    Play(youthLive, MatchScript::SecondYellow, 2);
    WorldMatch& youthNext = AddMatch(130000003, true, 100, kickOff_.addDays(7), 2701001, 2701002);
    Play(youthNext, MatchScript::Plain, 2);
}

void WorldScenario::BuildUsers() {
    WorldUser demo;
    demo.id = 1001;
    demo.loginName = "demo";
    demo.securityCode = "velkaro";
    demo.teamId = 250101;
    const WorldTeam* demoTeam = Team(250101, false);
    const WorldPlayer* star = Player(demoTeam->players[9], false);
    demo.bookmarks = {{90001, 1, "Castlebridge United", "manager1014", 250104},
                      {90002, 1, "Scout IF", "scout", 260201},
                      {90003, 2, star->Name(), "Velkaro Demo FC", star->id},
                      {90004, 1, "England", "", 3001},
                      {90005, 3, "Kingsbury Park Rangers - Velkaro Demo FC", "", 712500001},
                      {90006, 1, "Kingsbury Park Rangers", "manager1040", 251017}};
    users_.append(demo);

    WorldUser scout;
    scout.id = 1002;
    scout.loginName = "scout";
    scout.securityCode = "velkaro";
    scout.teamId = 260201;
    scout.oldLeagueFormat = true;
    scout.bookmarks = {{90101, 1, "Velkaro Demo FC", "demo", 250101},
                       {90102, 4, "III.5", "Sverige", 2205},
                       {90103, 1, "Sverige", "", 3000}};
    users_.append(scout);
}

void WorldScenario::BuildSecondClub() {
    // Built last, so that every draw before it stays as it was. The demo user's second club, in another
    // country: the user now manages two clubs, the first one the primary.
    WorldTeam& club = AddTeam(260301, "Norrvik Demo FF", false, 1, "Sverige");
    club.unitId = 2290;
    club.unitName = "VI.40";
    club.level = 6;
    club.region = "Norrbotten";
    club.regionId = 305;
    club.userId = 1001;
    club.loginName = "demo";
    club.activationDate = "2023-08-21 09:30:00";
    club.lastLogin = Team(250101, false)->lastLogin;
    AddSquad(club, 16);
    // A friendly on the round's day for a club of the Swedish series, still being played when the round
    // kicks off: that club's next match is not the league's.
    WorldMatch& friendly = AddMatch(712500004, false, 4, kickOff_.addSecs(-60 * 60), 260205, 260301);
    Play(friendly, MatchScript::Plain, 2);
}

QVector<const WorldTeam*> WorldScenario::ClubsOfManager(const WorldTeam& team) const {
    if (team.userId == 0)
        return {&team};
    QVector<const WorldTeam*> clubs;
    for (const WorldTeam& t : teams_)
        if (!t.youth && !t.national && t.userId == team.userId)
            clubs.append(&t);
    std::stable_partition(clubs.begin(), clubs.end(), [&](const WorldTeam* t) { return !IsPrimaryClub(*t); });
    return clubs;
}

bool WorldScenario::IsPrimaryClub(const WorldTeam& team) const {
    const WorldUser* user = UserById(team.userId);
    return !user || user->teamId == team.id;
}

const WorldUser* WorldScenario::UserById(int id) const {
    for (const WorldUser& u : users_)
        if (u.id == id)
            return &u;
    return nullptr;
}

const WorldTeam* WorldScenario::Team(int id, bool youth) const {
    auto it = teamIndex_.find({id, youth});
    return it == teamIndex_.end() ? nullptr : &teams_[*it];
}

const WorldPlayer* WorldScenario::Player(qint64 id, bool youth) const {
    auto it = playerIndex_.find({id, youth});
    return it == playerIndex_.end() ? nullptr : &players_[*it];
}

const WorldMatch* WorldScenario::Match(qint64 id, bool youth) const {
    auto it = matchIndex_.find({id, youth});
    return it == matchIndex_.end() ? nullptr : &matches_[*it];
}

const WorldLeague* WorldScenario::League(int unitId) const {
    for (const WorldLeague& l : leagues_)
        if (l.unitId == unitId)
            return &l;
    return nullptr;
}

QVector<const WorldMatch*> WorldScenario::MatchesOfTeam(int teamId, bool youth) const {
    QVector<const WorldMatch*> list;
    for (const WorldMatch& m : matches_)
        if (m.youth == youth && (m.home.teamId == teamId || m.away.teamId == teamId))
            list.append(&m);
    std::stable_sort(list.begin(), list.end(),
                     [](const WorldMatch* a, const WorldMatch* b) { return a->date < b->date; });
    return list;
}

QDateTime WorldScenario::EventTime(const WorldMatch& m, int minute) {
    const int played = minute <= 45 ? minute : minute + 15;
    return m.date.addSecs(60LL * played);
}

int WorldScenario::VisibleEventCount(const WorldMatch& m, const QDateTime& now) {
    int n = 0;
    while (n < m.events.size() && EventTime(m, m.events[n].minute) <= now)
        ++n;
    return n;
}

bool WorldScenario::Finished(const WorldMatch& m, const QDateTime& now) {
    return EventTime(m, m.endMinute) <= now;
}

void WorldScenario::Score(const WorldMatch& m, const QDateTime& now, int& home, int& away) {
    home = away = 0;
    const int n = VisibleEventCount(m, now);
    for (int i = 0; i < n; ++i) {
        const int type = m.events[i].key.section('_', 0, 0).toInt();
        if (type == 501) {
            home = 5;
            away = 0;
            return;
        }
        if (type == 502) {
            home = 0;
            away = 5;
            return;
        }
        if (type >= 100 && type < 200)
            (m.events[i].subjectTeam == m.home.teamId ? home : away)++;
    }
}

int WorldScenario::InjuryLevel(qint64 playerId, bool youth, const QDateTime& now) const {
    int level = -1;
    for (const WorldMatch& m : matches_) {
        if (m.youth != youth)
            continue;
        const int n = VisibleEventCount(m, now);
        for (int i = 0; i < n; ++i) {
            const WorldEvent& e = m.events[i];
            if (e.subjectPlayer != playerId)
                continue;
            const int type = e.key.section('_', 0, 0).toInt();
            if (type == 90 || type == 94)
                level = std::max(level, 0);
            else if (type == 91 || type == 95)
                level = std::max(level, 2);
            else if (type == 92 || type == 93 || type == 96)
                level = std::max(level, 5);
        }
    }
    return level;
}

int WorldScenario::LeagueGoals(qint64 playerId, const QDateTime& now) const {
    int goals = 0;
    for (const WorldMatch& m : matches_) {
        if (m.type != 1 || m.youth || !Finished(m, now))
            continue;
        for (const WorldEvent& e : m.events) {
            const int type = e.key.section('_', 0, 0).toInt();
            if (type >= 100 && type < 200 && e.subjectPlayer == playerId)
                ++goals;
        }
    }
    return goals;
}
