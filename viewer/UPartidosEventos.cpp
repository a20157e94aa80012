// Live events: new events of the live file into the slots' event tables, the events-panel queue and
// the sounds of each poll.
#include "viewer/UPartidos.h"

#include "core/UGlobal.h"

#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/EventTableTally.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UOptions.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QStringMatcher>
#include <QVector>
#include <array>

namespace {

// The player-link forms of the commentary: only a text holding one of them has links to rewrite.
// Searchers made once: every stored event is checked.
const std::array<QStringMatcher, 6>& PlayerLinkMarkers() {
    static const std::array<QStringMatcher, 6> markers = {
        QStringMatcher(QStringLiteral("=\"PlayerDetails.asp?playerID=")),
        QStringMatcher(QStringLiteral("PlayerDetails.asp?PlayerID=")),
        QStringMatcher(QStringLiteral("YouthPlayerDetails.aspx?YouthPlayerID=")),
        QStringMatcher(QStringLiteral("/Common/Players/PlayerDetails.aspx?playerId=")),
        QStringMatcher(QStringLiteral("/Club/Players/Player.aspx?playerId=")),
        QStringMatcher(QStringLiteral("/Club/Players/YouthPlayer.aspx?YouthPlayerID=")),
    };
    return markers;
}

bool HasPlayerLink(const QString& text) {
    for (const QStringMatcher& marker : PlayerLinkMarkers())
        if (marker.indexIn(text) >= 0)
            return true;
    return false;
}

// The texts of a live event's elements (each the first child element of its name; "" when absent),
// read in one walk over its children instead of one walk per name.
struct LiveEventTexts {
    QString Minute, SubjectPlayerID, SubjectTeamID, ObjectPlayerID, EventKey, EventText;
};

LiveEventTexts ReadLiveEvent(const XmlNode& event) {
    static const struct {
        QLatin1String name;
        QString LiveEventTexts::*text;
    } fields[] = {
        {QLatin1String("Minute"), &LiveEventTexts::Minute},
        {QLatin1String("SubjectPlayerID"), &LiveEventTexts::SubjectPlayerID},
        {QLatin1String("SubjectTeamID"), &LiveEventTexts::SubjectTeamID},
        {QLatin1String("ObjectPlayerID"), &LiveEventTexts::ObjectPlayerID},
        {QLatin1String("EventKey"), &LiveEventTexts::EventKey},
        {QLatin1String("EventText"), &LiveEventTexts::EventText},
    };
    LiveEventTexts read;
    bool seen[std::size(fields)] = {};
    for (const XmlNode& child : event.Children()) {
        const QString name = child.NodeName();
        for (std::size_t i = 0; i < std::size(fields); ++i)
            if (!seen[i] && name == fields[i].name) {
                seen[i] = true;
                read.*(fields[i].text) = child.Text();
                break;
            }
    }
    return read;
}

// The list number of a live event: a text that is not a number counts as 0; none without the
// attribute.
std::optional<int> EventIndex(const XmlNode& event) {
    static const QString name = QStringLiteral("Index");
    // Every event of every poll is asked: the attribute is looked for a second time only when empty.
    const QString text = event.Attribute(name);
    if (text.isEmpty() && !event.HasAttribute(name))
        return std::nullopt;
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok ? index : 0;
}

// The text between the first ">" and the first "<" of the HTML from four characters before the
// subject player's ID.
QString SubjectPlayerName(const QString& html, const QString& playerId) {
    const qsizetype p = playerId.isEmpty() ? 0 : html.indexOf(playerId) + 1; // 1-based, 0 when absent
    QStringView s(html);
    if (p - 5 > 0)
        s = s.mid(p - 5);
    const qsizetype gt = s.indexOf(u'>');
    const qsizetype lt = s.indexOf(u'<');
    if (lt <= gt)
        return QString();
    return s.mid(gt + 1, lt - gt - 1).toString();
}

// The players file of a team says the player already had two yellow cards.
bool HadTwoCards(const QString& teamId, const QString& playerId) {
    if (!IsDecimalDigits(teamId))
        return false; // the ID goes into a file name
    const QString file = AppDir + QStringLiteral("data/Xml/players_") + teamId + QStringLiteral(".xml");
    if (!QFileInfo::exists(file))
        return false;
    XmlDocument& doc = DataModule1->XMLDocumentAux;
    bool found = false;
    try {
        doc.SetActive(false);
        doc.LoadFromFile(file);
        const XmlNode list = doc.DocumentElement().Path(QStringLiteral("Team/PlayerList"));
        for (const XmlNode& player : list.Children()) {
            if (player.ChildText(QStringLiteral("PlayerID")) == playerId &&
                player.ChildText(QStringLiteral("Cards")) == QLatin1String("2"))
                found = true;
        }
    } catch (...) {
    }
    doc.SetActive(false);
    return found;
}

} // namespace

