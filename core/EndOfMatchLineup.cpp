#include "core/EndOfMatchLineup.h"

#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/Exceptions.h"
#include "platform/XmlDocument.h"

#include <QLocale>
#include <cmath>

namespace {

// Swatch colours of the lines ($BBGGRR).
constexpr unsigned Black = 0x000000, Lime = 0x00FF00, Blue = 0xFF0000, Orange = 0x44AAFF, Yellow = 0x00FFFF,
                   Red = 0x0000FF;

QString GeneralWord(const QString& key) {
    return LangText(QStringLiteral("General"), key, QString());
}

// A code of the answer (a position, a behaviour): a number of at most four digits, else empty, which
// reads as no code.
QString SmallNumberText(const QString& text) {
    const std::optional<qint64> number = BoundedCount(text, 9999);
    return number ? QString::number(*number) : QString();
}

bool IsReplacedRole(const QString& roleId) {
    bool ok = false;
    const int role = roleId.toInt(&ok);
    return !ok || role > 18;
}

} // namespace

TeamLineup ReadLineup(const XmlNode& Root) {
    TeamLineup lineup;
    const XmlNode team = Root.Child(QStringLiteral("Team"));
    lineup.TeamName = AnswerName(team.ChildText(QStringLiteral("TeamName")));
    lineup.ExperienceLevel = team.ChildText(QStringLiteral("ExperienceLevel")).left(8);
    for (const XmlNode& p : team.Child(QStringLiteral("Lineup")).Children()) {
        if (lineup.Entries.size() >= kMaxLineupEntries)
            break;
        LineupEntry entry{NumberText(p.ChildText(QStringLiteral("RoleID"))),
                          NumberText(p.ChildText(QStringLiteral("PlayerID"))),
                          SmallNumberText(p.ChildText(QStringLiteral("PositionCode"))),
                          SmallNumberText(p.ChildText(QStringLiteral("Behaviour"))),
                          AnswerName(p.ChildText(QStringLiteral("PlayerName"))),
                          p.ChildText(QStringLiteral("RatingStars")).left(8)};
        // A player is named by his ID and placed by his role: an entry without both is none.
        if (!entry.RoleID.isEmpty() && !entry.PlayerID.isEmpty())
            lineup.Entries.append(entry);
    }
    return lineup;
}

int RoleEntry(const QVector<LineupEntry>& Entries, int Role) {
    const QString role = QString::number(Role);
    for (int i = 0; i < Entries.size(); ++i)
        if (Entries[i].RoleID == role)
            return i;
    return -1;
}

int BoxEntry(const QVector<LineupEntry>& Entries, int K) {
    const QString role = QString::number(K);
    for (int i = 0; i < Entries.size(); ++i) {
        if (Entries[i].RoleID != role)
            continue;
        bool replaced = false;
        for (const LineupEntry& other : Entries)
            if (other.PlayerID == Entries[i].PlayerID && IsReplacedRole(other.RoleID))
                replaced = true;
        if (!replaced)
            return i;
    }
    return -1;
}

PositionLook PositionWord(int P, int B) {
    static const unsigned positionColours[12] = {0,      Black,  Lime,   Blue,   Blue, Lime,
                                                 Orange, Yellow, Yellow, Orange, Red,  Red};
    PositionLook look;
    if (P >= 1 && P <= 11) {
        look.Word = GeneralWord(QStringLiteral("PositionCode") + QString::number(P));
        look.Colour = positionColours[P];
    }
    const QString behaviour =
        B >= 1 && B <= 7 ? GeneralWord(QStringLiteral("Behaviour") + QString::number(B)) : QString();
    if (B >= 1 && B <= 4) {
        look.Word += QLatin1Char(' ') + behaviour;
    } else if (B >= 5 && B <= 7) {
        // The player moved to another line: the word and colour of that line.
        static const unsigned behaviourColours[3] = {Red, Yellow, Blue};
        look.Word = behaviour;
        look.Colour = behaviourColours[B - 5];
    }
    return look;
}

QString ExperienceWord(const QString& ExperienceLevel) {
    bool ok = false;
    const int value = ExperienceLevel.toInt(&ok);
    // The level is taken as a 16-bit value: -1 is far above the last word.
    return SkillText(quint16(ok ? value : 0));
}

double StarValue(const QString& RatingStars, QChar DecimalSeparator) {
    QString text = RatingStars.trimmed();
    if (DecimalSeparator != QLatin1Char('.')) {
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        if (point >= 0)
            text[point] = DecimalSeparator;
        // Read with the user's separator: a second point is no part of a number.
        if (text.contains(QLatin1Char('.')))
            text.clear();
        text.replace(DecimalSeparator, QLatin1Char('.'));
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(RatingStars));
    return value;
}

QString StarTotalText(double Total, QChar DecimalSeparator) {
    QString text = QString::number(Total, 'g', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), DecimalSeparator);
    return text;
}
