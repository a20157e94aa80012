// TFPartidos: the lineup pages of the end-of-match report. One panel, moved onto the lineup page the
// user chooses and filled from that side's lineup file: the eleven boxes on a drawn pitch, set pieces,
// captain, the replaced players with their injury levels, and the side's formation, tactic,
// experience and star total.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/EndOfMatchLineup.h"
#include "core/EndOfMatchRatings.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "shell/UOptions.h"
#include "viewer/DrawRules.h"
#include "viewer/UPartidosCargaComun.h"
#include "viewer/UPartidosFinComun.h"

#include <QFrame>
#include <QLocale>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>

namespace {

const QColor PanelGrey(0xC8, 0xC8, 0xC8);

// The pitch seen from behind the keeper: the goal at the top, the halfway line at the bottom.
QPixmap PitchPicture(int w, int h) {
    QPixmap pitch(w, h);
    QPainter p(&pitch);
    for (int stripe = 0; stripe * 38 < h; ++stripe)
        p.fillRect(0, stripe * 38, w, 38, stripe % 2 ? QColor(0x4C, 0xA1, 0x4C) : QColor(0x44, 0x96, 0x44));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(235, 245, 235), 2));
    p.drawRect(1, -2, w - 3, h + 1);
    const int mid = w / 2;
    p.drawRect(mid - 120, -2, 240, 58);
    p.drawRect(mid - 52, -2, 104, 22);
    p.drawArc(mid - 50, h - 50, 100, 100, 0, 180 * 16);
    p.drawLine(1, h - 1, w - 2, h - 1);
    return pitch;
}

void SetSwatch(QWidget* swatch, const QColor& colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
}

QLabel* Picture(QWidget* parent, const QString& name, const QRect& geometry, const QPixmap& picture) {
    QLabel* label = Fin::NewLabel(parent, name, geometry);
    label->setPixmap(picture);
    return label;
}

QLabel* Box(QWidget* parent, const QRect& geometry) {
    QLabel* box = Fin::NewLabel(parent, QString(), geometry);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Raised);
    box->setAutoFillBackground(true);
    SetSwatch(box, QColor(0xF6, 0xF6, 0xEE));
    return box;
}

