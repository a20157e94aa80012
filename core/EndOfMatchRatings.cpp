#include "core/EndOfMatchRatings.h"

#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

#include <QRegularExpression>

namespace {

// A whole number after leading blanks, or Default.
int StrToIntDef(const QString& text, int Default) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    bool ok = false;
    const int value = text.mid(start).toInt(&ok);
    return ok ? value : Default;
}

// A whole number of type T; EConvertError when the text is not one of that type.
template <typename T> T WholeNumber(const QString& text, T (QString::*convert)(bool*, int) const) {
    bool ok = false;
    const T value = (text.*convert)(&ok, 10);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

qint64 StrToInt64(const QString& text) {
    return WholeNumber<qint64>(text, &QString::toLongLong);
}

// A sector rating of the answer as the grid keeps it: a whole number of at most nine digits, with its
// sign; anything else is kept empty, which is no number and stops the page where it stands.
QString SectorRating(const QString& text) {
    static const QRegularExpression rating(QStringLiteral("^-?\\d{1,9}$"));
    const QString trimmed = text.trimmed();
    return rating.match(trimmed).hasMatch() ? trimmed : QString();
}

QString MatchesText(const char* key) {
    return LangText(QStringLiteral("Matches"), QLatin1String(key), QString());
}

// The rating elements in the order of their rows.
struct SectorRow {
    const char* element;
    int row;
};
const SectorRow Sectors[] = {
    {"RatingMidfield", RatingsRow::Midfield}, {"RatingRightDef", RatingsRow::RightDef},
    {"RatingMidDef", RatingsRow::MidDef},     {"RatingLeftDef", RatingsRow::LeftDef},
    {"RatingRightAtt", RatingsRow::RightAtt}, {"RatingMidAtt", RatingsRow::MidAtt},
    {"RatingLeftAtt", RatingsRow::LeftAtt}};

constexpr int HomeText = 1, HomeNumber = 2, HomeDiff = 4, AwayText = 6, AwayNumber = 7, WeatherCode = 8,
              AwayDiff = 9;

void FillTactics(TBKStringGrid& g, const XmlNode& home, const XmlNode& away) {
    const XmlNode teams[2] = {home, away};
    const int textColumn[2] = {HomeText, AwayText};
    for (int side = 0; side < 2; ++side)
        g.SetCells(textColumn[side], RatingsRow::Tactic, TacticText(teams[side].ChildText("TacticType")));
    for (int side = 0; side < 2; ++side)
        g.SetCells(textColumn[side], RatingsRow::TacticSkill,
                   SkillText(StrToInt(teams[side].ChildText("TacticSkill"))));
    // Play creatively with skill 1: the game does not tell the skill of this tactic.
    for (int side = 0; side < 2; ++side)
        if (teams[side].ChildText("TacticType") == QLatin1String("7") &&
            teams[side].ChildText("TacticSkill") == QLatin1String("1"))
            g.SetCells(textColumn[side], RatingsRow::TacticSkill,
                       LangText(QStringLiteral("General"), QStringLiteral("NotAvailable"),
                                QStringLiteral("not available")));
}

// Words and the weighted totals (midfield three times), then the totals row. A total is signed and wide
// enough for nine times any rating an answer may hold.
void FillWordsAndTotals(TBKStringGrid& g) {
    qint64 totals[2] = {0, 0};
    for (int r = RatingsRow::Midfield; r <= RatingsRow::LeftAtt; ++r) {
        if (g.Cells(HomeNumber, r).isEmpty())
            continue; // the spacer rows
        const int home = StrToInt(StripBlanks(g.Cells(HomeNumber, r)));
        g.SetCells(HomeText, r, RatingText(home));
        const int away = StrToInt(StripBlanks(g.Cells(AwayNumber, r)));
        g.SetCells(AwayText, r, RatingText(away));
        const int weight = r == RatingsRow::Midfield ? 3 : 1;
        totals[0] += qint64(weight) * home;
        totals[1] += qint64(weight) * away;
    }
    g.SetCells(HomeNumber, RatingsRow::Total, QStringLiteral("  ") + QString::number(totals[0]));
    g.SetCells(AwayNumber, RatingsRow::Total, QStringLiteral("  ") + QString::number(totals[1]));
}

// One-digit ratings behind two blanks; differences lined up on their last digit.
void AlignRatings(TBKStringGrid& g) {
    for (int r = RatingsRow::Total; r <= RatingsRow::LeftAtt; ++r) {
        if (g.Cells(HomeNumber, r).isEmpty())
            continue;
        for (int c : {HomeNumber, AwayNumber})
            if (g.Cells(c, r).size() < 2)
                g.SetCells(c, r, QStringLiteral("  ") + g.Cells(c, r));
        for (int c : {HomeDiff, AwayDiff})
            if (g.Cells(c, r).size() == 2)
                g.SetCells(c, r, QLatin1Char(' ') + g.Cells(c, r));
        for (int c : {HomeDiff, AwayDiff})
            if (g.Cells(c, r).indexOf(QLatin1Char('-')) == 1)
                g.SetCells(c, r, QLatin1Char(' ') + g.Cells(c, r));
    }
}

// The duels of the pitch, home rating row against away rating row, in the order they are written.
void FillPitch(const TBKStringGrid& g, TBKStringGrid& campo) {
    const struct {
        int col, row, homeRow, awayRow;
    } duels[] = {
        {0, 3, RatingsRow::RightDef, RatingsRow::LeftAtt}, {0, 2, RatingsRow::MidDef, RatingsRow::MidAtt},
        {0, 1, RatingsRow::LeftDef, RatingsRow::RightAtt}, {1, 2, RatingsRow::Midfield, RatingsRow::Midfield},
        {2, 3, RatingsRow::RightAtt, RatingsRow::LeftDef}, {2, 2, RatingsRow::MidAtt, RatingsRow::MidDef},
        {2, 1, RatingsRow::LeftAtt, RatingsRow::RightDef}};
    for (const auto& d : duels) {
        const quint8 a = quint8(StrToIntDef(g.Cells(HomeNumber, d.homeRow), 1));
        const quint8 b = quint8(StrToIntDef(g.Cells(AwayNumber, d.awayRow), 1));
        campo.SetCells(d.col, d.row, PorcentajeDuelo(a, b));
    }
}

} // namespace

