// The events panel: the oldest queued event of any followed match with its match, score, minute,
// category icon and colour, and the buttons that work through the queue.
#include "core/BKStringGrid.h"
#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/EventTexts.h"
#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "viewer/HtmlDisplay.h"
#include "viewer/ShownMark.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// What the panel shows (the cells of the event and its teams), kept on the panel.
constexpr const char* ShownEventProperty = "shownEvent";

// The icon (an image-list entry, a file under the program folder) and the panel colour ($BBGGRR,
// -1 for the button face) of an event category.
struct CategoryLook {
    QString ImageFile;
    int Color = -1;
};

CategoryLook LookOfCategory(const QString& Category) {
    static const struct {
        const char* Code;
        const char* ImageFile;
        int Color;
    } table[] = {
        {"0", "images/ImageListPartido_0.png", int(ColorLightGreen)},
        {"1", "images/ImageListPartido_6.png", 0x808080},
        {"20", "images/ImageListLesiones_1.png", int(ColorLightRed)},
        {"21", "images/ImageListLesiones_0.png", int(ColorLightRed)},
        {"30", "images/ImageListTarjetas_0.png", int(ColorLightYellow)},
        {"31", "images/ImageListTarjetas_1.png", int(ColorLightYellow)},
        {"32", "images/ImageListTarjetas_2.png", int(ColorLightYellow)},
        {"4", "images/ImageListPartido_11.png", 0xF0CAA6},
        {"5", "images/ImageListPartido_10.png", 0xFFFFFF},
        {"6", "images/ImageListPartido_12.png", int(ColorLightYellow)},
    };
    for (const auto& entry : table)
        if (Category == QLatin1String(entry.Code))
            return {QLatin1String(entry.ImageFile), entry.Color};
    return {};
}

QColor ColorOfBGR(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QPushButton* NewButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setEnabled(false);
    return button;
}

} // namespace

void TFPartidos::CreatePanelEventos() {
    PanelEventos->setAutoFillBackground(true);
    auto* eventsLayout = new QVBoxLayout(PanelEventos);
    eventsLayout->setContentsMargins(4, 4, 4, 4);

    auto* header = new QHBoxLayout;
    ImageEventosPanel = new QLabel(PanelEventos);
    ImageEventosPanel->setFixedSize(20, 20);
    LabelEventosPanelEquipos = new QLabel(PanelEventos);
    LabelEventosPanelResultado = new QLabel(PanelEventos);
    LabelEventosPanelMinuto = new QLabel(PanelEventos);
    // The match, score and minute are service text: shown as they are, never as markup.
    for (QLabel* label :
         {ImageEventosPanel, LabelEventosPanelEquipos, LabelEventosPanelResultado, LabelEventosPanelMinuto})
        label->setTextFormat(Qt::PlainText);
    LabelEventosPanelEquipos->setMinimumWidth(1); // however long the names, cut, never widening the window
    QFont bold = LabelEventosPanelResultado->font();
    bold.setBold(true);
    LabelEventosPanelResultado->setFont(bold);
    header->addWidget(ImageEventosPanel);
    header->addWidget(LabelEventosPanelEquipos, 1);
    header->addWidget(LabelEventosPanelResultado);
    header->addWidget(LabelEventosPanelMinuto);
    eventsLayout->addLayout(header);

    // The browser and the rich edit hold the same text at the same spot: the browser is seen, the
    // read-only rich edit below it takes the keyboard focus (Alt+E) for reading the text.
    auto* text = new QGridLayout;
    RichEditEventosPanel = new RichEdit(PanelEventos);
    RichEditEventosPanel->setObjectName(QStringLiteral("RichEditEventosPanel"));
    WebBrowserEventosPanel = new WebBrowser(PanelEventos);
    WebBrowserEventosPanel->setObjectName(QStringLiteral("WebBrowserEventosPanel"));
    WebBrowserEventosPanel->setFocusPolicy(Qt::NoFocus);
    text->addWidget(RichEditEventosPanel, 0, 0);
    text->addWidget(WebBrowserEventosPanel, 0, 0);
    WebBrowserEventosPanel->raise();
    eventsLayout->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    ImageBorrarEvento = new QLabel(PanelEventos);
    ImageBorrarEvento->setTextFormat(Qt::PlainText);
    ImageBorrarEvento->setFixedSize(20, 20);
    ImageBorrarEvento->setPixmap(QPixmap(AppDir + QStringLiteral("images/ImageBorrarEvento.png")));
    ImageBorrarEvento->setHidden(true);
    ButtonEventoBorrar = NewButton(PanelEventos);
    ButtonEventoBorrarPartido = NewButton(PanelEventos);
    ButtonEventoBorrarTodos = NewButton(PanelEventos);
    buttons->addWidget(ImageBorrarEvento);
    buttons->addWidget(ButtonEventoBorrar);
    buttons->addWidget(ButtonEventoBorrarPartido);
    buttons->addWidget(ButtonEventoBorrarTodos);
    eventsLayout->addLayout(buttons);

    connect(ButtonEventoBorrar, &QPushButton::clicked, this, [this] { ButtonEventoBorrarClick(); });
    connect(ButtonEventoBorrarPartido, &QPushButton::clicked, this,
            [this] { ButtonEventoBorrarPartidoClick(); });
    connect(ButtonEventoBorrarTodos, &QPushButton::clicked, this, [this] { ButtonEventoBorrarTodosClick(); });

    QPalette palette = PanelEventos->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    PanelEventos->setPalette(palette);
}

