// Recorded matches: the finished match's events read once when it is added, then released minute by
// minute into the slot's event table and the events panel at each replay step.
#include "core/BKStringGrid.h"
#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/EventTableTally.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

#include <QLabel>
#include <QPixmap>

namespace {

// Forms of a player link in a recorded event's text; a text holding one has its links coloured.
const QStringView RecordedLinkMarkers[] = {
    u"=\"PlayerDetails.asp?playerID=",         u"PlayerDetails.asp?PlayerID=",
    u"YouthPlayerDetails.aspx?YouthPlayerID=", u"=\"/Common/Players/PlayerDetails.aspx?playerId=",
    u"=\"/Club/Players/Player.aspx?playerId=", u"=\"/Club/Players/YouthPlayer.aspx?YouthPlayerID=",
};

bool HasPlayerLink(const QString& Text) {
    for (QStringView marker : RecordedLinkMarkers)
        if (Text.contains(marker))
            return true;
    return false;
}

// The event type of a key: the text before its first "_", empty without one.
QString EventTypeOfKey(const QString& Key) {
    const int underscore = Key.indexOf(QLatin1Char('_'));
    return underscore < 0 ? QString() : Key.left(underscore);
}

int DecimalOr(const QString& Text, int Default) {
    bool ok = false;
    const int value = Text.toInt(&ok);
    return ok ? value : Default;
}

// The match of the live file's match list to read: the one with the added match's ID, or the first
// match when no ID is given. Null when the list does not hold it.
XmlNode RecordedMatch(const XmlNode& MatchList, const QString& AddedMatchId) {
    if (AddedMatchId.isEmpty())
        return MatchList.Child(QStringLiteral("Match"));
    for (const XmlNode& match : MatchList.Children()) {
        if (match.NodeName() == QLatin1String("Match") &&
            match.ChildText(QStringLiteral("MatchID")) == AddedMatchId)
            return match;
    }
    return {};
}

} // namespace

void TFPartidos::EventosPartidosFinalizadoDescarga(const QString& AddedMatchId) {
    XmlDocument& xml = DataModule1->XMLDocument1;
    try {
        xml.SetActive(false);
        xml.LoadFromFile(AppDir + QStringLiteral("data/Xml/live.xml"));
        // Another answer than the live list (the service's error document) holds no events: the
        // recorded table keeps what it had.
        const XmlNode root = xml.DocumentElement();
        const XmlNode match = IsAnswerOf(root, QStringLiteral("live.xml"))
                                  ? RecordedMatch(root.Child(QStringLiteral("MatchList")), AddedMatchId)
                                  : XmlNode();
        if (match.IsNull()) {
            xml.SetActive(false);
            return;
        }
        const std::optional<int> slot = SeleccionarFila10Partidos(match.ChildText(QStringLiteral("MatchID")));
        if (!slot) {
            xml.SetActive(false);
            return;
        }
        TBKStringGrid& table = SeleccionarTablaFEventos(*slot);
        for (int r = 0; r < table.RowCount(); ++r)
            for (int c = 0; c < table.ColCount(); ++c)
                table.SetCells(c, r, QString());
        table.SetRowCount(1);
        Replay.Restart(*slot); // a new match: it replays from its start

        int j = 0;
        QString lineups[2];
        int lineupsSeen = 0;
        for (const XmlNode& event : match.Child(QStringLiteral("EventList")).Children()) {
            const int row = table.RowCount() - 1;
            table.SetCells(EventColumn::EventNumber, row, QString::number(j + 1));
            table.SetCells(EventColumn::EventMinute, row,
                           NumberText(event.ChildText(QStringLiteral("Minute"))));
            table.SetCells(EventColumn::SubjectPlayerId, row,
                           event.ChildText(QStringLiteral("SubjectPlayerID")));
            table.SetCells(EventColumn::SubjectTeamId, row, event.ChildText(QStringLiteral("SubjectTeamID")));
            table.SetCells(EventColumn::ObjectPlayerId, row,
                           event.ChildText(QStringLiteral("ObjectPlayerID")));
            const QString key = event.ChildText(QStringLiteral("EventKey"));
            table.SetCells(EventColumn::EventTypeKey, row, key);

            QString html = event.ChildText(QStringLiteral("EventText"));
            if (HasPlayerLink(html))
                html = ColourPlayerLinks(html, lineups[0], lineups[1]);
            table.SetCells(EventColumn::EventHtml, row, html);
            // The first lineup event is the home side's, the last later one the away side's: kept as
            // the rows are written, so that no event looks back over the rows before it.
            if (key.startsWith(QLatin1String("21_")))
                lineups[lineupsSeen++ == 0 ? 0 : 1] = html;

            QString eventClass;
            EventoClase(EventTypeOfKey(key), eventClass);
            table.SetCells(EventColumn::EventClass, row, eventClass);
            table.SetRowCount(table.RowCount() + 1);
            ++j;
        }
    } catch (...) {
        // A missing or unreadable live file, or a failure while reading: the rows written stay.
    }
    try {
        xml.SetActive(false);
    } catch (...) {
    }
}

void TFPartidos::EventosPartidosFinalizadoActualizar(const QString& Minute) {
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
    const int mark = queue.RowCount() - 1;
    const int minute = DecimalOr(Minute, 1);
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();

    for (int s = 0; s < 10; ++s) {
        const QString matchId = matches.Cells(MatchColumn::MatchId, s);
        if (matchId.isEmpty())
            continue;
        try {
            TBKStringGrid& live = SeleccionarTablaEventos(s);
            TBKStringGrid& recorded = SeleccionarTablaFEventos(s);
            // The minutes after the slot's last released one up to this step's: the step's own minute
            // in a running replay, every minute so far for a match added after the replay began. A
            // minute released before is never released again.
            QVector<int> rows;
            for (int r = 0; r <= recorded.RowCount() - 2; ++r)
                if (Replay.Releases(s, DecimalOr(recorded.Cells(EventColumn::EventMinute, r), 0), minute))
                    rows.append(r);
            Replay.Released(s, minute);
            EventTableTally tally;
            for (const int r : rows) {
                const int row = live.RowCount() - 1;
                for (int c = 0; c < live.ColCount(); ++c)
                    live.SetCells(c, row, recorded.Cells(c, r));
                live.SetRowCount(live.RowCount() + 1);
                try {
                    AnadirPanelEventos(live, matchId, s, &tally);
                } catch (...) {
                }
                if (QLabel* marker = SeleccionarImagenTab(s))
                    marker->setPixmap(NewEventsMarker());
            }
        } catch (...) {
            // This slot's step ends; the other slots still run.
        }
    }

    // The same sound step as a live poll: of consecutive match-end rows only the last one sounds.
    try {
        SonarEventos(mark);
    } catch (...) {
    }
}