int StrToInt(const QString& Text) {
    return WholeNumber<int>(Text, &QString::toInt);
}

void ShapeRatingsGrid(TBKStringGrid& Detalles) {
    ShapeTable(Detalles, 10, RatingsRow::Count);
    Detalles.Encryption = false;
}

void ShapePitchGrid(TBKStringGrid& Campo) {
    ShapeTable(Campo, 3, 5);
    Campo.Encryption = false;
}

void ClearRatingsGrids(TBKStringGrid& Detalles, TBKStringGrid& Campo) {
    for (int r = 0; r < Detalles.RowCount(); ++r)
        for (int c = 1; c < Detalles.ColCount(); ++c)
            Detalles.SetCells(c, r, QString());
    for (int r = 0; r < Campo.RowCount(); ++r)
        for (int c = 0; c < Campo.ColCount(); ++c)
            Campo.SetCells(c, r, QString());
}

void FillRatings(TBKStringGrid& g, TBKStringGrid& Campo, const XmlNode& Root) {
    const struct {
        const char* key;
        int col, row;
    } labels[] = {{"StringGridDetails4", 0, RatingsRow::Crowd},
                  {"StringGridDetails64", AwayText, RatingsRow::Crowd},
                  {"StringGridDetails6", 0, RatingsRow::Tactic},
                  {"StringGridDetails7", 0, RatingsRow::TacticSkill},
                  {"StringGridDetails8", 0, RatingsRow::Attitude},
                  {"StringGridDetails11", 0, RatingsRow::Total},
                  {"StringGridDetails13", 0, RatingsRow::Midfield},
                  {"StringGridDetails15", 0, RatingsRow::RightDef},
                  {"StringGridDetails16", 0, RatingsRow::MidDef},
                  {"StringGridDetails17", 0, RatingsRow::LeftDef},
                  {"StringGridDetails19", 0, RatingsRow::RightAtt},
                  {"StringGridDetails20", 0, RatingsRow::MidAtt},
                  {"StringGridDetails21", 0, RatingsRow::LeftAtt}};
    for (const auto& l : labels)
        g.SetCells(l.col, l.row, MatchesText(l.key));

    const XmlNode match = Root.Child(QStringLiteral("Match"));
    const XmlNode home = match.Child(QStringLiteral("HomeTeam"));
    const XmlNode away = match.Child(QStringLiteral("AwayTeam"));
    g.SetCells(HomeText, RatingsRow::Names, AnswerName(home.ChildText(QStringLiteral("HomeTeamName"))));
    g.SetCells(AwayText, RatingsRow::Names, AnswerName(away.ChildText(QStringLiteral("AwayTeamName"))));
    g.SetCells(HomeNumber, RatingsRow::Names, NumberText(home.ChildText(QStringLiteral("HomeGoals"))));
    g.SetCells(AwayNumber, RatingsRow::Names, NumberText(away.ChildText(QStringLiteral("AwayGoals"))));

    FillTactics(g, home, away);

    for (const SectorRow& s : Sectors)
        g.SetCells(HomeNumber, s.row, SectorRating(home.ChildText(QLatin1String(s.element))));
    for (const SectorRow& s : Sectors)
        g.SetCells(AwayNumber, s.row, SectorRating(away.ChildText(QLatin1String(s.element))));
    FillWordsAndTotals(g);

    // Each home sector meets the opposing away sector: right defence against left attack, ...
    const int pairs[][2] = {
        {RatingsRow::Total, RatingsRow::Total},      {RatingsRow::Midfield, RatingsRow::Midfield},
        {RatingsRow::RightDef, RatingsRow::LeftAtt}, {RatingsRow::MidDef, RatingsRow::MidAtt},
        {RatingsRow::LeftDef, RatingsRow::RightAtt}, {RatingsRow::RightAtt, RatingsRow::LeftDef},
        {RatingsRow::MidAtt, RatingsRow::MidDef},    {RatingsRow::LeftAtt, RatingsRow::RightDef}};
    for (const auto& p : pairs)
        if (!g.Cells(HomeNumber, p[0]).isEmpty())
            DiferenciaCalificacion(g, quint8(p[0]), quint8(p[1]));
    AlignRatings(g);

    const XmlNode arena = match.Child(QStringLiteral("Arena"));
    g.SetCells(AwayText, RatingsRow::MatchType, AnswerName(arena.ChildText(QStringLiteral("ArenaName"))));
    g.SetCells(HomeText, RatingsRow::Crowd,
               AlignNumberText(NumberText(arena.ChildText(QStringLiteral("SoldTotal")))));
    g.SetCells(WeatherCode, RatingsRow::Crowd, NumberText(arena.ChildText(QStringLiteral("WeatherID"))));

    // Only one attitude is shown: the home one when there is one.
    const QString homeAttitude = home.ChildText(QStringLiteral("TeamAttitude"));
    if (!homeAttitude.isEmpty()) {
        g.SetCells(HomeText, RatingsRow::Attitude, AttitudeText(homeAttitude));
    } else {
        const QString awayAttitude = away.ChildText(QStringLiteral("TeamAttitude"));
        if (!awayAttitude.isEmpty())
            g.SetCells(AwayText, RatingsRow::Attitude, AttitudeText(awayAttitude));
    }

    FillPitch(g, Campo);
}

