// TFPartidos: the whole-view rebuild of the selected match tab (clear, then fill from the tables).
#include "viewer/UPartidos.h"

#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/EventListRows.h"
#include "core/EventLookups.h"
#include "core/EventTexts.h"
#include "core/Settings.h"
#include "core/TextBreaks.h"
#include "core/UGlobal.h"
#include "platform/Cursor.h"
#include "platform/widgets/StringGridView.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "viewer/DrawRules.h"
#include "viewer/HtmlDisplay.h"
#include "viewer/MatchViewRules.h"
#include "viewer/ShownMark.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

// The subject player's name inside an event's HTML: the text of the link that follows the player ID.
QString SubjectPlayerName(const QString& html, const QString& playerId) {
    const int at = html.indexOf(playerId);
    const QString from = (at < 5) ? html : html.mid(at - 4);
    const int gt = from.indexOf(QLatin1Char('>'));
    const int lt = from.indexOf(QLatin1Char('<'));
    if (gt < 0 || lt < 0 || lt < gt)
        return QString();
    return from.mid(gt + 1, lt - gt - 1);
}

// The logo address a logo browser shows (an empty one for the empty page).
constexpr const char* ShownLogoProperty = "shownLogo";
// The finished flags of the ten slots as the results list was last painted with ("1" or "0" each).
constexpr const char* ShownFinishedProperty = "shownFinished";

// What a header picture was made from. A refresh that would show the same picture again leaves the
// label as it is: every setting or clearing lays the header out and paints it anew.
constexpr const char* ShownPictureProperty = "shownPicture";

bool ShowsPicture(const QLabel* picture, const QString& source) {
    return !picture->pixmap().isNull() && picture->property(ShownPictureProperty).toString() == source;
}

// Shows `pixmap` made from `source`, or no picture when it is null.
void SetPicture(QLabel* picture, const QPixmap& pixmap, const QString& source) {
    if (pixmap.isNull()) {
        if (!picture->pixmap().isNull())
            picture->clear();
        return;
    }
    picture->setPixmap(pixmap);
    picture->setProperty(ShownPictureProperty, source);
}

// The picture of a file, scaled to the label; no picture when the file is missing or unreadable. A file
// saved again under the same name (a club's new kit) is a new picture.
void LoadPicture(QLabel* picture, const QString& relativeFile) {
    if (!picture)
        return;
    const QFileInfo file(relativeFile.isEmpty() ? QString() : AppDir + relativeFile);
    if (relativeFile.isEmpty() || !file.exists()) {
        SetPicture(picture, QPixmap(), QString());
        return;
    }
    const QString source =
        file.filePath() + QLatin1Char('|') + file.lastModified().toString(Qt::ISODateWithMs) +
        QLatin1Char('|') + QString::number(file.size()) + QLatin1Char('|') +
        QString::number(picture->width()) + QLatin1Char('x') + QString::number(picture->height());
    if (ShowsPicture(picture, source))
        return;
    const QPixmap pixmap(file.filePath());
    SetPicture(picture,
               pixmap.isNull()
                   ? pixmap
                   : pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation),
               source);
}

} // namespace