void TFPartidos::LeerIdiomaPanelEventos() {
    ButtonEventoBorrar->setText(
        LangText(QStringLiteral("General"), QStringLiteral("LabelDelete"), QStringLiteral("Delete")));
    ButtonEventoBorrarPartido->setText(
        LangText(QStringLiteral("Matches"), QStringLiteral("DeleteMatch"), QStringLiteral("Delete match")));
    ButtonEventoBorrarTodos->setText(
        LangText(QStringLiteral("Matches"), QStringLiteral("DeleteAll"), QStringLiteral("Delete all")));
}

void TFPartidos::MostrarEventosPanel() {
    try {
        TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
        // Every poll asks again; the panel is filled (and painted) again only when what it would show
        // changed: the oldest queued event, or its match's teams.
        QStringList shows;
        for (int c = 0; c < queue.ColCount(); ++c)
            shows << queue.Cells(c, 0);
        if (const std::optional<int> slot =
                SeleccionarFila10Partidos(queue.Cells(PanelEventColumn::MatchId, 0)))
            shows << FOptions->BKStringGrid10Partidos().Cells(MatchColumn::HomeName, *slot)
                  << FOptions->BKStringGrid10Partidos().Cells(MatchColumn::AwayName, *slot);
        if (!MarkShown(PanelEventos, ShownEventProperty, shows.join(QChar(0x1F))))
            return;
        ImageEventosPanel->clear();
        ImageEventosPanelFile.clear();

        auto setPanelColor = [this](int color) {
            PanelEventosColor = color;
            QPalette palette = PanelEventos->palette();
            palette.setColor(QPalette::Window,
                             color < 0 ? QApplication::palette().color(QPalette::Button) : ColorOfBGR(color));
            PanelEventos->setPalette(palette);
        };

        const QString matchId = queue.Cells(PanelEventColumn::MatchId, 0);
        const bool queued = !matchId.isEmpty();
        ButtonEventoBorrar->setEnabled(queued);
        ButtonEventoBorrarPartido->setEnabled(queued);
        ButtonEventoBorrarTodos->setEnabled(queued);
        ImageBorrarEvento->setHidden(!queued);
        if (!queued) {
            WBLoadHTML(WebBrowserEventosPanel, QString());
            RichEditLoadHTML(RichEditEventosPanel, QString());
            setPanelColor(-1);
            LabelEventosPanelEquipos->clear();
            LabelEventosPanelResultado->clear();
            LabelEventosPanelMinuto->clear();
            return;
        }

        // The match's slot may have been cleared since the event was queued: no team names then.
        const std::optional<int> slot = SeleccionarFila10Partidos(matchId);
        TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        LabelEventosPanelEquipos->setText(slot ? matches.Cells(MatchColumn::HomeName, *slot) +
                                                     QStringLiteral(" - ") +
                                                     matches.Cells(MatchColumn::AwayName, *slot)
                                               : QString());
        LabelEventosPanelResultado->setText(queue.Cells(PanelEventColumn::ScoreText, 0));
        LabelEventosPanelMinuto->setText(queue.Cells(PanelEventColumn::EventMinute, 0) + QLatin1Char('\''));

        try {
            const CategoryLook look = LookOfCategory(queue.Cells(PanelEventColumn::CategoryCode, 0));
            ImageEventosPanelFile = look.ImageFile;
            if (!look.ImageFile.isEmpty())
                ImageEventosPanel->setPixmap(QPixmap(AppDir + look.ImageFile));
            setPanelColor(look.Color);
        } catch (...) {
            // The text is still shown.
        }

        const QString key = queue.Cells(PanelEventColumn::EventTypeKey, 0);
        const int underscore = key.indexOf(QLatin1Char('_'));
        QString eventClass;
        EventoClase(underscore < 0 ? QString() : key.left(underscore), eventClass);
        const QString page = CommentaryToHtml(
            QStringLiteral("<font color=maroon>") + EventClassText(eventClass) +
            QStringLiteral("</font><br /><br />") + queue.Cells(PanelEventColumn::EventHtml, 0));
        WBLoadHTML(WebBrowserEventosPanel, page);
        RichEditLoadHTML(RichEditEventosPanel, page);
    } catch (...) {
        // The panel keeps what was set before the failure.
    }
}