QFont PixelFont(const QWidget* w, int pixels, bool bold = false) {
    QFont font = w->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

void TFPartidos::CreatePanelFinAlineacion() {
    PanelFinAlineacion = new QFrame(TabSheetAlineacion1);
    PanelFinAlineacion->setObjectName(QStringLiteral("PanelFinAlineacion"));
    PanelFinAlineacion->setGeometry(4, 4, 700, 338);
    PanelFinAlineacion->setAutoFillBackground(true);
    SetSwatch(PanelFinAlineacion, PanelGrey);
    QWidget* panel = PanelFinAlineacion;
    Fin::NewLabel(panel, QStringLiteral("ImageCampo"), QRect(0, 0, 489, 228))
        ->setPixmap(PitchPicture(489, 228));

    const QPoint boxes[12] = {{},       {190, 8},   {8, 64},    {128, 64},  {248, 64},  {368, 64},
                              {8, 120}, {128, 120}, {248, 120}, {368, 120}, {128, 176}, {248, 176}};
    const QPixmap star = ImageListPicture(QStringLiteral("ImageListPartido"), 9)
                             .scaled(12, 12, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    for (int k = 1; k <= 11; ++k) {
        QLabel* box = Box(panel, QRect(boxes[k], QSize(113, 49)));
        box->setObjectName(QStringLiteral("PanelHome%1").arg(k));
        box->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        box->setFont(PixelFont(box, 10, true));
        box->setContentsMargins(2, 1, 2, 0);
        PanelHome[k] = box;
        LabelHomeColor[k] = Fin::NewLabel(box, QStringLiteral("LabelHomeColor%1").arg(k), QRect(4, 17, 9, 9));
        LabelHomeColor[k]->setAutoFillBackground(true);
        LabelHomePos[k] = Fin::NewLabel(box, QStringLiteral("LabelHomePos%1").arg(k), QRect(16, 14, 95, 22));
        LabelHomePos[k]->setFont(PixelFont(box, 9));
        LabelHomePos[k]->setWordWrap(true);
        LabelHomePos[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        ImageHome[k] = Picture(box, QStringLiteral("ImageHome%1").arg(k), QRect(62, 36, 12, 12), star);
        ImageHome[k]->setHidden(true); // an empty box shows no star
        LabelHomeStar[k] =
            Fin::NewLabel(box, QStringLiteral("LabelHomeStar%1").arg(k), QRect(76, 35, 34, 13));
        LabelHomeStar[k]->setFont(PixelFont(box, 10, true));
    }

    // Set pieces and captain: a caption over the name.
    const QPoint named[2] = {{8, 235}, {368, 235}};
    for (int r = 17; r <= 18; ++r) {
        QLabel* box = Box(panel, QRect(named[r - 17], QSize(113, 33)));
        LabelHomePos[r] = Fin::NewLabel(box, QStringLiteral("LabelHomePos%1").arg(r), QRect(4, 1, 106, 14));
        LabelHomePos[r]->setFont(PixelFont(box, 10));
        LabelHomeName[r] =
            Fin::NewLabel(box, QStringLiteral("LabelHomeName%1").arg(r), QRect(4, 15, 106, 16));
        LabelHomeName[r]->setFont(PixelFont(box, 11, true));
    }

    // Up to three replaced players: stars over the name, the injury level below the box.
    LabelHomeReplaced = Fin::NewLabel(panel, QStringLiteral("LabelHomeReplaced"), QRect(8, 278, 116, 30));
    LabelHomeReplaced->setFont(PixelFont(panel, 11, true));
    LabelHomeReplaced->setWordWrap(true); // a long caption takes a second line beside the boxes
    const QPoint replaced[3] = {{128, 280}, {248, 279}, {368, 279}};
    const QPixmap injury = ImageListPicture(QStringLiteral("ImageListLesiones"), 1);
    for (int r = 19; r <= 21; ++r) {
        QLabel* box = Box(panel, QRect(replaced[r - 19], QSize(113, 33)));
        ImageHome[r] = Picture(box, QStringLiteral("ImageHome%1").arg(r), QRect(4, 2, 12, 12), star);
        LabelHomeStar[r] = Fin::NewLabel(box, QStringLiteral("LabelHomeStar%1").arg(r), QRect(19, 1, 60, 14));
        LabelHomeStar[r]->setFont(PixelFont(box, 10, true));
        LabelHomeName[r] =
            Fin::NewLabel(box, QStringLiteral("LabelHomeName%1").arg(r), QRect(4, 15, 106, 16));
        LabelHomeName[r]->setFont(PixelFont(box, 11, true));
        const int x = replaced[r - 19].x();
        ImageHomeLesion[r] =
            Picture(panel, QStringLiteral("ImageHomeLesion%1").arg(r), QRect(x + 11, 316, 16, 16), injury);
        LabelHomeLesion[r] =
            Fin::NewLabel(panel, QStringLiteral("LabelHomeLesion%1").arg(r), QRect(x + 27, 315, 80, 18));
    }

    // The side: team, formation, tactic, experience and the star total of the eleven boxes.
    const int x = 500, w = 196;
    LabelMatchID = Fin::NewLabel(panel, QStringLiteral("LabelMatchID"), QRect(x, 6, w, 18));
    LabelHomeTeam = Fin::NewLabel(panel, QStringLiteral("LabelHomeTeam"), QRect(x, 28, w, 22));
    LabelHomeTeam->setFont(PixelFont(panel, 14, true));
    LabelHomeFormacion = Fin::NewLabel(panel, QStringLiteral("LabelHomeFormacion"), QRect(x, 54, w, 18));
    LabelHomeFormacion->setStyleSheet(QStringLiteral("color: #007a00; font-weight: bold"));
    LabelHomeTactica = Fin::NewLabel(panel, QStringLiteral("LabelHomeTactica"), QRect(x, 74, w, 18));
    LabelHExperiencia = Fin::NewLabel(panel, QStringLiteral("LabelHExperiencia"), QRect(x, 104, w, 18));
    LabelHomeExperiencia =
        Fin::NewLabel(panel, QStringLiteral("LabelHomeExperiencia"), QRect(x + 10, 122, w, 18));
    LabelHomeExperiencia->setFont(PixelFont(panel, 12, true));
    LabelHEstrellas = Fin::NewLabel(panel, QStringLiteral("LabelHEstrellas"), QRect(x, 150, w, 18));
    Picture(panel, QString(), QRect(x + 10, 170, 16, 16),
            ImageListPicture(QStringLiteral("ImageListPartido"), 9));
    LabelHomeEstrellas =
        Fin::NewLabel(panel, QStringLiteral("LabelHomeEstrellas"), QRect(x + 30, 168, w, 20));
    LabelHomeEstrellas->setFont(PixelFont(panel, 14, true));
}

void TFPartidos::PageControlFinPartidoChange() {
    try {
        const int page = PageControlFinPartido->currentIndex();
        if (page != 1 && page != 2)
            return;
        PanelFinAlineacion->setParent(page == 1 ? TabSheetAlineacion1 : TabSheetAlineacion2);
        PanelFinAlineacion->move(4, 4);
        PanelFinAlineacion->setHidden(false);
        CompletarFinAlineaciones(TabControlPartidos->currentIndex());
    } catch (...) {
    }
}

void TFPartidos::CompletarFinAlineaciones(int Slot) {
    try {
        const TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        LabelMatchID->setText(QStringLiteral("MatchID: ") + matches.Cells(MatchColumn::MatchId, Slot));
        const QString youth =
            Carga::YouthSuffix(matches.Cells(MatchColumn::YouthFlag, Slot) == QLatin1String("1"));

        // The panel is emptied first, so a fill that fails never shows another match or side.
        for (QLabel* label : {LabelHomeTeam, LabelHomeFormacion, LabelHomeTactica, LabelHomeExperiencia,
                              LabelHomeEstrellas, LabelHomeName[17], LabelHomeName[18]})
            label->clear();
        for (int k = 1; k <= 11; ++k) {
            PanelHome[k]->clear();
            LabelHomePos[k]->clear();
            LabelHomeStar[k]->clear();
            ImageHome[k]->setHidden(true);
            SetSwatch(LabelHomeColor[k], PanelHome[k]->palette().color(QPalette::Window));
        }
        for (int r = 19; r <= 21; ++r) {
            LabelHomeName[r]->clear();
            LabelHomeStar[r]->clear();
            ImageHome[r]->setHidden(true);
            ImageHomeLesion[r]->setHidden(true);
            LabelHomeLesion[r]->setHidden(true);
            LabelHomeLesion[r]->clear();
        }

        // The report's own fill runs while the ratings page is shown: it reads the away side.
        const bool homeSide = PageControlFinPartido->currentIndex() == 1;
        TeamLineup lineup;
        Fin::ReadAnswer(&TDataModule1::XMLDocument1,
                        Fin::LineupFile(Slot, homeSide ? QStringLiteral("Home") : QStringLiteral("Away")),
                        QStringLiteral("matchlineup.xml"),
                        [&](const XmlNode& root) { lineup = ReadLineup(root); });
        const QVector<LineupEntry>& entries = lineup.Entries;
        LabelHomeTeam->setText(lineup.TeamName);
        LabelHomeFormacion->setText((homeSide ? LabelDetallesFormacion1 : LabelDetallesFormacion2)->text());
        LabelHomeTactica->setText((homeSide ? LabelDetallesTactica1 : LabelDetallesTactica2)->text());
        LabelHomeExperiencia->setText(ExperienceWord(lineup.ExperienceLevel));

        const QChar separator = QLocale().decimalPoint().at(0);
        double stars = 0;
        for (int k = 1; k <= 11; ++k) {
            const int i = BoxEntry(entries, k);
            if (i < 0)
                continue;
            const LineupEntry& e = entries[i];
            const PositionLook look = PositionWord(StrToInt(e.PositionCode), StrToInt(e.Behaviour));
            if (look.Colour)
                SetSwatch(LabelHomeColor[k], ColorFromBgr(*look.Colour));
            LabelHomePos[k]->setText(look.Word);
            PanelHome[k]->setText(e.PlayerName);
            LabelHomeStar[k]->setText(e.RatingStars);
            ImageHome[k]->setHidden(e.RatingStars.isEmpty());
            stars += StarValue(e.RatingStars, separator);
        }
        LabelHomeEstrellas->setText(StarTotalText(stars, separator));

        for (int r = 17; r <= 18; ++r) {
            const int i = RoleEntry(entries, r);
            if (i >= 0)
                LabelHomeName[r]->setText(entries[i].PlayerName);
        }

        for (int r = 19; r <= 21; ++r) {
            try {
                const int i = RoleEntry(entries, r);
                if (i < 0)
                    continue;
                const LineupEntry& e = entries[i];
                LabelHomeName[r]->setText(e.PlayerName);
                LabelHomeStar[r]->setText(e.RatingStars);
                const bool named = !e.PlayerName.isEmpty();
                for (QLabel* shown : {ImageHome[r], ImageHomeLesion[r], LabelHomeLesion[r]})
                    shown->setHidden(!named);
                // An ID that is not a number goes into no request and names no file.
                if (!named || !IsDecimalDigits(e.PlayerID))
                    continue;
                const QString file =
                    Carga::XmlFile(QStringLiteral("player_") + e.PlayerID + QStringLiteral(".xml"));
                auto readInjury = [&] {
                    try {
                        Fin::ReadAnswer(&TDataModule1::XMLDocumentConectar, file,
                                        QStringLiteral("playerdetails.xml"), [&](const XmlNode& root) {
                                            LabelHomeLesion[r]->setText(
                                                root.ChildText(QStringLiteral("Player/InjuryLevel")));
                                        });
                        return true;
                    } catch (...) {
                        return false;
                    }
                };
                // A player's file, once stored, is used as it is; one that holds no player details
                // (an error the service answered) is asked for again.
                if (!readInjury()) {
                    QString result;
                    BajarFicheroXML(ChppPath + QStringLiteral("playerdetails&playerId=") + e.PlayerID + youth,
                                    file, result);
                    readInjury();
                }
            } catch (...) {
            }
        }
    } catch (...) {
        // A missing or unreadable lineup, or a position that is no number: the fill stops here.
    }
}