void TFPartidos::TabControlPartidosChange() {
    ++RebuildCount;
    // The rebuild is never entered twice: a request that arrives while one runs (from a handler
    // that processed messages) makes it run once more at the end.
    if (RebuildRunning) {
        RebuildPending = true;
        return;
    }
    RebuildRunning = true;
    do {
        RebuildPending = false;
        BusyCursor busy;
        try {
            const int slot = TabControlPartidos->currentIndex();
            if (slot < 0 || slot >= MatchSlotCount || !FOptions)
                break;
            if (slot != PrevTab)
                if (QLabel* marker = SeleccionarImagenTab(slot))
                    marker->clear();
            TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
            const QString matchId = matches.Cells(MatchColumn::MatchId, slot);
            // A refresh of the slot shown, whose match has not changed since.
            const bool refresh = slot == PrevTab && slot == ShownSlot && matchId == ShownMatchId;
            if (refresh && PageControlEventos->currentWidget() == TabSheetFinPartido) {
                // The end-of-match report the user reads stays as it is (a finished match's events
                // no longer change); what the poll changes elsewhere is shown.
                CompletarPartidoCabecera(slot);
                CompletarPartidoDerecha(slot);
                continue;
            }
            // A poll's refresh of the match shown overwrites the header where something changed
            // instead of clearing it first: only what changed is painted again.
            LimpiarPartido(refresh && matchId.isEmpty(), refresh && !matchId.isEmpty());
            ShownSlot = slot;
            ShownMatchId = matchId;
            if (matchId.isEmpty()) {
                PanelAnadirEquipo->setHidden(false);
                PanelPartido->setHidden(true);
                // The results, league table and events panel do not depend on the slot.
                CompletarPartidoDerecha(slot);
            } else {
                PanelAnadirEquipo->setHidden(true);
                PanelPartido->setHidden(false);
                if (ButtonBorrarPartido)
                    ButtonBorrarPartido->setHidden(
                        matches.Cells(MatchColumn::InitialLoadFlag, slot) == QLatin1String("1") &&
                        matches.Cells(MatchColumn::MatchTypeCode, slot) == QLatin1String("1"));
                CompletarPartido(slot);
            }
        } catch (...) {
        }
    } while (RebuildPending);
    RebuildRunning = false;
}

void TFPartidos::LimpiarPartido() {
    LimpiarPartido(false);
}

void TFPartidos::LimpiarPartido(bool KeepAddPanel, bool KeepHeader) {
    try {
        {
            const QSignalBlocker blocker(PageControlEventos);
            PageControlEventos->setCurrentIndex(0);
            if (PageControlEventos->isTabVisible(1))
                PageControlEventos->setTabVisible(1, false);
        }
        if (!KeepAddPanel)
            LimpiarPanelAnadir();
        // A refresh keeps the header's pictures: the header sets each again only where it changed.
        if (!KeepHeader)
            for (QLabel* picture : {ImageSumarioTiempo, ImageUniforme11, ImageUniforme12, ImageUniforme13,
                                    ImageUniforme21, ImageUniforme22, ImageUniforme23})
                picture->clear();
        for (QLabel* label : {LabelSumarioEquipos,
                              LabelSumarioResultado,
                              LabelSumarioMinuto,
                              LabelSumarioPartidoID,
                              LabelSumarioEstadio,
                              LabelSumarioFecha,
                              LabelSumarioTipoPartido,
                              LabelSumarioEspectadores,
                              LabelDetallesEquipo1,
                              LabelDetallesEquipo2,
                              LabelDetallesEquipoID1,
                              LabelDetallesEquipoID2,
                              LabelDetallesRegion1,
                              LabelDetallesRegion2,
                              LabelDetallesLiga1,
                              LabelDetallesLiga2,
                              LabelDetallesLogin1,
                              LabelDetallesLogin2,
                              LabelDetallesWeb1,
                              LabelDetallesWeb2,
                              LabelDetallesFormacion1,
                              LabelDetallesFormacion2,
                              LabelDetallesTactica1,
                              LabelDetallesTactica2,
                              LabelDetallesNivel1,
                              LabelDetallesNivel2,
                              LabelO11,
                              LabelO12,
                              LabelO21,
                              LabelO22,
                              LabelO31,
                              LabelO32})
            if (!KeepHeader)
                label->clear();
        // A refresh leaves the event list to its fill, which keeps the rows that stay as they are.
        if (!KeepHeader)
            ClearEventListFrom(1);
        {
            const QSignalBlocker blocker(PageControlEventos);
            PageControlEventos->setCurrentIndex(0);
        }
        // The pages the match view fills again whatever it holds.
        if (!KeepHeader) {
            WBLoadHTML(WebBrowserEvento1, CommentaryToHtml(QString()));
            WBLoadHTML(WebBrowserEventos, CommentaryToHtml(QString()));
        }
    } catch (...) {
    }
}

void TFPartidos::ClearEventListFrom(int Row) {
    BlankCells(BKStringGridListaEventos, Row);
    BKStringGridListaEventos.SetRowCount(Row + 1);
}