void DiferenciaCalificacion(TBKStringGrid& Detalles, quint8 HomeRow, quint8 AwayRow) {
    // A total and any two ratings an answer holds differ by more than an int holds.
    const qint64 a = StrToInt64(StripBlanks(Detalles.Cells(HomeNumber, HomeRow)));
    const qint64 b = StrToInt64(StripBlanks(Detalles.Cells(AwayNumber, AwayRow)));
    const qint64 d = a - b;
    if (d == 0) {
        Detalles.SetCells(HomeDiff, HomeRow, QStringLiteral("   0"));
        Detalles.SetCells(AwayDiff, AwayRow, QStringLiteral("   0"));
    } else {
        const QString n = QString::number(qAbs(d));
        Detalles.SetCells(HomeDiff, HomeRow, (d > 0 ? QLatin1Char('+') : QLatin1Char('-')) + n);
        Detalles.SetCells(AwayDiff, AwayRow, (d > 0 ? QLatin1Char('-') : QLatin1Char('+')) + n);
    }
}

QString PorcentajeDuelo(quint8 A, quint8 B) {
    if (A == B)
        return QStringLiteral("50%");
    const int sum = int(A) + int(B);
    if (A > B)
        return QString::number(int(A) * 100 / sum) + QLatin1Char('%');
    return QLatin1Char(' ') + QString::number(int(B) * 100 / sum) + QLatin1Char('%');
}

std::array<PossessionHalf, 2> PossessionOfHalves(const TBKStringGrid& Events, const QString& HomeTeamId) {
    std::array<PossessionHalf, 2> halves;
    for (int r = 0; r < Events.RowCount(); ++r) {
        const QString key = Events.Cells(EventColumn::EventTypeKey, r);
        const bool dominated = key.startsWith(QLatin1String("40_"));
        if (!dominated && !key.startsWith(QLatin1String("47_")))
            continue;
        // The second half's event comes at the end of the match, in its added time when it has some.
        const QString minute = Events.Cells(EventColumn::EventMinute, r);
        bool numeric = false;
        const int m = minute.toInt(&numeric);
        int half;
        if (minute == QLatin1String("45"))
            half = 0;
        else if (numeric && m >= 90)
            half = 1;
        else
            continue;
        PossessionHalf& h = halves[half];
        h.Found = true;
        if (!dominated) {
            h.Progress = 50;
            h.Home = h.Away = QStringLiteral("50%");
            continue;
        }
        const QString share = Events.Cells(EventColumn::ObjectPlayerId, r);
        bool ok = false;
        int p = share.toInt(&ok);
        if (!ok)
            p = 0;
        const QString rest = QString::number(100 - p) + QLatin1Char('%');
        const bool home = Events.Cells(EventColumn::SubjectTeamId, r) == HomeTeamId;
        h.Progress = qBound(0, home ? p : 100 - p, 100);
        h.Home = home ? share + QLatin1Char('%') : rest;
        h.Away = home ? rest : share + QLatin1Char('%');
    }
    return halves;
}
