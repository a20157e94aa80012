#include "core/LeagueColours.h"

#include "core/UGlobal.h"

namespace {

constexpr unsigned ColorWhite = 0xFFFFFF;
constexpr unsigned ColorBlack = 0x000000;
constexpr int GoalDifferenceColumn = 8;

// Green for a text with "+", else red for one with "-"; unset for any other.
std::optional<unsigned> SignColour(const QString& text) {
    if (text.contains(QLatin1Char('+')))
        return ColorGreen;
    if (text.contains(QLatin1Char('-')))
        return ColorRed;
    return std::nullopt;
}

LeagueCellColours OwnTeamCell(const QString& text, const QString& ownTeam) {
    LeagueCellColours c;
    if (!ownTeam.isEmpty() && text == ownTeam) {
        c.handled = true;
        c.brush = ColorLightOrange;
    }
    return c;
}

} // namespace

int LevelNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

LeagueCellColours BeforeRoundCell(int level, int maxLevel, int col, int row, const QString& text) {
    LeagueCellColours c;
    if (row >= 1 && row <= 8) {
        c.handled = true;
        c.brush = ColorWhite;
        if (row == 1) {
            c.brush = ColorLightGreen;
            if (col == 0)
                c.font = ColorBlack;
        } else if (row == 2) {
            if (level >= 7)
                c.brush = ColorLightGreen;
        } else if (row == 5 || row == 6) {
            if (level != maxLevel && level <= 5) {
                c.brush = ColorLightYellow;
                c.font = ColorBlack;
            }
        } else if (row == 7 || row == 8) {
            if (level != maxLevel)
                c.brush = ColorLightRed;
        }
    }
    if (col == GoalDifferenceColumn) {
        if (const std::optional<unsigned> sign = SignColour(text)) {
            c.handled = true;
            c.font = sign;
        }
    }
    return c;
}

LeagueCellColours LiveTableCell(int col, const QString& text) {
    LeagueCellColours c;
    if (col == 0) {
        c.font = SignColour(text);
        c.handled = c.font.has_value();
    }
    return c;
}

LeagueCellColours ScorersCell(int col, int row, const QString& text, const QString& ownTeam) {
    if (row < 1 || col != 4)
        return {};
    return OwnTeamCell(text, ownTeam);
}

LeagueCellColours RankingCell(int col, int row, const QString& text, const QString& ownTeam, bool goalsFor) {
    if (row < 1)
        return {};
    if (col == 2) {
        LeagueCellColours c;
        c.handled = true;
        c.font = goalsFor ? ColorGreen : ColorRed;
        return c;
    }
    if (col == 3)
        return OwnTeamCell(text, ownTeam);
    return {};
}
