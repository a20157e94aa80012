#include "ServiceOptions.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace {

// Far beyond any demo, and small enough that the clock's arithmetic cannot overflow.
constexpr double kMaxSpeed = 100000;

bool TakeValue(int argc, char** argv, int& i, QString& value, QString& error) {
    const QString name = QString::fromLocal8Bit(argv[i]);
    if (i + 1 >= argc) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return false;
    }
    value = QString::fromLocal8Bit(argv[++i]);
    return true;
}

} // namespace

std::optional<ServiceOptions> ParseServiceOptions(int argc, char** argv, QString& error) {
    ServiceOptions options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--port")) {
            if (!TakeValue(argc, argv, i, value, error))
                return std::nullopt;
            bool ok = false;
            options.port = value.toInt(&ok);
            if (!ok || options.port < 0 || options.port > 65535) {
                error = QStringLiteral("--port: not a port number: %1").arg(value);
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--speed")) {
            if (!TakeValue(argc, argv, i, value, error))
                return std::nullopt;
            bool ok = false;
            options.speed = value.toDouble(&ok);
            if (!ok || !std::isfinite(options.speed) || options.speed < 0 || options.speed > kMaxSpeed) {
                error = QStringLiteral("--speed: not a number from 0 to %1: %2").arg(kMaxSpeed).arg(value);
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--start")) {
            if (!TakeValue(argc, argv, i, options.start, error))
                return std::nullopt;
            // Checked against any start, so that a bad text fails before the world is built.
            if (!ParseClockText(options.start, QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC))) {
                error = QStringLiteral("--start: not \"YYYY-MM-DD HH:MM:SS\" nor an offset such as -10m: %1")
                            .arg(options.start);
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--log")) {
            if (!TakeValue(argc, argv, i, options.logFile, error))
                return std::nullopt;
        } else if (arg == QLatin1String("--page-version")) {
            if (!TakeValue(argc, argv, i, options.pageVersion, error))
                return std::nullopt;
        } else {
            error = QStringLiteral("unknown option: %1 (see --help)").arg(arg);
            return std::nullopt;
        }
    }
    return options;
}

std::optional<QDateTime> ParseClockText(const QString& text, const QDateTime& defaultStart) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("0"))
        return defaultStart;
    static const QRegularExpression offset(QStringLiteral("^([+-])(\\d{1,6})([smhd])$"));
    const QRegularExpressionMatch m = offset.match(t);
    if (m.hasMatch()) {
        qint64 seconds = m.captured(2).toLongLong();
        const QChar unit = m.captured(3).at(0);
        if (unit == QLatin1Char('m'))
            seconds *= 60;
        else if (unit == QLatin1Char('h'))
            seconds *= 3600;
        else if (unit == QLatin1Char('d'))
            seconds *= 86400;
        if (m.captured(1) == QLatin1String("-"))
            seconds = -seconds;
        return defaultStart.addSecs(seconds);
    }
    const QDateTime absolute = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!absolute.isValid())
        return std::nullopt;
    return QDateTime(absolute.date(), absolute.time(), defaultStart.timeZone());
}

QString ServiceHelpText() {
    return QStringLiteral(
        "Usage: velkaro-service [options]\n"
        "A local stand-in for the game service: answers the program's requests on 127.0.0.1.\n"
        "\n"
        "Options:\n"
        "  --port N            listen on port N of 127.0.0.1; 0 (the default) picks a free port.\n"
        "                      The port is always printed as the first line of standard output.\n"
        "  --speed F           match minutes per real minute (default 1; 0 stops the clock;\n"
        "                      60 plays a 90-minute match in 90 seconds).\n"
        "  --start WHEN        the service clock at start: \"YYYY-MM-DD HH:MM:SS\", or an offset from\n"
        "                      the scenario's default start (a few match minutes before the round of\n"
        "                      user \"demo\"): a sign, a number and s, m, h or d, e.g. -10m, +45m, +2d.\n"
        "  --log FILE          write one line per request (path and query, as sent) to FILE,\n"
        "                      truncated at start and flushed after every line.\n"
        "  --page-version V    the version the version page announces (default 0126000).\n"
        "  --help              print this text and exit.\n"
        "\n"
        "Users: \"demo\" with security code \"velkaro\" (and the scenario's other users).\n"
        "The servers request answers this service's own address as RecommendedURL.\n"
        "\n"
        "Live answers number events like the game (Index values rising with gaps, not from 0);\n"
        "addMatch answers every event so far, viewNew only what the user has not been sent yet.\n"
        "\n"
        "Paths:\n"
        "  /common/chpp/chppxml.axd?file=...   every CHPP file; login sets a session cookie and\n"
        "                                      other files need it (else the error document)\n"
        "  /DesignedMatchKits/...              kit pictures\n"
        "  /Logos/<teamID>.png                 club logos\n"
        "  /html/versionqz/versionqz.htm       the version page (body \"Version=\" + version)\n"
        "\n"
        "Control paths for tests (not logged, answer \"OK\" or 400 with the reason):\n"
        "  /_control/fault?kind=K[&count=N][&file=F][&seconds=S]\n"
        "      the next N requests (default 1) get fault K instead of their answer; with file=F\n"
        "      only CHPP requests of that file kind count. Faults queue in order. Kinds:\n"
        "        refused        an answer whose text is \"Connection refused\" (what the client\n"
        "                       retries); status 200\n"
        "        garbage        the normal answer followed by garbage after </HattrickData>\n"
        "        invalidxml     a document that does not parse\n"
        "        errordoc       the service's error document (code -1)\n"
        "        stall          wait S seconds (default 10, at most 120) before the normal answer\n"
        "        notfound       HTTP 404\n"
        "        drop           headers and half of the normal answer, then the connection closes\n"
        "        norecommended  a servers answer without RecommendedURL (servers requests only)\n"
        "        oldformat      the league file without its ActionType element, as older files\n"
        "                       were (leaguedetails and leaguefixtures requests only)\n"
        "      Two more kinds change only how the next N live answers give their events, as the\n"
        "      game may, and come on top of any other fault:\n"
        "        repeat         every event so far, also those the user was sent before\n"
        "        disorder       the events of each match out of their order\n"
        "  /_control/version?set=V             the version page announces V from now on\n"
        "  /_control/version?page=TEXT         the version page is TEXT, exactly (until the next set)\n"
        "  /_control/reset                     drop every queued fault\n"
        "  /_control/clock[?set=WHEN]          set the clock (the forms of --start); answers the\n"
        "                                      clock as \"YYYY-MM-DD HH:MM:SS\"\n"
        "\n"
        "SIGTERM or SIGINT stops the service cleanly (exit status 0).\n");
}
