#pragma once
// One side's lineup of a finished match, computed without a window: the entries of a match lineup
// answer, which entry each of the eleven boxes shows, the position and behaviour words with their
// swatch colours, the experience word and the star total.
#include <QString>
#include <QVector>
#include <optional>

class XmlNode;

struct LineupEntry {
    QString RoleID; // "1".."11" boxes, "17" set pieces, "18" captain, "19".."21" replaced players
    QString PlayerID;
    QString PositionCode;
    QString Behaviour;
    QString PlayerName;
    QString RatingStars;
};

struct TeamLineup {
    QString TeamName;
    QString ExperienceLevel;
    QVector<LineupEntry> Entries; // in the answer's order
};

// Team/TeamName, Team/ExperienceLevel and the children of Team/Lineup below Root (the answer's
// HattrickData element), the first kMaxLineupEntries of them. Missing elements read as empty texts.
// Values are checked as they are read: an entry whose RoleID or PlayerID is no number is passed over,
// a position or behaviour that is no small number reads as empty, names are cut (AnswerName), and a
// star rating and the experience level are at most eight characters.
constexpr int kMaxLineupEntries = 64; // a real lineup has about twenty
TeamLineup ReadLineup(const XmlNode& Root);

// The first entry whose RoleID is exactly the decimal Role; -1 when there is none.
int RoleEntry(const QVector<LineupEntry>& Entries, int Role);

// The entry shown in box K (1..11): the first with RoleID K whose player was not replaced (has no entry
// with a RoleID above 18 or not a number), so a box shows who ended the match in it; -1 when none.
int BoxEntry(const QVector<LineupEntry>& Entries, int K);

// The words of a box for PositionCode P and Behaviour B (section General: "PositionCode<P>", then
// "Behaviour<B>") and the swatch colour ($BBGGRR) they give; no colour means the swatch stays as it is.
struct PositionLook {
    QString Word;
    std::optional<unsigned> Colour;
};
PositionLook PositionWord(int P, int B);

// The word of a team's experience level (the "Skill" words); empty for a level outside 0..20 (a
// level that is not a number reads as 0).
QString ExperienceWord(const QString& ExperienceLevel);

// A RatingStars text as a number where DecimalSeparator is the user's decimal separator: the game's
// "." is read as that separator. EConvertError when the text is no number.
double StarValue(const QString& RatingStars, QChar DecimalSeparator);
// A star total in its shortest form with the user's decimal separator (32.5 gives "32,5" with ",").
QString StarTotalText(double Total, QChar DecimalSeparator);
