// Plays one match of the scenario: its lineups, ratings and the events with the commentary HTML of the
// game (player links in one of the game's link forms, scores " 2 - 1 ", percentages, bullets after a
// double line break).
#include "Scenario.h"

#include <algorithm>

namespace {

const char* const kLinkForms[] = {"",
                                  "/Club/Players/Player.aspx?playerId=",
                                  "/Club/Players/YouthPlayer.aspx?YouthPlayerID=",
                                  "/Common/Players/PlayerDetails.aspx?playerId=",
                                  "/Common/PlayerDetails.asp?PlayerID=",
                                  "/Common/YouthPlayerDetails.aspx?YouthPlayerID=",
                                  "PlayerDetails.asp?playerID="};

const char* const kFormations[] = {"4-4-2", "3-5-2", "4-5-1", "5-3-2", "4-3-3", "5-4-1"};

// The game's code of a formation in events 23 and 24: 1DDMMFF ("4-4-2" is 1040402).
qint64 FormationCode(const QString& formation) {
    const QStringList lines = formation.split('-');
    return 1000000 + lines.value(0).toInt() * 10000 + lines.value(1).toInt() * 100 + lines.value(2).toInt();
}

QString ScoreText(int home, int away) {
    return QString("%1 - %2").arg(home).arg(away);
}

enum class Kind { Chance, Yellow, SecondYellow, StraightRed, Injury, Substitution, Possession };

struct Incident {
    int minute = 0;
    Kind kind = Kind::Chance;
    int side = 0;   // 0 home, 1 away
    int chance = 0; // 0 normal, 1 special event, 2 counter-attack
    int route = 1;  // normal: 0 free kick, 1 central, 2 left, 3 right, 4 penalty
    bool goal = false;
    int type = 0;    // event type for cards, injuries, substitutions
    int tag = 0;     // incidents with the same tag concern the same player
    int role = 0;    // a fixed role to pick, 0 for any
    int percent = 0; // possession: 50 for shared
};

const int kSpecialGoals[] = {105, 106, 108, 109, 115, 116, 117, 118, 119, 135, 137, 138, 139};
const int kSpecialMisses[] = {205, 206, 208, 209, 215, 216, 217, 218, 219, 235, 236, 237, 239};

// Goal (100..) or missed chance (200..) type of a normal chance by the score before it.
int NormalChanceType(bool goal, bool home, int own, int other, int route) {
    const int diff = own - other;
    int base;
    if (diff < -1)
        base = 0; // reduces the deficit
    else if (diff == -1)
        base = 10; // equaliser
    else if (diff == 0)
        base = 20; // takes the lead
    else
        base = 30; // increases the lead
    return (goal ? 100 : 200) + (home ? 0 : 50) + base + route;
}

// The game numbers a match's events with its own Index: the first one above 0 and with gaps where
// events are not shown. A generator of its own, seeded by the match, keeps the play's numbers as they were.
void NumberEvents(WorldMatch& m) {
    WorldRng rng(static_cast<std::uint64_t>(m.id) * 2654435761ULL + (m.youth ? 1 : 0));
    int index = rng.Range(1, 6);
    for (WorldEvent& e : m.events) {
        e.index = index;
        index += rng.Chance(30) ? rng.Range(2, 3) : 1;
    }
}

} // namespace

void WorldScenario::MakeLineup(WorldMatch& m, WorldSide& side, WorldRng& rng) {
    const WorldTeam* team = Team(side.teamId, m.youth);
    side.lineup.clear();
    for (int role = 1; role <= 11; ++role) {
        WorldLineupEntry e;
        e.role = role;
        e.playerId = team->players[role - 1];
        e.positionCode = role;
        const int b = rng.Range(1, 100);
        e.behaviour = b <= 70 ? 0 : b <= 95 ? rng.Range(1, 4) : rng.Range(5, 7);
        if (role == 1)
            e.behaviour = 0; // a keeper keeps to his goal
        e.stars = rng.Range(2, 12) * 0.5;
        side.lineup.append(e);
    }
}

