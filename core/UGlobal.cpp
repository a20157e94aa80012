#include "core/UGlobal.h"

#include "core/Settings.h"
#include "core/UPaises.h"
#include "platform/Shell.h"

#include <QDir>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace {

QString twoDigits(int value) {
    QString text = QString::number(value);
    if (text.length() == 1)
        text.prepend(QLatin1Char('0'));
    return text;
}

// Year (characters 1-4), month (6-7) and day (9-10) of a "yyyy-mm-dd" text; invalid when unreadable.
QDate dateOfText(const QString& text) {
    bool okYear = false, okMonth = false, okDay = false;
    const int year = text.mid(0, 4).toInt(&okYear);
    const int month = text.mid(5, 2).toInt(&okMonth);
    const int day = text.mid(8, 2).toInt(&okDay);
    if (!okYear || !okMonth || !okDay)
        return {};
    return QDate(year, month, day);
}

bool allDigits(const QString& text) {
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

} // namespace

QString CurrentDirectory() {
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    if (ec)
        return {};
    return QString::fromStdString(path.string());
}

QString BrowserExecutableFromCommand(const QString& command) {
    if (command.startsWith(QLatin1Char('"'))) {
        const qsizetype close = command.indexOf(QLatin1Char('"'), 1);
        // An unterminated quote: the rest of the command is the path.
        return close < 0 ? command.mid(1) : command.mid(1, close - 1);
    }
    const qsizetype blank = command.indexOf(QLatin1Char(' '));
    return blank < 0 ? command : command.left(blank);
}

QString DefaultBrowserPath() {
    const QString command = Shell::DefaultBrowserCommand().trimmed();
    if (command.isEmpty())
        return QStringLiteral("ERROR");
    return BrowserExecutableFromCommand(command);
}

bool IsPlainBrowserExecutable(const QString& Executable) {
    // Launchers that need the rest of their command line to start a browser (a snap's "env VAR=...
    // /snap/bin/x", "flatpak run ...", a shell's "-c"): given the address alone they open nothing.
    static const QStringList launchers = {QStringLiteral("env"),  QStringLiteral("flatpak"),
                                          QStringLiteral("snap"), QStringLiteral("sh"),
                                          QStringLiteral("bash"), QStringLiteral("dash")};
    const QString name = Executable.mid(Executable.lastIndexOf(QLatin1Char('/')) + 1);
    return !name.isEmpty() && !Executable.contains(QLatin1Char('=')) && !launchers.contains(name);
}

void OpenUrl(const QString& Url, const QString& Mode) {
    QString address = Shell::EncodeAddress(Url.trimmed());
    if (Mode == QLatin1String("nuevaVentana")) {
        // A club's home page is often written without its scheme ("www.club.org"); the browser
        // took it as a web address, so it stays one here.
        if (QUrl(address).scheme().isEmpty() && !address.isEmpty())
            address.prepend(QLatin1String("http://"));
        // Only web addresses reach the browser, and always as one argument, so that a text set
        // by someone else can neither start a local file nor add options to the browser.
        if (!Shell::IsWebAddress(address))
            return;
        const QString browser = DefaultBrowserPath();
        if (browser != QLatin1String("ERROR") && IsPlainBrowserExecutable(browser) &&
            Shell::StartProgram(browser, {address}))
            return;
        // Without a default browser that can be started with the address alone, the desktop's
        // handler opens it.
        Shell::OpenAddress(address);
        return;
    }
    Shell::OpenAddress(address); // refuses anything but http(s) and mailto:
}

QString NormalDateHattrick(const QDateTime& Date) {
    if (!Date.isValid())
        return {};
    const QDate day = Date.date();
    QString text = QString::number(day.year()) + QLatin1Char('-') + twoDigits(day.month()) +
                   QLatin1Char('-') + twoDigits(day.day());
    const QTime time = Date.time();
    if (time != QTime(0, 0))
        text += QLatin1Char(' ') + twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute());
    return text;
}