void TFPartidos::CompletarPartido(int Slot) {
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    if (matches.Cells(MatchColumn::MatchId, Slot).isEmpty())
        return;
    // The event list reads the team IDs the header writes: keep this order.
    CompletarPartidoCabecera(Slot);
    CompletarPartidoIzquierda(Slot);
    CompletarPartidoEventos(Slot);
    CompletarPartidoDerecha(Slot);
    if (matches.Cells(MatchColumn::FinishedFlag, Slot) == QLatin1String("1"))
        CompletarPartidoFinPartido(Slot);
}

void TFPartidos::CompletarPartidoCabecera(int Slot) {
    try {
        TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
        auto cell = [&m, Slot](int column) { return m.Cells(column, Slot); };
        using namespace MatchColumn;
        // Every caption is written whole (empty where its cell is), so that a refresh needs no clearing.
        // A text written again unchanged is not painted again.
        LabelSumarioEquipos->setText(cell(HomeName).isEmpty()
                                         ? QString()
                                         : cell(HomeName).left(12) + QStringLiteral(" - ") +
                                               cell(AwayName).left(12));
        LabelSumarioResultado->setText(cell(HomeGoals).isEmpty()
                                           ? QString()
                                           : cell(HomeGoals) + QStringLiteral(" - ") + cell(AwayGoals));
        const QString minute = cell(MinuteText);
        if (minute.isEmpty() || minute == T("Options", "MatchEnds", "Match end"))
            LabelSumarioMinuto->setText(minute);
        else
            LabelSumarioMinuto->setText(T("General", "Minute", "Minute") + QLatin1Char(' ') + minute +
                                        QLatin1Char('\''));
        LabelSumarioPartidoID->setText(QLatin1Char(' ') + cell(MatchId));
        LabelSumarioEstadio->setText(QLatin1Char(' ') + cell(StadiumName));
        LabelSumarioFecha->setText(QLatin1Char(' ') + cell(MatchStart).left(10) + QStringLiteral("     ") +
                                   cell(MatchStart).mid(10, 6));
        LabelSumarioEspectadores->setText(cell(Spectators).isEmpty()
                                              ? QString()
                                              : QLatin1Char(' ') + T("Arena", "Spectators", "Spectators") +
                                                    QStringLiteral(": ") +
                                                    LeftToRight(AlignNumberText(cell(Spectators))));
        LabelSumarioTipoPartido->setText(QLatin1Char(' ') + MatchTypeText(cell(MatchTypeCode)));

        {
            bool ok = false;
            const int weather = cell(WeatherId).toInt(&ok);
            const QString source = QStringLiteral("weather ") + QString::number(weather);
            if (!ok)
                SetPicture(ImageSumarioTiempo, QPixmap(), QString());
            else if (!ShowsPicture(ImageSumarioTiempo, source))
                SetPicture(ImageSumarioTiempo, ImageListPicture(QStringLiteral("ImageListWeather"), weather),
                           source);
        }

        CompletarUniforme(cell(HomeDress), cell(HomeTeamId), ImageUniforme11, ImageUniforme12,
                          ImageUniforme13);
        CompletarUniforme(cell(AwayDress), cell(AwayTeamId), ImageUniforme21, ImageUniforme22,
                          ImageUniforme23);

        LabelDetallesEquipo1->setText(cell(HomeName));
        LabelDetallesEquipo2->setText(cell(AwayName));
        LabelDetallesEquipoID1->setText(cell(HomeTeamId));
        LabelDetallesEquipoID2->setText(cell(AwayTeamId));
        LabelDetallesRegion1->setText(cell(HomeRegionName));
        LabelDetallesRegion2->setText(cell(AwayRegionName));
        const bool noUnit = cell(MatchTypeCode) == QLatin1String("2");
        auto league = [&](int name, int unit) {
            return cell(name).isEmpty()
                       ? QString()
                       : cell(name) + QStringLiteral(" - ") + (noUnit ? QStringLiteral("??") : cell(unit));
        };
        LabelDetallesLiga1->setText(league(HomeLeagueName, HomeLeagueLevelUnitName));
        LabelDetallesLiga2->setText(league(AwayLeagueName, AwayLeagueLevelUnitName));
        auto login = [&](int column) {
            return cell(column).isEmpty()
                       ? QString()
                       : T("Team", "LabelLastLogin", "") + QStringLiteral("  ") + LeftToRight(cell(column));
        };
        LabelDetallesLogin1->setText(login(HomeLastLogin));
        LabelDetallesLogin2->setText(login(AwayLastLogin));
        LabelDetallesWeb1->setText(cell(HomeWebPage));
        LabelDetallesWeb2->setText(cell(AwayWebPage));
        LabelDetallesFormacion1->setText(cell(HomeFormation));
        LabelDetallesFormacion2->setText(cell(AwayFormation));
        LabelDetallesTactica1->setText(cell(HomeTactic));
        LabelDetallesTactica2->setText(cell(AwayTactic));
        LabelDetallesNivel1->setText(cell(HomeLevel));
        LabelDetallesNivel2->setText(cell(AwayLevel));

        // Logos: each has a guard of its own. The pages load without processing messages; a logo already
        // shown is not loaded again.
        const std::pair<WebBrowser*, QString> logos[] = {{WebBrowserDetalles1, cell(HomeLogoUrl)},
                                                         {WebBrowserDetalles2, cell(AwayLogoUrl)}};
        for (const auto& [browser, url] : logos) {
            if (!MarkShown(browser, ShownLogoProperty, url))
                continue;
            try {
                if (!url.isEmpty())
                    WebMostrarImagen(browser, url);
                else
                    WBLoadHTML(browser, CommentaryToHtml(QString()));
                browser->SetBodyStyle(QStringLiteral("overflowX"), QStringLiteral("hidden"));
                browser->SetBodyStyle(QStringLiteral("overflowY"), QStringLiteral("hidden"));
                browser->SetBodyStyle(QStringLiteral("borderstyle"), QStringLiteral("none"));
                browser->update();
            } catch (...) {
            }
        }
    } catch (...) {
    }
}