void WorldScenario::Play(WorldMatch& m, MatchScript script, int form) {
    struct Numbering {
        WorldMatch& m;
        ~Numbering() { NumberEvents(m); }
    } numbering{m};
    WorldRng rng(rng_.Next());
    const WorldTeam* teams[2] = {Team(m.home.teamId, m.youth), Team(m.away.teamId, m.youth)};
    WorldSide* sides[2] = {&m.home, &m.away};
    const bool walkover = script == MatchScript::WalkoverHome || script == MatchScript::WalkoverAway;
    const int absent = script == MatchScript::WalkoverHome ? 1 : script == MatchScript::WalkoverAway ? 0 : -1;

    m.weather = rng.Range(0, 3);
    m.sold = m.youth              ? rng.Range(40, 400)
             : teams[0]->national ? rng.Range(40000, 80000)
                                  : rng.Range(6000, 26000);
    for (int s = 0; s < 2; ++s) {
        WorldSide& side = *sides[s];
        // The two sides never line up alike, so that a side taken for the other shows.
        const int f = rng.Range(0, 5);
        side.formation = kFormations[s == 1 && m.home.formation == kFormations[f] ? (f + 1) % 6 : f];
        const int tactics[] = {0, 0, 0, 1, 2, 3, 4, 7};
        side.tactic = tactics[rng.Range(0, 7)];
        side.tacticSkill = side.tactic == 0 ? 0 : rng.Range(1, 20);
        for (int r = 0; r < 7; ++r)
            side.ratings[r] = s == absent ? 0 : r == 0 ? rng.Range(20, 70) : rng.Range(15, 65);
        if (teams[s]->loginName == "demo" || teams[s]->loginName == "scout")
            side.attitude = QString::number(rng.Range(-1, 1));
        if (s != absent)
            MakeLineup(m, side, rng);
        else
            side.formation.clear();
    }
    if (script == MatchScript::DemoRound) {
        // The demo team's line-up shows every behaviour the game gives (its box 3 is replaced).
        WorldSide& demo = teams[0]->loginName == "demo" ? m.home : m.away;
        const int roles[] = {2, 4, 5, 6, 7, 8, 9};
        for (int b = 1; b <= 7; ++b)
            demo.lineup[roles[b - 1] - 1].behaviour = b;
    }

    auto link = [&](qint64 playerId) {
        const WorldPlayer* p = Player(playerId, m.youth);
        return QString("<a href=\"%1%2\">%3</a>").arg(kLinkForms[form]).arg(playerId).arg(p ? p->Name() : "");
    };
    auto teamLink = [&](int s) {
        return m.youth ? QString("<a href=\"/Club/Youth/?YouthTeamID=%1\">%2</a>")
                             .arg(teams[s]->id)
                             .arg(teams[s]->name)
                       : QString("<a href=\"/Club/?TeamID=%1\">%2</a>").arg(teams[s]->id).arg(teams[s]->name);
    };
    QVector<WorldEvent>& ev = m.events;
    auto add = [&](int minute, qint64 subject, int team, qint64 object, int type, const QString& text) {
        WorldEvent e;
        e.minute = minute;
        e.subjectPlayer = subject;
        e.subjectTeam = team;
        e.objectPlayer = object;
        e.key = QString("%1_%2").arg(type).arg(rng.Range(0, 3));
        e.text = text;
        ev.append(e);
    };

    // Before kick-off: line-ups, formations, arena and weather, the match's circumstances, tactics.
    for (int s = 0; s < 2; ++s) {
        if (s == absent)
            continue;
        QStringList lines[4];
        for (const WorldLineupEntry& e : sides[s]->lineup) {
            const int line = e.role == 1 ? 0 : e.role <= 5 ? 1 : e.role <= 9 ? 2 : 3;
            lines[line].append(link(e.playerId));
        }
        QStringList parts;
        for (const QStringList& l : lines)
            parts.append(l.join(", "));
        add(0, 0, teams[s]->id, 0, 21,
            QString("The starting line-up of %1: %2.<br /><br />").arg(teamLink(s), parts.join(" - ")));
    }
    if (walkover) {
        const int present = 1 - absent;
        add(0, 0, teams[present]->id, 0, 28,
            QString("%1 did not turn up, so %2 took the field with a walkover line-up.")
                .arg(teamLink(absent), teamLink(present)));
        add(0, 0, teams[present]->id, 0, absent == 1 ? 501 : 502,
            QString("%1 wins the match by walkover: %2.")
                .arg(teamLink(present), absent == 1 ? ScoreText(5, 0) : ScoreText(0, 5)));
        add(0, 0, 0, 0, 599,
            QString("The match was decided by a walkover: %1.<br /><br />&bull;&nbsp;No football was played "
                    "today.")
                .arg(absent == 1 ? ScoreText(5, 0) : ScoreText(0, 5)));
        m.endMinute = 0;
        return;
    }
    // Older matches tell each side's formation in an event 20; current ones, as the game does now, in one
    // event 24 with both codes (the match details carry them too).
    if (m.date < kickOff_) {
        for (int s = 0; s < 2; ++s)
            add(0, 0, teams[s]->id, 0, 20,
                QString("%1 lined up in a %2 formation.").arg(teamLink(s), sides[s]->formation));
    } else {
        add(0, FormationCode(m.home.formation), 0, FormationCode(m.away.formation), 24,
            QString("The teams chose different formations: %1 played %2, while %3 went for %4.")
                .arg(teamLink(0), m.home.formation, teamLink(1), m.away.formation));
        rng.Next(); // the variant the second event 20 drew: the later events stay as they were
    }
    const char* weatherWords[] = {"rain pouring down", "an overcast sky", "fair weather", "bright sunshine"};
    add(0, 0, 0, m.sold, 30 + m.weather,
        QString("With %1, %2 spectators came to %3 to watch the match.")
            .arg(weatherWords[m.weather])
            .arg(m.sold)
            .arg(m.arenaName));
    if (script == MatchScript::DerbyPenalty)
        add(0, 0, 0, 0, 25,
            QString("This was a regional derby between %1 and %2.").arg(teamLink(0), teamLink(1)));
    if (script == MatchScript::CupNeutral)
        add(0, 0, 0, 0, 26, "The match was played on neutral ground.");
    if (script == MatchScript::AwayIsHome)
        add(0, 0, 0, 0, 27, QString("%1 were the away side, but actually played at home.").arg(teamLink(1)));
    const char* tacticWords[] = {
        "", "pressing", "counter-attacks", "attacks in the middle", "attacks on the wings",
        "", "",         "a creative game"};
    for (int s = 0; s < 2; ++s) {
        const int t = sides[s]->tactic;
        if (t >= 1 && t <= 4)
            add(0, 0, teams[s]->id, 0, 330 + t, QString("%1 played %2.").arg(teamLink(s), tacticWords[t]));
        else if (t == 7)
            add(0, 0, teams[s]->id, 0, 335, QString("%1 went for %2.").arg(teamLink(s), tacticWords[t]));
    }
    add(0, 0, 0, 0, 598, "The referee blows the whistle and the match is under way!");

    // What happens during the match.
    QVector<Incident> inc;
    auto randomMinute = [&]() {
        const int x = rng.Range(1, 86);
        return x >= 45 ? x + 2 : x;
    };
    for (int s = 0; s < 2; ++s) {
        const int n = rng.Range(2, 6);
        for (int i = 0; i < n; ++i) {
            Incident c;
            c.minute = randomMinute();
            c.side = s;
            const int k = rng.Range(1, 100);
            c.chance = k <= 72 ? 0 : k <= 90 ? 1 : 2;
            const int r = rng.Range(1, 100);
            c.route = c.chance == 2 ? rng.Range(0, 3)
                      : r <= 35     ? 1
                      : r <= 60     ? 2
                      : r <= 85     ? 3
                      : r <= 95     ? 0
                                    : 4;
            c.goal = rng.Chance(33);
            c.type = c.chance == 1 ? rng.Range(0, 12) : 0;
            inc.append(c);
        }
    }
    for (int i = rng.Range(0, 2); i > 0; --i) {
        Incident y;
        y.kind = Kind::Yellow;
        y.minute = randomMinute();
        y.side = rng.Range(0, 1);
        y.type = rng.Chance(70) ? 510 : 511;
        inc.append(y);
    }
    int possession[2] = {rng.Range(51, 65), rng.Range(51, 65)};
    int dominant[2] = {rng.Range(0, 1), rng.Range(0, 1)};

    auto chance = [&](int minute, int side, int kind, int route, bool goal) {
        Incident c;
        c.minute = minute;
        c.side = side;
        c.chance = kind;
        c.route = route;
        c.goal = goal;
        c.type = kind == 1 ? rng.Range(0, 12) : 0;
        inc.append(c);
    };
    auto special = [&](int minute, int side, Kind kind, int type, int tag = 0, int role = 0) {
        Incident c;
        c.minute = minute;
        c.side = side;
        c.kind = kind;
        c.type = type;
        c.tag = tag;
        c.role = role;
        inc.append(c);
    };
    switch (script) {
    case MatchScript::DemoRound: {
        const int demo = teams[0]->loginName == "demo" ? 0 : 1;
        chance(23, demo, 0, 1, true);
        chance(67, 1 - demo, 0, 2, true);
        // A player of the other side with two yellow cards on record is booked again.
        const qint64 booked = teams[1 - demo]->players[6];
        players_[playerIndex_.value({booked, m.youth})].cards = 2;
        special(38, 1 - demo, Kind::Yellow, 510, 0, 7);
        special(55, demo, Kind::Injury, 92, 0, 3);
        special(72, 1 - demo, Kind::Substitution, 352, 0, 10);
        break;
    }
    case MatchScript::SecondYellow:
        special(20, 0, Kind::Yellow, 510, 1, 4);
        special(64, 0, Kind::SecondYellow, 512, 1, 4);
        special(33, 1, Kind::Injury, 90);
        break;
    case MatchScript::DerbyPenalty:
        chance(52, 0, 0, 4, true);
        chance(80, 1, 0, 4, false);
        break;
    case MatchScript::SpecialEvents:
        possession[0] = possession[1] = 50;
        chance(31, 1, 1, 1, true);
        chance(77, 0, 2, 1, true);
        break;
    case MatchScript::CupNeutral:
        special(58, 0, Kind::StraightRed, 514);
        special(29, 1, Kind::Injury, 91, 0, 5);
        chance(12, 1, 0, 0, true);
        break;
    case MatchScript::Substitutions:
        special(40, 0, Kind::Injury, 91, 0, 4);
        special(70, 1, Kind::Substitution, 352, 0, 9);
        break;
    case MatchScript::PenaltyShared:
        chance(12, 0, 0, 4, true);
        possession[0] = 50;
        break;
    default:
        break;
    }
    std::stable_sort(inc.begin(), inc.end(),
                     [](const Incident& a, const Incident& b) { return a.minute < b.minute; });

    // The players on the field by role, the bench, and the replacements made.
    qint64 onField[2][12] = {};
    QVector<qint64> bench[2];
    QVector<WorldLineupEntry> replacements[2], replaced[2];
    for (int s = 0; s < 2; ++s) {
        for (const WorldLineupEntry& e : sides[s]->lineup)
            onField[s][e.role] = e.playerId;
        for (int i = 11; i < teams[s]->players.size(); ++i)
            bench[s].append(teams[s]->players[i]);
    }
    auto pick = [&](int side, int fromRole, int toRole) -> int {
        QVector<int> roles;
        for (int r = fromRole; r <= toRole; ++r)
            if (onField[side][r])
                roles.append(r);
        if (roles.isEmpty())
            for (int r = 1; r <= 11; ++r)
                if (onField[side][r])
                    roles.append(r);
        return roles.isEmpty() ? 0 : roles[rng.Range(0, roles.size() - 1)];
    };
    auto replace = [&](int side, int role, int minute, int type, const QString& why) {
        const qint64 out = onField[side][role];
        if (bench[side].isEmpty() || replaced[side].size() >= 3 || !out)
            return false;
        const qint64 in = bench[side].takeFirst();
        onField[side][role] = in;
        WorldLineupEntry sub{role, in, role, 0, rng.Range(2, 10) * 0.5};
        replacements[side].append(sub);
        double outStars = 0;
        for (const WorldLineupEntry& e : sides[side]->lineup)
            if (e.playerId == out)
                outStars = e.stars;
        replaced[side].append({19 + static_cast<int>(replaced[side].size()), out, role, 0, outStars});
        add(minute, out, teams[side]->id, in, type, why.arg(link(out), link(in)));
        return true;
    };

    int score[2] = {0, 0};
    QMap<int, qint64> tagged;
    bool halfTimeDone = false;
    auto halfTime = [&]() {
        add(45, 0, 0, 0, 45,
            QString(
                "The referee blows for half-time. The score is %1.<BR><BR>&bull;&nbsp;The players head for "
                "the dressing rooms.")
                .arg(ScoreText(score[0], score[1])));
        if (possession[0] == 50)
            add(45, 0, 0, 50, 47, "Neither team dominated the half: both had 50% possession.<br /><br />");
        else
            add(45, 0, teams[dominant[0]]->id, possession[0], 40,
                QString("%1 dominated the half with %2% possession.<br /><br />")
                    .arg(teamLink(dominant[0]))
                    .arg(possession[0]));
        add(46, 0, 0, 0, 597, "The second half is under way.");
        halfTimeDone = true;
    };
    for (const Incident& c : inc) {
        if (c.minute > 45 && !halfTimeDone)
            halfTime();
        const int s = c.side;
        const int team = teams[s]->id;
        switch (c.kind) {
        case Kind::Chance: {
            const int role = pick(s, 6, 11);
            const qint64 p = onField[s][role];
            if (!p)
                break;
            int type;
            if (c.chance == 0)
                type = NormalChanceType(c.goal, s == 0, score[s], score[1 - s], c.route);
            else if (c.chance == 1)
                type = c.goal ? kSpecialGoals[c.type] : kSpecialMisses[c.type];
            else
                type = (c.goal ? 140 : 240) + c.route;
            if (c.goal)
                ++score[s];
            const QString sc = ScoreText(score[0], score[1]);
            QString text;
            if (c.goal && c.chance == 0) {
                const QString templates[] = {
                    "%1 of %2 curled the free kick over the wall. The score is now %3.",
                    "After a fine move through the middle, %1 shot past the keeper of %2: %3.",
                    "%2 attacked down the left wing and %1 finished the cross: %3.",
                    "%1 broke free on the right and fired in the goal that made it %3 for %2.",
                    "Penalty for %2! %1 sent the keeper the wrong way: %3."};
                text = templates[c.route].arg(link(p), teamLink(c.route == 1 ? 1 - s : s), sc);
            } else if (c.goal && c.chance == 1) {
                text =
                    QString(
                        "%1 of %2 surprised everybody with a moment of individual brilliance and scored: %3.")
                        .arg(link(p), teamLink(s), sc);
            } else if (c.goal) {
                text = QString("A quick counter-attack by %2 ended with %1 scoring: %3.")
                           .arg(link(p), teamLink(s), sc);
            } else if (c.route == 4 && c.chance == 0) {
                text = QString("Penalty for %2! %1 hit the post.<BR><BR>&bull;&nbsp;What a let-off for the "
                               "defence.")
                           .arg(link(p), teamLink(s));
            } else {
                text =
                    QString("%1 had a great chance for %2, but the keeper saved.").arg(link(p), teamLink(s));
            }
            add(c.minute, p, team, 0, type, text);
            break;
        }
        case Kind::Yellow:
        case Kind::SecondYellow: {
            qint64 p = c.tag ? tagged.value(c.tag) : 0;
            if (!p) {
                const int role = c.role && onField[s][c.role] ? c.role : pick(s, 2, 9);
                p = onField[s][role];
                if (c.tag)
                    tagged.insert(c.tag, p);
            }
            if (!p)
                break;
            if (c.kind == Kind::SecondYellow) {
                add(c.minute, p, team, 0, c.type,
                    QString("%1 saw his second yellow card and was sent off!").arg(link(p)));
                for (int r = 1; r <= 11; ++r)
                    if (onField[s][r] == p)
                        onField[s][r] = 0;
            } else {
                add(c.minute, p, team, 0, c.type,
                    QString("%1 received a yellow card %2.")
                        .arg(link(p), c.type == 510 ? "after a nasty tackle" : "for diving"));
            }
            break;
        }
        case Kind::StraightRed: {
            const int role = pick(s, 2, 5);
            const qint64 p = onField[s][role];
            add(c.minute, p, team, 0, 514, QString("%1 was sent off with a straight red card!").arg(link(p)));
            onField[s][role] = 0;
            break;
        }
        case Kind::Injury: {
            const int role = c.role && onField[s][c.role] ? c.role : pick(s, 2, 11);
            const qint64 p = onField[s][role];
            if (c.type == 90)
                add(c.minute, p, team, 0, 90,
                    QString("%1 was hurt in a tackle but can play on.").arg(link(p)));
            else
                replace(s, role, c.minute, c.type,
                        "%1 was injured and had to leave the pitch. %2 came on to replace him.");
            break;
        }
        case Kind::Substitution:
            replace(s, c.role ? c.role : pick(s, 6, 11), c.minute, c.type, "%2 came on for %1.");
            break;
        case Kind::Possession:
            break;
        }
    }
    if (!halfTimeDone)
        halfTime();
    const qsizetype secondHalfPossession = ev.size();
    if (possession[1] == 50)
        add(90, 0, 0, 50, 47, "Neither team dominated the second half: both had 50% possession.<br /><br />");
    else
        add(90, 0, teams[dominant[1]]->id, possession[1], 40,
            QString("%1 dominated the second half with %2% possession.<br /><br />")
                .arg(teamLink(dominant[1]))
                .arg(possession[1]));
    m.endMinute = 90 + rng.Range(0, 3);
    if (script == MatchScript::DemoRound)
        m.endMinute = 90; // a match that ends without added time
    // As in the game, the second half's possession is told at the final whistle, in its added time.
    ev[secondHalfPossession].minute = m.endMinute;
    const QString verdict =
        score[0] == score[1]
            ? QString("The points are shared.")
            : QString("A well-deserved win for %1.").arg(teamLink(score[0] > score[1] ? 0 : 1));
    add(m.endMinute, 0, 0, 0, 599,
        QString("The referee ends the match: %1.<br /><br />&bull;&nbsp;%2")
            .arg(ScoreText(score[0], score[1]), verdict));

    // The final line-ups: starters with their replacements after them, set pieces, captain, replaced players.
    for (int s = 0; s < 2; ++s) {
        QVector<WorldLineupEntry> final;
        for (const WorldLineupEntry& e : sides[s]->lineup) {
            final.append(e);
            for (const WorldLineupEntry& r : replacements[s])
                if (r.role == e.role)
                    final.append(r);
        }
        const WorldLineupEntry& setPieces = sides[s]->lineup[rng.Range(5, 10)];
        const WorldLineupEntry& captain = sides[s]->lineup[rng.Range(1, 10)];
        final.append({17, setPieces.playerId, setPieces.positionCode, 0, setPieces.stars});
        final.append({18, captain.playerId, captain.positionCode, 0, captain.stars});
        final += replaced[s];
        sides[s]->lineup = final;
    }
}
