#pragma once
// The XML answers of the substitute service, one function per file kind. Every answer has the root
// HattrickData and begins with FileName, Version, UserID and FetchedDate (the clock's `now`); the
// elements after them are laid out as the game's current answers lay them out.
#include "Scenario.h"

#include <QByteArray>

namespace WorldDocuments {

QString DateText(const QDateTime& t);

QByteArray Error(int code, const QString& text, const QDateTime& now);
// One club of a team-details answer.
struct TeamDetailsClub {
    const WorldTeam* team = nullptr;
    bool primary = false;
    QString logoUrl; // empty: none
};
// The team details of a manager's clubs, in the order given; `manager` (the club asked for, null for
// none) gives the User element. Without clubs the answer names no team.
QByteArray TeamDetails(const WorldScenario& s, const WorldTeam* manager,
                       const QVector<TeamDetailsClub>& clubs, int userId, const QDateTime& now);
QByteArray WorldDetails(const WorldScenario& s, int userId, const QDateTime& now);
QByteArray Bookmarks(const WorldUser& user, const QDateTime& now);
// `withActionType` false gives the older layout: no ActionType after FetchedDate, so every later root
// child stands one place earlier.
QByteArray LeagueDetails(const WorldScenario& s, const WorldLeague& league, int userId, const QDateTime& now,
                         bool withActionType);
QByteArray LeagueFixtures(const WorldScenario& s, const WorldLeague& league, int userId, const QDateTime& now,
                          bool withActionType);
QByteArray Matches(const WorldScenario& s, const WorldTeam& team, int userId, const QDateTime& now);
QByteArray MatchDetails(const WorldScenario& s, const WorldMatch& m, int userId, const QDateTime& now);
QByteArray MatchLineup(const WorldScenario& s, const WorldMatch& m, const WorldSide& side, int userId,
                       const QDateTime& now);
QByteArray Players(const WorldScenario& s, const WorldTeam& team, int userId, const QDateTime& now);
QByteArray PlayerDetails(const WorldScenario& s, const WorldPlayer& p, int userId, const QDateTime& now);
// One match of a live answer and the events it carries: positions in the match's event list, in the
// order the answer gives them.
struct LiveMatchEvents {
    const WorldMatch* match = nullptr;
    QVector<int> events;
};
QByteArray Live(const WorldScenario& s, const QVector<LiveMatchEvents>& list, int userId,
                const QDateTime& now);

} // namespace WorldDocuments