void TFPartidos::CompletarUniforme(const QString& Dress, const QString& TeamID, QLabel* Shirt, QLabel* Shorts,
                                   QLabel* Socks) {
    try {
        const KitFiles files = KitPictureFiles(Dress, TeamID);
        LoadPicture(Shirt, files.Shirt);
        LoadPicture(Shorts, files.Shorts);
        LoadPicture(Socks, files.Socks);
    } catch (...) {
    }
}

void TFPartidos::CompletarPartidoIzquierda(int Slot) {
    try {
        TBKStringGrid& events = SeleccionarTablaEventos(Slot);
        TBKStringGrid& list = BKStringGridListaEventos;
        const QString homeTeamLabel = LabelDetallesEquipoID1->text();
        const QString awayTeamLabel = LabelDetallesEquipoID2->text();
        const QString slight = T("General", "Slight", "slight");
        const QString serious = T("General", "Serious", "serious");
        // The rows the list shows as they would be written now stay; the list is written from the
        // first one that differs (a poll mostly adds events at the end).
        const QString context = QStringList{homeTeamLabel, awayTeamLabel, slight, serious}.join(QChar(0x1F));
        const int kept = context == ListaEventosContexto ? EventListRowsKept(list, events) : 0;
        if (list.RowCount() > kept + 2)
            ClearEventListFrom(kept + 1);
        ListaEventosContexto = context;
        for (int i = kept; i < events.RowCount(); ++i) {
            if (events.Cells(EventColumn::EventNumber, i).isEmpty())
                break;
            try {
                const int r = list.RowCount() - 1;
                const QString key = events.Cells(EventColumn::EventTypeKey, i);
                const QString html = events.Cells(EventColumn::EventHtml, i);
                const QString subjectPlayer = events.Cells(EventColumn::SubjectPlayerId, i);
                const QString subjectTeam = events.Cells(EventColumn::SubjectTeamId, i);
                list.SetCells(0, r, key);
                list.SetCells(1, r, html);
                list.SetCells(7, r, subjectPlayer);
                list.SetCells(8, r, subjectTeam);
                list.SetCells(9, r, events.Cells(EventColumn::ObjectPlayerId, i));
                list.SetCells(4, r, events.Cells(EventColumn::EventMinute, i) + QLatin1Char('\''));
                const int underscore = key.indexOf(QLatin1Char('_'));
                QString eventClass;
                EventoClase(underscore < 0 ? QString() : key.left(underscore), eventClass);
                list.SetCells(10, r, eventClass);
                const QString category = EventCategory(eventClass);
                list.SetCells(2, r, category);
                if (category == CategoryInjurySubstituted) {
                    if (key.startsWith(QLatin1String("91_")))
                        list.SetCells(6, r, slight);
                    else if (key.startsWith(QLatin1String("92_")))
                        list.SetCells(6, r, serious);
                    else
                        list.SetCells(6, r, QStringLiteral("?"));
                }
                if (eventClass.left(4) == QLatin1String(",0,0")) {
                    // The running score: the latest score above, raised for the scoring side.
                    int home = 0, away = 0;
                    for (int above = list.RowCount() - 2; above >= 0; --above) {
                        const QString score = list.Cells(6, above);
                        if (score.isEmpty())
                            continue;
                        bool ok = false;
                        const int h = StripBlanks(score.left(2)).toInt(&ok);
                        if (!ok)
                            continue;
                        home = h;
                        bool okAway = false;
                        const int a = StripBlanks(score.mid(5, 2)).toInt(&okAway);
                        away = okAway ? a : 0;
                        break;
                    }
                    if (subjectTeam == homeTeamLabel)
                        ++home;
                    else
                        ++away;
                    list.SetCells(6, r,
                                  PadWithSpaces(QString::number(home), 2) + QStringLiteral(" - ") +
                                      PadWithSpaces(QString::number(away), 2));
                }
                QString name = SubjectPlayerName(html, subjectPlayer);
                if (subjectTeam == awayTeamLabel)
                    name = QStringLiteral("   ") + name;
                list.SetCells(5, r, name);
                list.SetRowCount(list.RowCount() + 1);
            } catch (...) {
            }
        }

        QLabel* counters[6] = {LabelO11, LabelO12, LabelO21, LabelO22, LabelO31, LabelO32};
        if (list.RowCount() <= 2) {
            // No event: nothing counted and no event shown (a refresh does not clear them first).
            for (QLabel* counter : counters)
                counter->clear();
            WBLoadHTML(WebBrowserEvento1, CommentaryToHtml(QString()));
            return;
        }
        // Each counter's caption is written once, when all is counted.
        int chances[6] = {0, 0, 0, 0, 0, 0};
        int goals[6] = {0, 0, 0, 0, 0, 0};
        const QString homeTeam = FOptions->BKStringGrid10Partidos().Cells(MatchColumn::HomeTeamId, Slot);
        for (int r = 0; r < events.RowCount(); ++r) {
            const QString eventClass = list.Cells(10, r);
            if (!eventClass.startsWith(QLatin1String(",0,")))
                continue;
            const int side = list.Cells(8, r) == homeTeam ? 0 : 1;
            const QString kind = eventClass.left(7);
            int counter = -1;
            bool goal = false;
            if (kind == QLatin1String(",0,0,0,"))
                counter = 0, goal = true;
            else if (kind == QLatin1String(",0,0,1,"))
                counter = 2, goal = true;
            else if (kind == QLatin1String(",0,0,2,"))
                counter = 4, goal = true;
            else if (kind == QLatin1String(",0,1,0,"))
                counter = 0;
            else if (kind == QLatin1String(",0,1,1,"))
                counter = 2;
            else if (kind == QLatin1String(",0,1,2,"))
                counter = 4;
            if (counter < 0)
                continue;
            ++chances[counter + side];
            if (goal)
                ++goals[counter + side];
        }
        for (int i = 0; i < 6; ++i)
            counters[i]->setText(QString::number(chances[i]) + QStringLiteral(" (") +
                                 QString::number(goals[i]) + QLatin1Char(')'));

        // The latest event is selected, scrolled fully into view and shown.
        list.SetRow(list.RowCount() - 2);
        BKStringGridListaEventosClick();
    } catch (...) {
    }
}