void TFPartidos::EventosPartidos() {
    XmlDocument& doc = DataModule1->XMLDocument1;
    LastLiveFileRead.reset();
    try {
        doc.SetActive(false);
        const QString file = AppDir + QStringLiteral("data/Xml/live.xml");
        // Stamped before it is read: a file saved again meanwhile never passes for the one parsed.
        const FileStamp stamp = FileStamp::Of(file);
        doc.LoadFromFile(file);
        // The periodic update after this step needs the answer's time: it takes it from this parse
        // (another answer than the live list it reads for itself, and finds no time in it).
        if (IsAnswerOf(doc.DocumentElement(), QStringLiteral("live.xml")))
            LastLiveFileRead =
                LiveFileRead{stamp, doc.DocumentElement().ChildText(QStringLiteral("FetchedDate"))};
        const XmlNode matchList = doc.DocumentElement().Child(QStringLiteral("MatchList"));
        if (!matchList.Children().empty()) {
            TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
            const int mark = panel.RowCount() - 1;

            // Matches and events in document order, each list walked once.
            QVector<XmlNode> events;
            for (const XmlNode& match : matchList.Children()) {
                events.clear();
                for (const XmlNode& event : match.Child(QStringLiteral("EventList")).Children())
                    events.append(event);
                if (events.isEmpty())
                    continue;
                try {
                    const QString matchId = match.ChildText(QStringLiteral("MatchID"));
                    const std::optional<int> slot = SeleccionarFila10Partidos(matchId);
                    if (!slot)
                        continue;
                    TBKStringGrid& table = SeleccionarTablaEventos(*slot);
                    QVector<LiveEventRef> answer;
                    answer.reserve(events.size());
                    for (int j = 0; j < events.size(); ++j)
                        answer.append({j + 1, EventIndex(events[j])});
                    EventTableTally tally;
                    for (const NewLiveEvent& event : NewLiveEvents(table, answer))
                        StoreLiveEvent(table, events[event.Position - 1], event, matchId, *slot, tally);
                } catch (...) {
                    // The rows written so far stay; the next match runs.
                }
            }
            SonarEventos(mark);
        }
    } catch (...) {
    }
    doc.SetActive(false);
}

