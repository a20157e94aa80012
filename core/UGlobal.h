#pragma once
// Small free functions used all over the program: dates, season and week, padding and alignment of
// table numbers, the numeric key filter of edits, the cell colour palette and opening web addresses.
#include <QChar>
#include <QDateTime>
#include <QString>
#include <optional>

// Cell colours as $BBGGRR values (blue in the high byte).
constexpr unsigned ColorLightGreen = 0xDDFFDD;
constexpr unsigned ColorLightYellow = 0xDDFFFF;
constexpr unsigned ColorLightRed = 0xDDDDFF;
constexpr unsigned ColorLightOrange = 0xBBEEFF;
constexpr unsigned ColorLightMagenta = 0xFFAAFF;
constexpr unsigned ColorPaleGreen = 0xAAFFAA;
constexpr unsigned ColorPaleRed = 0xAAAAFF;
constexpr unsigned ColorLightBlue = 0xFFAA88;
constexpr unsigned ColorGreen = 0x00CC00;
constexpr unsigned ColorRed = 0x0000CC;

// The process's current directory; empty when it cannot be read.
QString CurrentDirectory();

// The executable of the desktop's default web browser, or "ERROR" when it is not known.
QString DefaultBrowserPath();
// The first item of a browser command line: the text between a leading double quote and the next
// one, else the text up to the first blank (the whole text when it has none).
QString BrowserExecutableFromCommand(const QString& command);

// False for a browser command's first item that cannot start a browser with the address alone: a
// launcher such as env (snaps), flatpak or a shell.
bool IsPlainBrowserExecutable(const QString& Executable);

// Opens a web address: mode "nuevaVentana" starts the default browser on it (a new window) when its
// command is a plain executable, any other mode (or another browser command) hands it to the
// desktop's handler. Blanks, "|" and braces are percent-encoded; only http(s) addresses (and mailto:
// through the handler) are opened; failures are not reported.
void OpenUrl(const QString& Url, const QString& Mode);

// "yyyy-mm-dd", plus " hh:nn" when the time of day is not midnight.
QString NormalDateHattrick(const QDateTime& Date);

// Season and week of DateText ("yyyy-mm-dd...") counted from the country's first season start,
// each at least two digits, joined by "-".
QString SeasonWeekText(const QString& CountryName, const QString& DateText);

// A season-week text split at its hyphen ("101-03" gives 101 and 3): unlike fixed character
// positions this reads seasons of three digits right. Parts that are missing come back empty.
struct SeasonWeek {
    QString Season;
    QString Week;
};
SeasonWeek SplitSeasonWeek(const QString& seasonWeekText);

// Creates AppDir + "data/Xml/" + Name when it does not exist; failures are ignored.
void EnsureXmlFolder(const QString& Name);

// The first "." (or, without one, the first ",") replaced by the decimal separator of the program's
// number conversions, which use the C locale: "." (so QString::toDouble reads the result).
QString FixDecimalSeparator(const QString& NumberText);

QString PadWithZeros(const QString& Text, int Width);  // "0" prefixed up to Width (0..255)
QString PadWithSpaces(const QString& Text, int Width); // " " prefixed up to Width (0..65535)
QString StripBlanks(const QString& Text);              // every " " removed
// True for a non-empty text of ASCII decimal digits only: what may go into a request or a file name as an ID.
bool IsDecimalDigits(const QString& Text);
// A value of the service that must be a number (an ID, a minute, a count), read as one: its decimal
// digits without blanks around them or leading zeros; "" when the text is not a whole number of at most
// 18 digits. What the service sends in such a place is shown only through this.
QString NumberText(const QString& Text);
// A count or code of the service read as a whole number from 0 to Max (blanks around it allowed);
// nothing otherwise.
std::optional<qint64> BoundedCount(const QString& Text, qint64 Max);
// A name read from an answer (a team, a player, a league): cut at kMaxAnswerNameLength characters, so a
// hostile answer's 10,000-character name costs no more than a real one wherever it is stored or shown.
constexpr int kMaxAnswerNameLength = 200;
QString AnswerName(const QString& Text);

// A number grouped by thousands and padded with blanks for a right-aligned table cell.
QString AlignNumberText(const QString& NumberText);
// A number, date or time shown after a translated word: kept in its own left-to-right order when the
// interface reads right to left, where "8 475" would otherwise show as "475 8" (invisible otherwise).
QString LeftToRight(const QString& Text);

// Key filter of numeric edits: Backspace and "." pass; any other key passes only when
// "0" + Text + Key reads as an integer not above Max; otherwise the null character (key cancelled).
QChar FilterNumericKey(const QString& Text, QChar Key, qint64 Max);
