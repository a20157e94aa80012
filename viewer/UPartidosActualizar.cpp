// The periodic update of the ten match rows (Actualizar10Partidos): after every poll, replay step and
// add, each followed match row is completed from the service (details, end-of-match files) and from
// the slot's event table (minute, score, formations, tactics, weather, crowd).
#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "viewer/AnswerReading.h"
#include "viewer/UPartidos.h"

#include <QFile>
#include <utility>

namespace {

const QString DetailsTempFile = QStringLiteral("data/Xml/matchDetailsTemp.xml");
const QString LiveFile = QStringLiteral("data/Xml/live.xml");
// How often end-of-match files that did not arrive are asked for again.
constexpr int EndFilesRetries = 3;

QString YouthSuffix(const TBKStringGrid& matches, int s) {
    return matches.Cells(MatchColumn::YouthFlag, s) == QLatin1String("1") ? QStringLiteral("&isYouth=true")
                                                                          : QString();
}

// The files the end of a match leaves for the end-of-match report of the slot.
QString EndDetailsFile(int s) {
    return AppDir + QStringLiteral("data/Xml/matchDetails%1.xml").arg(s);
}
QString EndLineupFile(int s, const char* side) {
    return AppDir + QStringLiteral("data/Xml/matchLineup%1%2.xml").arg(s).arg(QLatin1String(side));
}

// The stored events of a table: rows up to the first one without an event number.
int StoredEventRows(const TBKStringGrid& events) {
    int n = 0;
    while (n < events.RowCount() && !events.Cells(EventColumn::EventNumber, n).isEmpty())
        ++n;
    return n;
}

// A word of the language file with no English fallback ("" when the key is missing).
QString LangWord(const QString& section, const QString& key) {
    return LanguageIni ? LanguageIni->ReadString(section, key, QString()) : QString();
}

bool HomeSide(const TBKStringGrid& matches, const TBKStringGrid& events, int s, int row) {
    return events.Cells(EventColumn::SubjectTeamId, row) == matches.Cells(MatchColumn::HomeTeamId, s);
}

// Score from the event table: every goal counts for its side. A walkover event ends the count and
// gives the side that turned up five goals, as the game's own result does: "501" the home side, "502"
// the away side; the other keeps its count.
void RecountScore(TBKStringGrid& matches, const TBKStringGrid& events, int s, int rows) {
    int home = 0;
    int away = 0;
    for (int r = 0; r < rows; ++r) {
        const QString key = events.Cells(EventColumn::EventTypeKey, r);
        if (key.startsWith(QLatin1String("501_"))) {
            home = 5;
            break;
        }
        if (key.startsWith(QLatin1String("502_"))) {
            away = 5;
            break;
        }
        if (events.Cells(EventColumn::EventClass, r).startsWith(QLatin1String(",0,0"))) {
            if (HomeSide(matches, events, s, r))
                ++home;
            else
                ++away;
        }
    }
    matches.SetCells(MatchColumn::HomeGoals, s, QString::number(home));
    matches.SetCells(MatchColumn::AwayGoals, s, QString::number(away));
}

void ScanFormations(TBKStringGrid& matches, const TBKStringGrid& events, int s, int rows) {
    for (int r = 0; r < rows; ++r) {
        if (!events.Cells(EventColumn::EventTypeKey, r).startsWith(QLatin1String("20_")))
            continue;
        const QString formation = ExtractFormation(events.Cells(EventColumn::EventHtml, r));
        matches.SetCells(HomeSide(matches, events, s, r) ? MatchColumn::HomeFormation
                                                         : MatchColumn::AwayFormation,
                         s, formation);
    }
}

// Current answers give no "20_" event: a side's formation still missing is the match details' own.
void TakeFormations(TBKStringGrid& matches, int s, const XmlNode& root) {
    const struct {
        int column;
        const char* path;
    } sides[] = {{MatchColumn::HomeFormation, "Match/HomeTeam/Formation"},
                 {MatchColumn::AwayFormation, "Match/AwayTeam/Formation"}};
    for (const auto& side : sides)
        if (matches.Cells(side.column, s).isEmpty())
            matches.SetCells(side.column, s,
                             ExtractFormation(AnswerName(root.ChildText(QLatin1String(side.path)))));
}

void ScanTactics(TBKStringGrid& matches, const TBKStringGrid& events, int s, int rows) {
    static const struct {
        const char* prefix;
        const char* key;
    } tactics[] = {{"331_", "Tactic1"},
                   {"332_", "Tactic2"},
                   {"333_", "Tactic3"},
                   {"334_", "Tactic4"},
                   {"335_", "Tactic7"}};
    // Every poll scans every stored event while a tactic is missing: each word is looked up once.
    QString words[std::size(tactics)];
    for (int r = 0; r < rows; ++r) {
        const QString eventKey = events.Cells(EventColumn::EventTypeKey, r);
        if (!eventKey.startsWith(QLatin1String("33")))
            continue;
        for (std::size_t t = 0; t < std::size(tactics); ++t) {
            if (!eventKey.startsWith(QLatin1String(tactics[t].prefix)))
                continue;
            if (words[t].isNull())
                words[t] = LangWord(QStringLiteral("General"), QLatin1String(tactics[t].key));
            matches.SetCells(HomeSide(matches, events, s, r) ? MatchColumn::HomeTactic
                                                             : MatchColumn::AwayTactic,
                             s, words[t]);
            break;
        }
    }
}

// The weather code of a weather event ("30_".."33_" give 0..3), or -1 for any other event.
int WeatherOfEvent(const QString& eventKey) {
    if (eventKey.size() < 3 || eventKey.at(0) != u'3' || eventKey.at(2) != u'_')
        return -1;
    const char16_t digit = eventKey.at(1).unicode();
    return digit >= u'0' && digit <= u'3' ? int(digit - u'0') : -1;
}

} // namespace