void TFPartidos::BKStringGridListaEventosClick() {
    try {
        const TBKStringGrid& list = BKStringGridListaEventos;
        const int r = list.Row();
        WBLoadHTML(WebBrowserEvento1,
                   CommentaryToHtml(QStringLiteral("<font color=maroon>") +
                                    EventClassText(list.Cells(10, r)) +
                                    QStringLiteral("</font><br /><br />") + list.Cells(1, r)));
    } catch (...) {
    }
}

void TFPartidos::CompletarPartidoEventos(int Slot) {
    try {
        TBKStringGrid& events = SeleccionarTablaEventos(Slot);
        QString text;
        for (int i = 0; i <= events.RowCount() - 2; ++i) {
            // The first six texts run together; every later one starts with a bullet.
            if (i > 5)
                text += QStringLiteral("&bull;&nbsp;");
            text += events.Cells(EventColumn::EventHtml, i);
        }
        // The scroll bar stays in place whatever the page's length (the view's clearing empties the
        // page first): a bar that came and went would change the page's width and lay it out again.
        WebBrowserEventos->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // A poll's refresh keeps the page shown when it did not change, or adds the new events to it,
        // rather than reading the whole page again; the page then stands where a page loaded anew and
        // scrolled from its top would. It is moved there at once: a move to the top and back would
        // scroll the page's pixels twice for nothing.
        const QString page = HtmlWithBreakOpportunities(CommentaryToHtml(text));
        if (WebBrowserEventos->Html() == page ||
            WebBrowserEventos->ExtendHtml(page, HtmlWithBreakOpportunities(CommentaryPagePrefix.toString()),
                                          CommentaryPageSuffix.toString())) {
            WebBrowserEventos->ScrollTo(0, 1000);
        } else {
            WebBrowserEventos->LoadHtml(page);
            WebBrowserEventos->ScrollBy(0, 1000);
        }
    } catch (...) {
    }
}

