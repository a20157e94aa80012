#pragma once
// The things of the substitute service's world: users, teams, players, league series and matches with
// their events. Plain data; the scenario fills it once from its seed and nothing changes it afterwards.
#include <QDateTime>
#include <QString>
#include <QVector>

struct WorldPlayer {
    qint64 id = 0;
    QString firstName;
    QString lastName;
    int teamId = 0;
    bool youth = false;
    int cards = 0; // yellow cards on record before the scenario's current round
    QString Name() const { return firstName + " " + lastName; }
};

struct WorldTeam {
    int id = 0;
    QString name;
    QString shortName;
    bool youth = false;
    bool national = false;
    int leagueId = 0;   // the country's league number
    QString leagueName; // the country's league name
    int unitId = 0;     // league level unit (series); 0 for national and youth teams
    QString unitName;
    int level = 0;
    QString region;
    int regionId = 0;
    int userId = 0;
    QString loginName;
    QString activationDate;
    QString lastLogin;
    QString homePage;
    int youthTeamId = 0; // a senior team's youth team, 0 when it has none
    QString arenaName;
    int arenaId = 0;
    QString dress; // kit code: "X"/"Z" designed, "A".."N" built in
    int experience = 0;
    QVector<qint64> players;
};

struct WorldLeague {
    int unitId = 0;
    QString unitName;
    int leagueId = 0;
    QString leagueName;
    int level = 0;
    int maxLevel = 0;
    int season = 0;
    QVector<int> teams;
    QVector<qint64> fixtures; // the season's 56 matches, round by round
};

struct WorldEvent {
    int index = 0; // the game's number of the event: rising, not from 0, with gaps
    int minute = 0;
    qint64 subjectPlayer = 0;
    int subjectTeam = 0;
    qint64 objectPlayer = 0;
    QString key;  // type "_" variant
    QString text; // commentary HTML
};

struct WorldLineupEntry {
    int role = 0; // 1..11 boxes, 17 set pieces, 18 captain, 19..21 replaced players
    qint64 playerId = 0;
    int positionCode = 0;
    int behaviour = 0;
    double stars = 0;
};

struct WorldSide {
    int teamId = 0;
    int tactic = 0;
    int tacticSkill = 0;
    int ratings[7] = {}; // midfield, right def, mid def, left def, right att, mid att, left att
    QString attitude;    // "-1", "0", "1" or empty (only a manager's own match shows it)
    QString formation;
    QVector<WorldLineupEntry> lineup;
};

struct WorldMatch {
    qint64 id = 0;
    bool youth = false;
    int type = 1;
    int round = 0; // league round 1..14, 0 for other matches
    int unitId = 0;
    QDateTime date;
    WorldSide home;
    WorldSide away;
    int weather = 2;
    int sold = 0;
    QString arenaName;
    int arenaId = 0;
    QVector<WorldEvent> events; // in the order of play; minute-wise non-decreasing
    int endMinute = 90;         // minute of the match-end event
};

struct WorldBookmark {
    int id = 0;
    int typeId = 1;
    QString text;
    QString text2;
    qint64 objectId = 0;
};

struct WorldUser {
    int id = 0;
    QString loginName;
    QString securityCode;
    int teamId = 0;
    QVector<WorldBookmark> bookmarks;
    bool oldLeagueFormat = false; // league answers in the older layout without ActionType
};