void TFPartidos::StoreLiveEvent(TBKStringGrid& table, const XmlNode& event, const NewLiveEvent& stored,
                                const QString& matchId, int slot, EventTableTally& tally) {
    const int row = table.RowCount() - 1;
    const QString number = QString::number(stored.Position);
    const QString index = stored.Index ? QString::number(*stored.Index) : QString();
    const LiveEventTexts read = ReadLiveEvent(event);
    const QString& key = read.EventKey;
    const QString& text = read.EventText;
    table.SetCells(EventColumn::EventNumber, row, number);
    table.SetCells(EventColumn::EventMinute, row, NumberText(read.Minute));
    table.SetCells(EventColumn::SubjectPlayerId, row, read.SubjectPlayerID);
    table.SetCells(EventColumn::SubjectTeamId, row, read.SubjectTeamID);
    table.SetCells(EventColumn::ObjectPlayerId, row, read.ObjectPlayerID);
    table.SetCells(EventColumn::EventTypeKey, row, key);

    QString html = text;
    if (HasPlayerLink(text)) {
        QString home, away;
        try {
            tally.LineupsUpTo(table, row - 1, home, away);
        } catch (...) {
        }
        html = ColourPlayerLinks(text, home, away);
    }
    table.SetCells(EventColumn::EventHtml, row, html);

    const int underscore = key.indexOf(QLatin1Char('_'));
    QString eventClass;
    EventoClase(underscore < 0 ? QString() : key.left(underscore), eventClass);
    table.SetCells(EventColumn::EventClass, row, eventClass);
    table.SetCells(EventColumn::EventIndex, row, index);
    table.SetRowCount(table.RowCount() + 1);

    AnadirPanelEventos(table, matchId, slot, &tally);

    const QString playerId = table.Cells(EventColumn::SubjectPlayerId, row);
    const QString teamId = table.Cells(EventColumn::SubjectTeamId, row);
    try {
        if (!PanelLiga->isHidden() && slot < 4 && EventCategory(eventClass) == QLatin1String("0"))
            ActualizarLigaGol(playerId, teamId, slot);
    } catch (...) {
    }

    if ((key.startsWith(QStringLiteral("510_")) || key.startsWith(QStringLiteral("511_"))) &&
        HadTwoCards(teamId, playerId)) {
        const int third = table.RowCount() - 1;
        const QString thirdKey = QStringLiteral("QZ_3Tarjeta_");
        table.SetCells(EventColumn::EventNumber, third, number);
        table.SetCells(EventColumn::EventMinute, third, table.Cells(EventColumn::EventMinute, row));
        table.SetCells(EventColumn::SubjectPlayerId, third, playerId);
        table.SetCells(EventColumn::SubjectTeamId, third, teamId);
        table.SetCells(EventColumn::ObjectPlayerId, third, table.Cells(EventColumn::ObjectPlayerId, row));
        table.SetCells(EventColumn::EventTypeKey, third, thirdKey);
        table.SetCells(EventColumn::EventHtml, third,
                       LangText(QStringLiteral("QZEvents"), QStringLiteral("ThirdCard"),
                                QStringLiteral("That is the third yellow card. This player can not play "
                                               "next official match of his team.")) +
                           QStringLiteral("  -----  ") + html);
        table.SetCells(EventColumn::EventClass, third, thirdKey);
        table.SetCells(EventColumn::EventIndex, third, index);
        table.SetRowCount(table.RowCount() + 1);
        AnadirPanelEventos(table, matchId, slot, &tally);
    }

    // The tab shows that its match has news until the tab is shown. A marker already shown is not set
    // again: every setting lays the tab bar out and paints it anew.
    const QPixmap& news = NewEventsMarker();
    if (QLabel* marker = SeleccionarImagenTab(slot);
        marker && (news.isNull() || marker->pixmap().cacheKey() != news.cacheKey()))
        marker->setPixmap(news);
}

const QPixmap& TFPartidos::NewEventsMarker() {
    if (!NewEventsMarkerLoaded) {
        const QString picture = AppDir + QStringLiteral("images/ImageListPartido_9.png");
        if (QFileInfo::exists(picture))
            NewEventsMarkerPicture = QPixmap(picture);
        NewEventsMarkerLoaded = true;
    }
    return NewEventsMarkerPicture;
}

