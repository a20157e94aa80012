#pragma once
// Small lookups the match viewer uses while it stores, counts and shows events: the category code of
// an event class, the words of the game's codes in the current language, the formation inside an
// event text, the running minute of a live match, the "N (M)" statistics counters and the file-name
// stem of a team's kit pictures. None of them keeps state or raises.
#include <QString>

// Event category codes. They are texts, not numbers: "20" and "2" are different codes, and an
// unknown class gives the empty text.
inline const QString CategoryGoal = QStringLiteral("0");
inline const QString CategoryMissedChance = QStringLiteral("1");
inline const QString CategoryInjurySubstituted = QStringLiteral("20");
inline const QString CategoryInjuryStillPlaying = QStringLiteral("21");
inline const QString CategoryYellowCard = QStringLiteral("30");
inline const QString CategorySecondYellow = QStringLiteral("31");
inline const QString CategoryRedCard = QStringLiteral("32");
inline const QString CategoryTeamEvent = QStringLiteral("4");
inline const QString CategoryMatchInfo = QStringLiteral("5");
inline const QString CategoryProgramEvent = QStringLiteral("6");

// The category code of an event class string (",0,0,0,,0," gives "0"); only its leading characters
// count.
QString EventCategory(const QString& EventClass);

// Words of section "General" for the game's codes; a code outside the known ones gives "".
QString MatchTypeText(const QString& MatchType);
QString TacticText(const QString& TacticType); // an unknown tactic reads as "Tactic0"
// Levels outside 0..20 (SkillText) and 1..4 (SubSkillText) give "", whatever their size.
QString SkillText(int Level);
QString SubSkillText(int Level);
// Level word + " (" + sub-level word + ")" of a sector rating (1 = level 1, sub-level 1).
QString RatingText(int Rating);
QString AttitudeText(const QString& Attitude);

// The first formation (three digits joined by hyphens, such as "4-4-2") in Text, or "".
QString ExtractFormation(const QString& Text);

// The minute text of a live match from its start and the live file's fetch time (both
// "YYYY-MM-DD HH:MM:SS"): "" when they lie a day or more apart or do not read as dates, the
// "MatchEnds" word when the match has ended, otherwise the played minute without half-time.
QString LiveMatchMinute(const QString& MatchDate, const QString& FetchedDate, bool MatchEnded);

// Statistics counters "N (M)": AddToCounter adds K to N, AddToBracketCounter adds K to M.
QString AddToCounter(const QString& Text, int K);
QString AddToBracketCounter(const QString& Text, int K);

// The stem of a team's kit picture files: ("X0012", "456") gives "X.456.12"; an empty code gives "".
QString KitFileStem(const QString& KitCode, const QString& TeamId);
