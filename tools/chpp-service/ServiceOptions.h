#pragma once
// Command line of velkaro-service and the clock texts shared with the control path.
#include <QDateTime>
#include <QString>
#include <optional>

struct ServiceOptions {
    int port = 0;       // 0: a free port, printed as the first line of standard output
    double speed = 1.0; // match minutes per real minute; 0 stops the clock
    QString start;      // clock start as given (empty: the world's default start)
    QString logFile;    // one line per request; empty: no log
    QString pageVersion = QStringLiteral("0126000"); // the version the version page announces
    bool help = false;
};

// Parses the arguments after the program name. On failure returns nothing and sets `error`.
std::optional<ServiceOptions> ParseServiceOptions(int argc, char** argv, QString& error);

// The text printed by --help.
QString ServiceHelpText();

// A clock position: "YYYY-MM-DD HH:MM:SS", or an offset from `defaultStart` written as a sign, a
// whole number and a unit s, m, h or d ("-10m", "+90m", "+2d"); "" and "0" are `defaultStart`.
// The absolute form takes the time zone of `defaultStart`.
std::optional<QDateTime> ParseClockText(const QString& text, const QDateTime& defaultStart);
