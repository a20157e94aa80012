#pragma once
// The checked values of the league answers: the clubs of a league details answer, and the bound of
// the numbers every league reader stores. A value that fails its check makes the whole answer unread, so
// that what the league panel held stays.
#include <QString>
#include <QVector>

class XmlNode;

// Far above any season's goals or points, and small enough that sums of them never overflow.
constexpr qint64 kMaxLeagueCount = 99999;
constexpr int kLeagueClubCount = 8;

struct LeagueClub {
    QString TeamId;   // decimal digits
    QString TeamName; // cut like every name of an answer
    qint64 Position = 0;
    qint64 Matches = 0;
    qint64 GoalsFor = 0;
    qint64 GoalsAgainst = 0;
    qint64 Points = 0;
};

// The clubs of a league details answer: the root's Team children in file order, wherever they stand
// (newer answers carry CurrentMatchRound and Rank before them), at most eight. Empty when a club's ID is
// not decimal digits or one of its numbers is not a bounded count.
QVector<LeagueClub> LeagueClubs(const XmlNode& Details);
