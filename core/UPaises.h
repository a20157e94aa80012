#pragma once
// Fixed tables of the game's leagues (one per country), indexed by the game's league number 1..154,
// and the lookups built on them.
#include <QString>

constexpr int LeagueCount = 154;

// Entry LeagueID (1..LeagueCount) of each table; empty outside the range and for unused numbers.
QString LeagueNames(int LeagueID);     // the league name as the game writes it
QString NationalTeamIds(int LeagueID); // team ID of the national team
QString U20TeamIds(int LeagueID);      // team ID of the under-20 national team

// The league number of a country name, compared with blanks removed; 35 when none matches
// (also for an empty or blank name). A name containing "eská republika" gives 46.
int LeagueIdFromCountry(const QString& CountryName);

// The date ("yyyy-mm-dd") on which the country's first season began; names compare exactly.
QString LeagueSeasonStart(const QString& CountryName);
