// One reader of the service's answers on any answer body, through the entry point the program calls
// once the answer is saved and loaded. Built once per reader (VELKARO_FUZZ_READER names it):
//   league_details  FillStandings, FillRanking (both counts), LeagueTeamIds
//   league_fixtures NextRoundFixtures
//   league_matches  FirstUnfinishedMatch (the "My league" connect's read of each club's matches)
//   league_players  AppendScorers, PlayerNameOf
//   lineup          ReadLineup, BoxEntry, PositionWord, ExperienceWord, StarValue
//   ratings         FillRatings
//   team_details    LeerDetallesEquipo
//   world_details   LeerMonedaMundo (for the first league's name)
// Every reader keeps the bounds of what it stores: no table cell or text longer than a name may be
// (plus the padding of a number), an ID is decimal digits, a first-run value that fails its check
// leaves the record as it was. Run with inputs up to 1 MB and a per-input time limit of a few seconds,
// so that work that grows faster than the answer fails as a timeout.
#include "core/BKStringGrid.h"
#include "core/DataStore.h"
#include "core/EndOfMatchLineup.h"
#include "core/EndOfMatchRatings.h"
#include "core/FirstRun.h"
#include "core/LeagueGoals.h"
#include "core/LeagueRound.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "fuzz/FuzzSupport.h"
#include "platform/XmlDocument.h"

namespace {

// The longest stored text: a name, and a few characters of layout around it.
constexpr qsizetype MaxStored = kMaxAnswerNameLength + 16;

bool IsIdOrEmpty(const QString& id) {
    return id.isEmpty() || (IsDecimalDigits(id) && id.size() <= 18);
}

void CheckCells(const TBKStringGrid& grid) {
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            FUZZ_CHECK(grid.Cells(c, r).size() <= MaxStored);
}

void Read(const XmlNode& root) {
#if VELKARO_FUZZ_READER == 1 // league details
    TBKStringGrid table, ranking;
    ShapeLeagueTable(table);
    FillStandings(root, table);
    CheckCells(table);
    for (const QString& goals : {QStringLiteral("GoalsFor"), QStringLiteral("GoalsAgainst")}) {
        ShapeTable(ranking, GoalListColumn::RankingCount, GoalListColumn::RankingRows, 1);
        FillRanking(root, goals, ranking);
        CheckCells(ranking);
    }
    for (const QString& id : LeagueTeamIds(root))
        FUZZ_CHECK(IsIdOrEmpty(id));
#elif VELKARO_FUZZ_READER == 2 // league fixtures
    const FollowingRound round = NextRoundFixtures(root, QStringLiteral("Round"));
    FUZZ_CHECK(round.Title.size() <= MaxStored && round.Fixtures.size() <= 4);
    for (const QString& line : round.Fixtures)
        FUZZ_CHECK(line.size() <= 2 * MaxStored);
#elif VELKARO_FUZZ_READER == 3 // a club's matches
    if (const auto next = FirstUnfinishedMatch(root))
        FUZZ_CHECK(IsIdOrEmpty(next->MatchId) && next->Start.size() <= 10);
#elif VELKARO_FUZZ_READER == 4 // a club's players
    TBKStringGrid scorers;
    ShapeTable(scorers, GoalListColumn::ScorerCount, 2, 1);
    AppendScorers(root, scorers);
    CheckCells(scorers);
    for (const XmlNode& player : root.Path(QStringLiteral("Team/PlayerList")).Children())
        FUZZ_CHECK(PlayerNameOf(player).size() <= MaxStored);
#elif VELKARO_FUZZ_READER == 5 // a side's lineup
    const TeamLineup lineup = ReadLineup(root);
    FUZZ_CHECK(lineup.Entries.size() <= kMaxLineupEntries && lineup.TeamName.size() <= kMaxAnswerNameLength);
    for (const LineupEntry& e : lineup.Entries)
        FUZZ_CHECK(IsIdOrEmpty(e.RoleID) && IsIdOrEmpty(e.PlayerID) &&
                   e.PlayerName.size() <= kMaxAnswerNameLength);
    for (int k = 1; k <= 11; ++k)
        if (const int i = BoxEntry(lineup.Entries, k); i >= 0) {
            (void)PositionWord(lineup.Entries[i].PositionCode.toInt(), lineup.Entries[i].Behaviour.toInt());
            try {
                (void)StarValue(lineup.Entries[i].RatingStars, QLatin1Char(','));
            } catch (const Exception&) {
            }
        }
    (void)ExperienceWord(lineup.ExperienceLevel);
#elif VELKARO_FUZZ_READER == 6 // the ratings page
    TBKStringGrid grid, pitch;
    ShapeRatingsGrid(grid);
    ShapePitchGrid(pitch);
    try {
        FillRatings(grid, pitch, root);
    } catch (const Exception&) {
        // A rating that is no number stops the page where it stands.
    }
    CheckCells(grid);
    CheckCells(pitch);
#elif VELKARO_FUZZ_READER == 7 // the first run's team details
    TDialogoResultado r;
    r.TeamID = QStringLiteral("before");
    if (LeerDetallesEquipo(root, r)) {
        FUZZ_CHECK(IsDecimalDigits(r.TeamID) && IsIdOrEmpty(r.UsuarioID) && IsIdOrEmpty(r.TeamIDJuveniles) &&
                   IsIdOrEmpty(r.LigaID));
        for (const QString* name : {&r.Team, &r.Pais, &r.LigaNombre, &r.InicioFecha})
            FUZZ_CHECK(name->size() <= kMaxAnswerNameLength);
    } else {
        FUZZ_CHECK(r.TeamID == QLatin1String("before") && r.Team.isEmpty());
    }
#elif VELKARO_FUZZ_READER == 8 // the first run's world details
    TDialogoResultado r;
    r.Pais = root.ChildText(QStringLiteral("LeagueList/League/LeagueName"));
    r.Moneda = QStringLiteral("before");
    r.FactorMoneda = -1;
    if (LeerMonedaMundo(root, r))
        FUZZ_CHECK(r.Moneda.size() <= kMaxAnswerNameLength &&
                   (r.FactorMoneda == -1 || (r.FactorMoneda >= 0 && r.FactorMoneda <= 1e6)));
    else
        FUZZ_CHECK(r.Moneda == QLatin1String("before") && r.FactorMoneda == -1);
#else
#error "VELKARO_FUZZ_READER names no reader"
#endif
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // What the program reads of an answer: its text, parsed as the saved file is.
    XmlDocument doc;
    doc.SetXML(AnswerText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    try {
        doc.SetActive(true);
    } catch (const Exception&) {
        return 0; // not XML: never saved, never read
    }
    Read(doc.DocumentElement());
    return 0;
}
