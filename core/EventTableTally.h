#pragma once
// What the stored rows of a slot's event table add up to, followed while events are appended to it:
// the score (goal rows by side) and the two lineup texts. Each call goes on from the row where the
// previous one stopped, so storing n events reads every row once instead of every earlier row n
// times. A tally serves one run of appending (one match of a poll, one slot of a replay step): the
// rows it has read must not change meanwhile. A table shorter than what was read, or another home
// team, is read again from row 0.
#include "core/BKStringGrid.h"

#include <QString>

class EventTableTally {
public:
    struct Score {
        int Home = 0;
        int Away = 0;
    };
    // The goals of rows 0..lastRow: a row whose EventClass begins ",0,0" counts for the home side when
    // its SubjectTeamId equals homeTeamId, for the away side otherwise.
    Score GoalsUpTo(const TBKStringGrid& table, int lastRow, const QString& homeTeamId);
    // The lineup texts of rows 0..lastRow: of the rows whose EventTypeKey begins "21_", each one's
    // EventHtml becomes the home text while that is still empty, the away text otherwise.
    void LineupsUpTo(const TBKStringGrid& table, int lastRow, QString& home, QString& away);

private:
    int goalRows_ = 0; // rows 0..goalRows_-1 are counted in score_
    Score score_;
    QString homeTeam_;
    int lineupRows_ = 0; // rows 0..lineupRows_-1 are read into the lineup texts
    QString homeLineup_;
    QString awayLineup_;
};