void TFPartidos::CompletarPartidoDerecha(int /*Slot*/) {
    try {
        TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
        for (int s = 0; s < MatchSlotCount; ++s) {
            BKStringGridResultados.SetCells(1, 2 * s,
                                            m.Cells(MatchColumn::HomeName, s) + QStringLiteral(" - ") +
                                                m.Cells(MatchColumn::AwayName, s));
            BKStringGridResultados.SetCells(3, 2 * s,
                                            m.Cells(MatchColumn::HomeGoals, s) + QStringLiteral(" - ") +
                                                m.Cells(MatchColumn::AwayGoals, s));
        }
        // A cell's colour follows its match's finished flag, which the view does not watch: a match that
        // finished since the last refresh takes its colour now, even when its score did not change.
        QString finished;
        for (int s = 0; s < MatchSlotCount; ++s)
            finished += m.Cells(MatchColumn::FinishedFlag, s) == QLatin1String("1") ? u'1' : u'0';
        if (MarkShown(ViewResultados, ShownFinishedProperty, finished))
            ViewResultados->viewport()->update();
        if (PageControlLiga && !PageControlLiga->isHidden() && !m.Cells(MatchColumn::HomeGoals, 0).isEmpty())
            ActualizarLiga();
        MostrarEventosPanel();
    } catch (...) {
    }
}

void TFPartidos::BKStringGridListaEventosDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                                  bool Selected) {
    const CellDrawing drawing = EventListCell(BKStringGridListaEventos, ACol, ARow);
    if (drawing.Draws())
        PaintCell(Canvas, Rect, BKStringGridListaEventos.Cells(ACol, ARow), drawing,
                  ViewListaEventos->palette().color(Selected ? QPalette::Highlight : QPalette::Base));
}

void TFPartidos::BKStringGridResultadosDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                                bool Selected) {
    try {
        if (!FOptions)
            return;
        const CellDrawing drawing = ResultsCell(FOptions->BKStringGrid10Partidos(), ACol, ARow);
        if (drawing.Draws())
            PaintCell(Canvas, Rect, BKStringGridResultados.Cells(ACol, ARow), drawing,
                      ViewResultados->palette().color(Selected ? QPalette::Highlight : QPalette::Base));
    } catch (...) {
    }
}