void TFPartidos::SonarEventos(int mark) {
    TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    const int last = panel.RowCount() - 2;
    if (last < mark)
        return;
    // The rows are read before the first sound: the sounds let the window work, and the events
    // panel may take rows from the queue meanwhile.
    struct Sound {
        QString kind, key, team;
    };
    QVector<Sound> sounds;
    for (int r = mark; r <= last; ++r) {
        const QString key = panel.Cells(PanelEventColumn::EventTypeKey, r);
        // Of consecutive match-end rows only the last one sounds.
        if (key.startsWith(QStringLiteral("599")) &&
            panel.Cells(PanelEventColumn::EventTypeKey, r + 1).startsWith(QStringLiteral("599")))
            continue;
        sounds.append({panel.Cells(PanelEventColumn::CategoryCode, r), key,
                       panel.Cells(PanelEventColumn::SoundTeam, r)});
    }
    const BusyCursor busy;
    try {
        for (const Sound& s : sounds)
            FOptions->EjecutarSonido(s.kind, s.key, s.team, TFOptions::DefaultSoundDuration);
    } catch (...) {
    }
}

void TFPartidos::EventoClase(const QString& EventType, QString& Result) {
    Result.clear();
    try {
        Result = ::EventoClase(FOptions->BKStringGridEventsData(), EventType);
    } catch (...) {
        ShowMessage(QStringLiteral("Error. EventoClase"));
    }
}

void TFPartidos::AnadirPanelEventos(TBKStringGrid& Table, const QString& MatchId, int Slot,
                                    EventTableTally* Tally) {
    try {
        TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
        const TBKStringGrid& partidos = FOptions->BKStringGrid10Partidos();
        const int src = Table.RowCount() - 2;
        const int dst = panel.RowCount() - 1;
        const QString html = Table.Cells(EventColumn::EventHtml, src);
        const QString eventClass = Table.Cells(EventColumn::EventClass, src);
        const QString playerId = Table.Cells(EventColumn::SubjectPlayerId, src);
        const QString teamId = Table.Cells(EventColumn::SubjectTeamId, src);

        panel.SetCells(PanelEventColumn::EventTypeKey, dst, Table.Cells(EventColumn::EventTypeKey, src));
        panel.SetCells(PanelEventColumn::EventHtml, dst, html);
        panel.SetCells(PanelEventColumn::CategoryCode, dst, EventCategory(eventClass));
        panel.SetCells(PanelEventColumn::MatchId, dst, MatchId);
        panel.SetCells(PanelEventColumn::EventMinute, dst, Table.Cells(EventColumn::EventMinute, src));
        panel.SetCells(PanelEventColumn::SubjectPlayerId, dst, playerId);
        panel.SetCells(PanelEventColumn::ObjectPlayerId, dst, Table.Cells(EventColumn::ObjectPlayerId, src));
        panel.SetCells(PanelEventColumn::EventClass, dst, eventClass);
        panel.SetCells(PanelEventColumn::SubjectPlayerName, dst, SubjectPlayerName(html, playerId));

        const QString homeTeam = partidos.Cells(MatchColumn::HomeTeamId, Slot);
        const QString awayTeam = partidos.Cells(MatchColumn::AwayTeamId, Slot);
        // The score after this event. A caller appending several events keeps the count running.
        EventTableTally once;
        const EventTableTally::Score score = (Tally ? *Tally : once).GoalsUpTo(Table, src, homeTeam);
        panel.SetCells(PanelEventColumn::ScoreText, dst,
                       QString::number(score.Home) + QStringLiteral(" - ") + QString::number(score.Away));

        const QString userTeam = FOptions->EditTeamID->text();
        const QString userYouth = FOptions->EditTeamIDJuveniles->text();
        const auto isUser = [&](const QString& id) { return id == userTeam || id == userYouth; };
        const bool userPlays = isUser(homeTeam) || isUser(awayTeam);
        panel.SetCells(PanelEventColumn::SoundTeam, dst,
                       userPlays && !isUser(teamId) ? QStringLiteral("ContraGol") : teamId);

        panel.SetRowCount(panel.RowCount() + 1);
    } catch (...) {
    }
}