void TFPartidos::Actualizar10Partidos(const QString& Minute) {
    bool waited = false; // one call waits at most once, before its first end-of-match download
    // The live file's time, kept from the previous slot when a reading fails. Nothing rewrites the live
    // file during the update, so once read it serves every later slot: a poll parses it once, not ten
    // times.
    QString fetchedDate;
    bool fetchedRead = false;
    // What the poll's event step has just read of the live list serves this update only, and only
    // while the file is still the one it read.
    const std::optional<LiveFileRead> eventStep = std::exchange(LastLiveFileRead, std::nullopt);
    if (RadioGroupTipoPartidos->ItemIndex() == 0 && eventStep && eventStep->Stamp.Exists &&
        eventStep->Stamp == FileStamp::Of(AppDir + LiveFile)) {
        fetchedDate = eventStep->FetchedDate;
        fetchedRead = true;
    }
    for (int s = 0; s < MatchSlotCount; ++s) {
        try {
            ActualizarPartido(s, Minute, waited, fetchedDate, fetchedRead);
        } catch (...) {
        }
    }
}

void TFPartidos::ActualizarPartido(int s, const QString& Minute, bool& waited, QString& fetchedDate,
                                   bool& fetchedRead) {
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    const TBKStringGrid& events = SeleccionarTablaEventos(s);
    const QString matchId = matches.Cells(MatchColumn::MatchId, s);
    if (matchId.isEmpty() || events.RowCount() <= 2)
        return;
    const QString youth = YouthSuffix(matches, s);
    const int rows = StoredEventRows(events);
    auto finished = [&] { return matches.Cells(MatchColumn::FinishedFlag, s); };

    // Formations: the "20_" events of older answers; what they leave empty, the match details give.
    if (matches.Cells(MatchColumn::HomeFormation, s).isEmpty())
        ScanFormations(matches, events, s, rows);

    try {
        // The match details are read until this routine has read them once; only a successful read
        // moves FinishedFlag from "" to "0", so a details download that failed, or that brought the
        // service's error document, is tried again and writes nothing.
        if (finished().isEmpty()) {
            QString result;
            BajarFicheroXML(ChppPath + QStringLiteral("matchdetails&matchID=") + matchId + youth,
                            AppDir + DetailsTempFile, result);
            if (result == QLatin1String("OK"))
                ReadAnswer(
                    AppDir + DetailsTempFile, QStringLiteral("matchdetails.xml"), [&](const XmlNode& root) {
                        const XmlNode match = root.Child(QStringLiteral("Match"));
                        matches.SetCells(MatchColumn::StadiumName, s,
                                         match.ChildText(QStringLiteral("Arena/ArenaName")));
                        matches.SetCells(MatchColumn::WeatherId, s,
                                         NumberText(match.ChildText(QStringLiteral("Arena/WeatherID"))));
                        matches.SetCells(
                            MatchColumn::Spectators, s,
                            AlignNumberText(NumberText(match.ChildText(QStringLiteral("Arena/SoldTotal")))));
                        matches.SetCells(MatchColumn::HomeDress, s,
                                         match.ChildText(QStringLiteral("HomeTeam/Dress")));
                        DescargarUniformes(matches.Cells(MatchColumn::HomeDress, s),
                                           matches.Cells(MatchColumn::HomeTeamId, s));
                        matches.SetCells(MatchColumn::AwayDress, s,
                                         match.ChildText(QStringLiteral("AwayTeam/Dress")));
                        DescargarUniformes(matches.Cells(MatchColumn::AwayDress, s),
                                           matches.Cells(MatchColumn::AwayTeamId, s));
                        TakeFormations(matches, s, root);
                        if (finished().isEmpty())
                            matches.SetCells(MatchColumn::FinishedFlag, s, QStringLiteral("0"));
                    });
        }

        if (RadioGroupTipoPartidos->ItemIndex() == 0) {
            // A live file that is not the live list (the service's error document) gives no time: the
            // minute shown stays as it was.
            bool liveAnswer = true;
            if (!fetchedRead)
                liveAnswer =
                    ReadAnswer(AppDir + LiveFile, QStringLiteral("live.xml"), [&](const XmlNode& root) {
                        fetchedDate = root.ChildText(QStringLiteral("FetchedDate"));
                        fetchedRead = true;
                    }) != AnswerRead::NotTheFile;
            if (liveAnswer)
                matches.SetCells(MatchColumn::MinuteText, s,
                                 LiveMatchMinute(matches.Cells(MatchColumn::MatchStart, s), fetchedDate,
                                                 finished() == QLatin1String("1")));
        } else if (Minute == QLatin1String("-1")) {
            matches.SetCells(MatchColumn::MinuteText, s, QStringLiteral("0"));
        } else if (Minute.toInt() > 90 && finished() == QLatin1String("1")) {
            matches.SetCells(MatchColumn::MinuteText, s,
                             LangText(QStringLiteral("Options"), QStringLiteral("MatchEnds"),
                                      QStringLiteral("Match end")));
        } else {
            matches.SetCells(MatchColumn::MinuteText, s, Minute);
        }
    } catch (...) {
    }

    // Match end: once FinishedFlag is "1" it stays so, and the end-of-match files are fetched. One
    // that did not arrive as asked is asked for again at the next updates, at most three times more,
    // so that one bad answer at the final whistle does not cost the report.
    const bool endChecked = finished() != QLatin1String("1");
    if (endChecked) {
        for (int r = 0; r < rows; ++r) {
            if (!events.Cells(EventColumn::EventTypeKey, r).startsWith(QLatin1String("599")))
                continue;
            matches.SetCells(MatchColumn::FinishedFlag, s, QStringLiteral("1"));
            if (!waited) {
                Dialogs::Sleep(4000);
                waited = true;
            }
            DescargarFicherosFinPartido(s);
            break;
        }
    } else {
        const QString asked = matches.Cells(MatchColumn::EndFilesAsked, s);
        if (!asked.isEmpty() && asked.toInt() <= EndFilesRetries)
            DescargarFicherosFinPartido(s);
    }

    if (endChecked && !finished().isEmpty())
        RecountScore(matches, events, s, rows);

    if (matches.Cells(MatchColumn::HomeTactic, s).isEmpty() ||
        matches.Cells(MatchColumn::AwayTactic, s).isEmpty()) {
        // The slot's details file is that of this match only once this match has ended here: a file
        // left by an earlier match of the slot is never read, nor one that is not the details asked for.
        const bool fromEndFile =
            finished() == QLatin1String("1") &&
            ReadAnswer(EndDetailsFile(s), QStringLiteral("matchdetails.xml"), [&](const XmlNode& root) {
                matches.SetCells(MatchColumn::HomeTactic, s,
                                 TacticText(root.ChildText(QStringLiteral("Match/HomeTeam/TacticType"))));
                matches.SetCells(MatchColumn::AwayTactic, s,
                                 TacticText(root.ChildText(QStringLiteral("Match/AwayTeam/TacticType"))));
            }) == AnswerRead::Read;
        if (fromEndFile) {
            for (const auto column : {MatchColumn::HomeTactic, MatchColumn::AwayTactic})
                if (matches.Cells(column, s).isEmpty())
                    matches.SetCells(column, s,
                                     LangWord(QStringLiteral("General"), QStringLiteral("Tactic0")));
        } else {
            ScanTactics(matches, events, s, rows);
        }
    }

    if (matches.Cells(MatchColumn::WeatherId, s).isEmpty()) {
        for (int r = 0; r < rows; ++r) {
            const int weather = WeatherOfEvent(events.Cells(EventColumn::EventTypeKey, r));
            if (weather >= 0)
                matches.SetCells(MatchColumn::WeatherId, s, QString::number(weather));
        }
    }

    // The weather event carries the crowd.
    if (StripBlanks(matches.Cells(MatchColumn::Spectators, s)).isEmpty()) {
        for (int r = 0; r < rows; ++r)
            if (WeatherOfEvent(events.Cells(EventColumn::EventTypeKey, r)) >= 0)
                matches.SetCells(MatchColumn::Spectators, s,
                                 AlignNumberText(NumberText(events.Cells(EventColumn::ObjectPlayerId, r))));
    }
}

