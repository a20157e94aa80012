#include "viewer/DrawRules.h"

#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UGlobal.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QRect>

QColor ColorFromBgr(unsigned Bgr) {
    return QColor(Bgr & 0xFF, (Bgr >> 8) & 0xFF, (Bgr >> 16) & 0xFF);
}

QPixmap ImageListPicture(const QString& List, int Index) {
    static QHash<QString, QPixmap> cache;
    if (Index < 0)
        return QPixmap();
    const QString key = List + QLatin1Char('_') + QString::number(Index);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    QPixmap picture;
    const QString file = AppDir + QStringLiteral("images/") + key + QStringLiteral(".png");
    if (QFile::exists(file))
        picture.load(file);
    cache.insert(key, picture);
    return picture;
}

std::optional<ListIcon> CategoryIcon(const QString& CategoryCode) {
    static const QString partido = QStringLiteral("ImageListPartido");
    static const QString lesiones = QStringLiteral("ImageListLesiones");
    static const QString tarjetas = QStringLiteral("ImageListTarjetas");
    if (CategoryCode == CategoryGoal)
        return ListIcon{partido, 0};
    if (CategoryCode == CategoryMissedChance)
        return ListIcon{partido, 6};
    if (CategoryCode == CategoryInjurySubstituted)
        return ListIcon{lesiones, 1};
    if (CategoryCode == CategoryInjuryStillPlaying)
        return ListIcon{lesiones, 0};
    if (CategoryCode == CategoryYellowCard)
        return ListIcon{tarjetas, 0};
    if (CategoryCode == CategorySecondYellow)
        return ListIcon{tarjetas, 1};
    if (CategoryCode == CategoryRedCard)
        return ListIcon{tarjetas, 2};
    if (CategoryCode == CategoryTeamEvent)
        return ListIcon{partido, 11};
    if (CategoryCode == CategoryMatchInfo)
        return ListIcon{partido, 10};
    if (CategoryCode == CategoryProgramEvent)
        return ListIcon{partido, 12};
    return std::nullopt;
}

namespace {

QString Cell(const TBKStringGrid& Grid, int ACol, int ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= Grid.ColCount() || ARow >= Grid.RowCount())
        return QString();
    return Grid.Cells(ACol, ARow);
}

CellDrawing Written(std::optional<QColor> font, std::optional<QColor> brush = std::nullopt) {
    CellDrawing d;
    d.fill = true;
    d.font = font;
    d.brush = brush;
    return d;
}

} // namespace

CellDrawing EventListCell(const TBKStringGrid& List, int ACol, int ARow) {
    CellDrawing d;
    if (ACol == 3) {
        const QString category = Cell(List, 2, ARow);
        if (!category.isEmpty()) {
            d.icon = CategoryIcon(category);
            d.iconOffset = QPoint(2, 0);
        }
    } else if (ACol == 5 && !Cell(List, 0, ARow).isEmpty()) {
        const bool away = Cell(List, 5, ARow).contains(QLatin1String("   "));
        d = Written(ColorFromBgr(away ? ColorLightMagenta : ColorLightBlue));
    }
    return d;
}

CellDrawing RatingsCell(const TBKStringGrid& Ratings, int ACol, int ARow) {
    const QString text = Cell(Ratings, ACol, ARow);
    const QPoint cell(ACol, ARow);
    if (cell == QPoint(9, 4)) {
        CellDrawing d;
        const QString weather = Cell(Ratings, 8, 4);
        if (weather.isEmpty())
            return d;
        bool ok = false;
        const int index = QString(weather).remove(QLatin1Char(' ')).toInt(&ok);
        // A code that is no number, or names no picture, draws nothing.
        if (ok && !ImageListPicture(QStringLiteral("ImageListWeather"), index).isNull())
            d.icon = ListIcon{QStringLiteral("ImageListWeather"), index};
        return d;
    }
    if (cell == QPoint(1, 1) || cell == QPoint(2, 1))
        return Written(ColorFromBgr(ColorLightBlue));
    if (cell == QPoint(6, 1) || cell == QPoint(7, 1))
        return Written(ColorFromBgr(ColorLightMagenta));
    if (cell == QPoint(0, 3) || cell == QPoint(1, 3))
        return Written(ColorFromBgr(0xFF0000));
    if ((cell == QPoint(2, 6) || cell == QPoint(7, 6)) && !text.isEmpty())
        return Written(ColorFromBgr(ColorGreen));
    if (cell == QPoint(1, 9))
        return Written(ColorFromBgr(0x800080));
    if ((cell == QPoint(2, 11) || cell == QPoint(7, 11)) && !text.isEmpty())
        return Written(QColor(Qt::black), ColorFromBgr(ColorLightYellow));
    const bool differenceColumn = ACol == 4 || ACol == 9;
    if (differenceColumn && ARow >= 13 && ARow <= 21) {
        const bool midfield = ARow == 13;
        std::optional<QColor> brush;
        if (text.contains(QLatin1Char('+')))
            brush = ColorFromBgr(midfield ? ColorPaleGreen : ColorLightGreen);
        else if (text.contains(QLatin1Char('-')))
            brush = ColorFromBgr(midfield ? ColorPaleRed : ColorLightRed);
        return Written(std::nullopt, brush);
    }
    return CellDrawing();
}

CellDrawing PitchCell(const QString& Text, const QColor& Window) {
    CellDrawing d = Written(std::nullopt);
    if (Text.isEmpty() || Text == QLatin1String("50%"))
        d.brush = Window;
    else
        d.brush = ColorFromBgr(Text.contains(QLatin1Char(' ')) ? ColorLightMagenta : ColorLightBlue);
    d.textOffset = QPoint(20, 3);
    return d;
}

CellDrawing ResultsCell(const TBKStringGrid& Matches, int ACol, int ARow) {
    if (ACol != 3)
        return CellDrawing();
    // Spacer rows take the flag of the slot above them.
    const bool finished = Cell(Matches, MatchColumn::FinishedFlag, ARow / 2) == QLatin1String("1");
    return Written(std::nullopt, finished ? ColorFromBgr(0xF0CAA6) : QColor(Qt::white));
}

void PaintCell(QPainter& Canvas, const QRect& Rect, const QString& Text, const CellDrawing& Drawing,
               const QColor& NormalBrush) {
    Canvas.save();
    if (Drawing.fill) {
        Canvas.fillRect(Rect, Drawing.brush.value_or(NormalBrush));
        Canvas.setPen(Drawing.font.value_or(QColor(Qt::black)));
        // The text's top-left corner at the cell's, moved by the rule's offset.
        const QRect textRect = Rect.adjusted(Drawing.textOffset.x(), Drawing.textOffset.y(), 0, 0);
        Canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Text);
    }
    if (Drawing.icon) {
        const QPixmap picture = ImageListPicture(Drawing.icon->List, Drawing.icon->Index);
        if (!picture.isNull())
            Canvas.drawPixmap(Rect.topLeft() + Drawing.iconOffset, picture);
    }
    Canvas.restore();
}