QString SeasonWeekText(const QString& CountryName, const QString& DateText) {
    const QDate start = dateOfText(LeagueSeasonStart(CountryName));
    const QDate date = dateOfText(DateText);
    // An unreadable date has no season: the callers show and store an empty text.
    if (!start.isValid() || !date.isValid())
        return {};
    const qint64 days = start.daysTo(date); // negative before the start, left so
    const qint64 season = days / 112 + 1;
    const qint64 week = (days % 112) / 7 + 1;
    return twoDigits(int(season)) + QLatin1Char('-') + twoDigits(int(week));
}

SeasonWeek SplitSeasonWeek(const QString& seasonWeekText) {
    // The separator is the first hyphen after the first character, so that a negative season
    // (a date before the start) keeps its sign.
    const qsizetype hyphen = seasonWeekText.indexOf(QLatin1Char('-'), 1);
    if (hyphen < 0)
        return {seasonWeekText, QString()};
    return {seasonWeekText.left(hyphen), seasonWeekText.mid(hyphen + 1)};
}

void EnsureXmlFolder(const QString& Name) {
    // The name is a team ID; one that would leave the cache folder is not created.
    if (Name.contains(QLatin1Char('/')) || Name.contains(QLatin1Char('\\')) || Name == QLatin1String(".") ||
        Name == QLatin1String(".."))
        return;
    QDir().mkpath(AppDir + QLatin1String("data/Xml/") + Name);
}

QString FixDecimalSeparator(const QString& NumberText) {
    // Numbers are converted in the C locale throughout the program (QString::toDouble), so its
    // separator "." is the one a following conversion reads.
    const QChar separator = QLatin1Char('.');
    QString text = NumberText;
    qsizetype at = text.indexOf(QLatin1Char('.'));
    if (at < 0)
        at = text.indexOf(QLatin1Char(','));
    if (at >= 0)
        text[at] = separator;
    return text;
}

QString PadWithZeros(const QString& Text, int Width) {
    return Text.length() >= Width ? Text : QString(Width - Text.length(), QLatin1Char('0')) + Text;
}

QString PadWithSpaces(const QString& Text, int Width) {
    return Text.length() >= Width ? Text : QString(Width - Text.length(), QLatin1Char(' ')) + Text;
}

QString StripBlanks(const QString& Text) {
    QString text = Text;
    text.remove(QLatin1Char(' '));
    return text;
}

QString LeftToRight(const QString& Text) {
    return QChar(0x2066) + Text + QChar(0x2069); // left-to-right isolate ... pop directional isolate
}

QString AlignNumberText(const QString& NumberText) {
    QString text = StripBlanks(NumberText);
    const qsizetype n = text.length();
    const int width = (n >= 1 && n <= 8) ? int(17 - n) : 10;
    if (n > 3)
        text.insert(n - 3, QLatin1Char(' '));
    if (n > 6)
        text.insert(n - 6, QLatin1Char(' '));
    if (text.length() <= width)
        text = PadWithSpaces(text, width + 1);
    return text;
}

QChar FilterNumericKey(const QString& Text, QChar Key, qint64 Max) {
    if (Key == QChar(8) || Key == QLatin1Char('.'))
        return Key;
    const QString number = QLatin1Char('0') + Text + Key;
    if (!allDigits(number))
        return QChar(0);
    bool ok = false;
    const qint64 value = number.toLongLong(&ok); // false on overflow
    return ok && value <= Max ? Key : QChar(0);
}

QString NumberText(const QString& Text) {
    const QString digits = Text.trimmed();
    if (!IsDecimalDigits(digits) || digits.size() > 18)
        return QString();
    return QString::number(digits.toLongLong());
}

std::optional<qint64> BoundedCount(const QString& Text, qint64 Max) {
    const QString number = NumberText(Text);
    if (number.isEmpty())
        return std::nullopt;
    const qint64 value = number.toLongLong();
    if (value > Max)
        return std::nullopt;
    return value;
}

QString AnswerName(const QString& Text) {
    return Text.left(kMaxAnswerNameLength);
}

bool IsDecimalDigits(const QString& Text) {
    if (Text.isEmpty())
        return false;
    for (const QChar c : Text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