void TFPartidos::DescargarFicherosFinPartido(int s) {
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    const QString matchId = matches.Cells(MatchColumn::MatchId, s);
    const QString youth = YouthSuffix(matches, s);
    const QString lineup =
        ChppPath + QStringLiteral("matchlineup&version=1.3&matchID=") + matchId + QStringLiteral("&teamID=");
    const struct {
        QString file, request, answer;
    } files[] = {{EndDetailsFile(s), ChppPath + QStringLiteral("matchdetails&matchID=") + matchId + youth,
                  QStringLiteral("matchdetails.xml")},
                 {EndLineupFile(s, "Home"), lineup + matches.Cells(MatchColumn::HomeTeamId, s) + youth,
                  QStringLiteral("matchlineup.xml")},
                 {EndLineupFile(s, "Away"), lineup + matches.Cells(MatchColumn::AwayTeamId, s) + youth,
                  QStringLiteral("matchlineup.xml")}};
    // Arrived: the answer asked for, not the service's error document. The details give the formations
    // that neither the events nor the running details gave.
    auto arrived = [&](const auto& f) {
        return ReadAnswer(f.file, f.answer, [&](const XmlNode& root) {
                   if (f.answer == QLatin1String("matchdetails.xml"))
                       TakeFormations(matches, s, root);
               }) == AnswerRead::Read;
    };
    // The first time, the slot's files of an earlier match go first, so a failed download never leaves
    // them standing in for this match's; asked again, only the files that did not arrive are fetched.
    const QString asked = matches.Cells(MatchColumn::EndFilesAsked, s);
    bool missing = false;
    for (const auto& f : files) {
        if (!asked.isEmpty() && arrived(f))
            continue;
        QFile::remove(f.file);
        try {
            QString result;
            BajarFicheroXML(f.request, f.file, result);
        } catch (...) {
        }
        missing = !arrived(f) || missing;
    }
    matches.SetCells(MatchColumn::EndFilesAsked, s, missing ? QString::number(asked.toInt() + 1) : QString());
}