void TFPartidos::DeleteRow(TBKStringGrid& Grid, int Row) {
    const int rows = Grid.RowCount();
    if (Row < 0 || Row >= rows)
        return;
    for (int i = Row; i <= rows - 2; ++i)
        for (int c = 0; c < Grid.ColCount(); ++c)
            Grid.SetCells(c, i, Grid.Cells(c, i + 1));
    // The row that falls off is blanked first: with a single row nothing falls off, and a half-written
    // row would otherwise stay in the queue for good.
    for (int c = 0; c < Grid.ColCount(); ++c)
        Grid.SetCells(c, rows - 1, QString());
    Grid.SetRowCount(rows - 1);
}

void TFPartidos::ButtonEventoBorrarClick() {
    try {
        DeleteRow(FOptions->BKStringGridEventosPanel(), 0);
    } catch (...) {
    }
    MostrarEventosPanel();
}

void TFPartidos::ButtonEventoBorrarPartidoClick() {
    try {
        TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
        const QString id = queue.Cells(PanelEventColumn::MatchId, 0);
        // From the bottom, so that the rows not yet visited keep their indices. Row 0 is visited even
        // when it is the only row (a half-written one).
        for (int r = qMax(queue.RowCount() - 2, 0); r >= 0; --r)
            if (queue.Cells(PanelEventColumn::MatchId, r) == id)
                DeleteRow(queue, r);
    } catch (...) {
    }
    MostrarEventosPanel();
}

void TFPartidos::ButtonEventoBorrarTodosClick() {
    try {
        TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
        for (int r = 0; r < queue.RowCount(); ++r)
            for (int c = 0; c < queue.ColCount(); ++c)
                queue.SetCells(c, r, QString());
        queue.SetRowCount(1);
    } catch (...) {
    }
    MostrarEventosPanel();
}
