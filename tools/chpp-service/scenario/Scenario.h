#pragma once
// The one scenario of the substitute service, built from a fixed seed: two league series of eight
// teams with a full season of fixtures whose sixth round kicks off at `RoundKickOff`, a cup match, an
// international friendly, national teams' and youth matches. The demo user manages a second club, which
// plays a friendly against a Swedish club of the series still running when that round kicks off. Every
// match's events are generated once; what a request sees of them depends only on the clock's `now`.
#include "Model.h"
#include "Rng.h"

#include <QMap>
#include <optional>

// Incidents a match of the scenario is made to contain, on top of its generated chances.
enum class MatchScript {
    Plain,
    DemoRound,     // a booked player with two cards on record (third card), an injury, a substitution
    SecondYellow,  // a second yellow card, a bruised player
    DerbyPenalty,  // a regional derby with a penalty goal
    SpecialEvents, // equal possession, a special-event goal and a counter-attack goal
    WalkoverHome,  // the away team did not turn up
    WalkoverAway,  // the home team did not turn up
    CupNeutral,    // neutral ground, a straight red card, an injury
    PenaltyShared, // a penalty and shared possession
    AwayIsHome,    // the away team actually plays at home
    Substitutions, // an injured home player and an away player replaced
};

class WorldScenario {
public:
    explicit WorldScenario(quint64 seed);

    static constexpr quint64 DefaultSeed = 20240316;

    // Kick-off of the current league round (the round that "demo" is about to play).
    QDateTime RoundKickOff() const { return kickOff_; }

    const QVector<WorldUser>& Users() const { return users_; }
    const WorldUser* UserById(int id) const;
    const WorldTeam* Team(int id, bool youth) const;
    const WorldPlayer* Player(qint64 id, bool youth) const;
    const WorldMatch* Match(qint64 id, bool youth) const;
    const WorldLeague* League(int unitId) const;
    const QVector<WorldTeam>& Teams() const { return teams_; }
    const QVector<WorldMatch>& Matches() const { return matches_; }
    const QVector<WorldLeague>& Leagues() const { return leagues_; }

    // The clubs of a team's manager as team details list them: the others before the primary club, so
    // that the club asked for need not come first; the team alone when it has no manager.
    QVector<const WorldTeam*> ClubsOfManager(const WorldTeam& team) const;
    // The club its manager has had longest: the user's own team, or the only club of a manager.
    bool IsPrimaryClub(const WorldTeam& team) const;

    // The matches of a team, in date order.
    QVector<const WorldMatch*> MatchesOfTeam(int teamId, bool youth) const;

    // The game's clock rules: an event of minute m is played m minutes after kick-off in the first half
    // and m + 15 minutes after it in the second (fifteen minutes of half-time).
    static QDateTime EventTime(const WorldMatch& m, int minute);
    static int VisibleEventCount(const WorldMatch& m, const QDateTime& now);
    static bool Finished(const WorldMatch& m, const QDateTime& now);
    static bool Started(const WorldMatch& m, const QDateTime& now) { return m.date <= now; }
    // Goals of the visible events (a walkover counts 5 - 0).
    static void Score(const WorldMatch& m, const QDateTime& now, int& home, int& away);

    // The injury level a player has at `now`: -1 healthy, 0 bruised, else weeks out.
    int InjuryLevel(qint64 playerId, bool youth, const QDateTime& now) const;
    // League goals of a player in the league matches finished by `now`.
    int LeagueGoals(qint64 playerId, const QDateTime& now) const;

private:
    void BuildTeams();
    void BuildLeagueSeason(WorldLeague& league, qint64 firstMatchId, const QMap<int, MatchScript>& scripts);
    void BuildExtraMatches();
    void BuildUsers();
    void BuildSecondClub();
    WorldTeam& AddTeam(int id, const QString& name, bool youth, int leagueId, const QString& leagueName);
    void AddSquad(WorldTeam& team, int count);
    WorldMatch& AddMatch(qint64 id, bool youth, int type, const QDateTime& date, int home, int away);
    void Play(WorldMatch& m, MatchScript script, int linkForm);
    void MakeLineup(WorldMatch& m, WorldSide& side, WorldRng& rng);

    WorldRng rng_;
    QDateTime kickOff_;
    QVector<WorldUser> users_;
    QVector<WorldTeam> teams_;
    QVector<WorldPlayer> players_;
    QVector<WorldMatch> matches_;
    QVector<WorldLeague> leagues_;
    QMap<QPair<int, bool>, int> teamIndex_;
    QMap<QPair<qint64, bool>, int> playerIndex_;
    QMap<QPair<qint64, bool>, int> matchIndex_;
    qint64 nextPlayerId_ = 401220000;
    qint64 nextYouthPlayerId_ = 201550000;
    int nextNameIndex_ = 0;
};
