#include "core/EventLookups.h"

#include "core/Settings.h"

#include <QDate>
#include <QTime>
#include <climits>
#include <cstdlib>
#include <optional>

QString EventCategory(const QString& EventClass) {
    static const struct {
        const char* prefix;
        const QString* code;
    } fourCharTests[] = {
        {",0,0", &CategoryGoal},
        {",0,1", &CategoryMissedChance},
        {",2,0", &CategoryInjurySubstituted},
        {",2,1", &CategoryInjuryStillPlaying},
        {",3,0", &CategoryYellowCard},
        {",3,1", &CategorySecondYellow},
        {",3,2", &CategoryRedCard},
    };
    static const struct {
        const char* prefix;
        const QString* code;
    } twoCharTests[] = {
        {",4", &CategoryTeamEvent},
        {",1", &CategoryMatchInfo},
        {"QZ", &CategoryProgramEvent},
    };
    // Views, not copies: every stored event, list row and panel row asks.
    const QStringView first4 = QStringView(EventClass).left(4);
    for (const auto& t : fourCharTests)
        if (first4 == QLatin1String(t.prefix))
            return *t.code;
    const QStringView first2 = QStringView(EventClass).left(2);
    for (const auto& t : twoCharTests)
        if (first2 == QLatin1String(t.prefix))
            return *t.code;
    return QString();
}

QString MatchTypeText(const QString& MatchType) {
    static const QStringList known = {"1", "2", "3", "4", "5", "7", "8", "9"};
    if (!known.contains(MatchType))
        return QString();
    return LangText("General", "MatchType" + MatchType, "");
}

QString TacticText(const QString& TacticType) {
    static const QStringList known = {"0", "1", "2", "3", "4", "7"};
    const QString code = known.contains(TacticType) ? TacticType : QStringLiteral("0");
    return LangText("General", "Tactic" + code, "");
}

QString SkillText(int Level) {
    if (Level < 0 || Level > 20)
        return QString();
    return LangText("General", "Skill" + QString::number(Level), "");
}

QString SubSkillText(int Level) {
    if (Level < 1 || Level > 4)
        return QString();
    return LangText("General", "SubSkill" + QString::number(Level), "");
}

QString RatingText(int Rating) {
    // C++ division and remainder truncate towards zero, as the level arithmetic expects: a rating
    // of 0 gives level 1 and sub-level 0 (no word).
    const qint64 n = qint64(Rating) - 1;
    return SkillText(int(n / 4 + 1)) + " (" + SubSkillText(int(n % 4 + 1)) + ")";
}

QString AttitudeText(const QString& Attitude) {
    if (Attitude != "-1" && Attitude != "0" && Attitude != "1")
        return QString();
    return LangText("General", "Attitude" + Attitude, "");
}

QString ExtractFormation(const QString& Text) {
    QString w = Text;
    for (;;) {
        const int i = w.indexOf('-'); // 0-based position of the first hyphen
        if (i < 0)
            return QString();
        // A second hyphen two places further on makes "d-d-d"; take it with the digit before.
        if (i + 2 < w.size() && w.at(i + 2) == '-')
            return w.mid(qMax(i - 1, 0), 5);
        w.remove(0, i + 2); // up to and including the character after the hyphen
    }
}

namespace {

// Seconds since an arbitrary epoch of a "YYYY-MM-DD HH:MM:SS" text read by fixed positions, or
// nothing when a field is not a number or the fields make no valid date and time. Plain calendar
// arithmetic: no time zone, so a daylight-saving change between two dates does not shift them.
std::optional<qint64> SecondsOf(const QString& text) {
    const int starts[] = {0, 5, 8, 11, 14, 17};
    const int lengths[] = {4, 2, 2, 2, 2, 2};
    int fields[6];
    for (int f = 0; f < 6; ++f) {
        bool ok = false;
        fields[f] = text.mid(starts[f], lengths[f]).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QDate date(fields[0], fields[1], fields[2]);
    const QTime time(fields[3], fields[4], fields[5]);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return date.toJulianDay() * 86400 + time.msecsSinceStartOfDay() / 1000;
}

} // namespace

QString LiveMatchMinute(const QString& MatchDate, const QString& FetchedDate, bool MatchEnded) {
    const auto start = SecondsOf(MatchDate);
    const auto fetched = SecondsOf(FetchedDate);
    if (!start || !fetched)
        return QString();
    const qint64 magnitude = std::llabs(*fetched - *start);
    if (magnitude >= 86400)
        return QString();
    if (MatchEnded)
        return LangText("Options", "MatchEnds", "Match end");
    const qint64 minutes = magnitude / 60;
    if (minutes <= 45)
        return QString::number(minutes);
    if (minutes <= 60)
        return QStringLiteral("45"); // half-time
    return QString::number(minutes - 15);
}

namespace {
int IntOrZero(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

// n + k, held at the ends of the integer range instead of wrapping round.
int SaturatedSum(int n, int k) {
    return int(qBound(qint64(INT_MIN), qint64(n) + k, qint64(INT_MAX)));
}
} // namespace

QString AddToCounter(const QString& Text, int K) {
    const int open = Text.indexOf('(');
    if (open < 0)
        return QString::number(SaturatedSum(IntOrZero(Text), K)) + " (0)";
    const int n = IntOrZero(Text.left(open).remove(' '));
    // The bracket part, with the blank before it. A text whose bracket has no blank before it
    // ("3(1)") would otherwise lose its separation from the new count ("43(1)").
    const int blank = Text.indexOf(' ');
    const QString tail = (blank >= 0 && blank < open) ? Text.mid(blank) : " " + Text.mid(open);
    return QString::number(SaturatedSum(n, K)) + tail;
}

QString AddToBracketCounter(const QString& Text, int K) {
    const int open = Text.indexOf('(');
    if (open < 0)
        return Text + " (" + QString::number(K) + ")";
    const int close = Text.indexOf(')');
    const QString inner = close > open ? Text.mid(open + 1, close - open - 1) : QString();
    return Text.left(open) + "(" + QString::number(SaturatedSum(IntOrZero(inner), K)) + ")";
}

QString KitFileStem(const QString& KitCode, const QString& TeamId) {
    if (KitCode.isEmpty())
        return QString();
    QString rest = KitCode.mid(1);
    while (rest.startsWith('0'))
        rest.remove(0, 1);
    return KitCode.left(1) + "." + TeamId + "." + rest;
}
