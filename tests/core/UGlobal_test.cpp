#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/Shell.h"
#include "support/TestHelpers.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

// The date `days` days after a "yyyy-mm-dd" start, as a "yyyy-mm-dd" text.
QString daysAfter(const char* start, int days) {
    return QDate::fromString(QString::fromLatin1(start), Qt::ISODate).addDays(days).toString(Qt::ISODate);
}
} // namespace

// Sverige started on 1997-09-20, Norge on 2001-02-03, unknown countries on 2001-05-26. Before the start
// the days are negative and not corrected; an unreadable date has no season; a season of three digits
// is split at the hyphen.
TEST(UGlobal, SeasonWeekTextAroundSeasonBoundaries) {
    // clang-format off
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"Sverige", "1997-09-20", 0, "01-01"}, {"Sverige", "1997-09-20", 6, "01-01"},
        {"Sverige", "1997-09-20", 7, "01-02"}, {"Sverige", "1997-09-20", 111, "01-16"},
        {"Sverige", "1997-09-20", 112, "02-01"}, {"Atlantis", "2001-05-26", 112 * 9 + 21, "10-04"},
        {"Norge", "2001-02-03", 0, "01-01"}, {"Sverige", "1997-09-20", -1, "01-01"},
        {"Sverige", "1997-09-20", -8, "01-00"}, {"Sverige", "1997-09-20", 99 * 112 + 14, "100-03"},
        {"Sverige", "1997-09-20", 98 * 112 + 111, "99-16"}};
    const std::tuple<const char*, const char*, const char*> splits[] = {
        {"100-03", "100", "03"}, {"99-16", "99", "16"}, {"07-12", "07", "12"}, {"", "", ""}, {"00", "00", ""}};
    // clang-format on
    for (const auto& [country, start, days, text] : cases)
        EXPECT_EQ(SeasonWeekText(country, daysAfter(start, days)), text) << days;
    // A date with its time of day, as the service writes it.
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 112) + " 14:07:00"), "02-01");
    for (const char* unreadable : {"", "2009-02-30", "yesterday"})
        EXPECT_EQ(SeasonWeekText("Sverige", unreadable), "") << unreadable;
    for (const auto& [text, season, week] : splits) {
        EXPECT_EQ(SplitSeasonWeek(text).Season, season) << text;
        EXPECT_EQ(SplitSeasonWeek(text).Week, week) << text;
    }
}

// Numbers grouped by three and padded to their width; longer ones are not padded. Already aligned text
// (a stored crowd) comes back the same. The league table cuts 12 characters off the front.
TEST(UGlobal, NumberAndDateTexts) {
    // clang-format off
    ExpectAll({{AlignNumberText("5"), blanks(16) + "5"}, {AlignNumberText("12"), blanks(14) + "12"},
               {AlignNumberText("123"), blanks(12) + "123"}, {AlignNumberText("1234"), blanks(9) + "1 234"},
               {AlignNumberText("123456"), blanks(5) + "123 456"},
               {AlignNumberText("1234567"), "  1 234 567"},
               {AlignNumberText("12345678"), "12 345 678"}, {AlignNumberText("123456789"), "123 456 789"},
               {AlignNumberText(""), blanks(11)}, {AlignNumberText("+5"), blanks(14) + "+5"},
               {AlignNumberText(AlignNumberText("45678")), AlignNumberText("45678")},
               {AlignNumberText(" 1 234 567 "), "  1 234 567"}, {AlignNumberText("7").mid(12), "    7"},
               {AlignNumberText("17").mid(12), "  17"}, {PadWithZeros("7", 3), "007"},
               {PadWithZeros("1234", 3), "1234"}, {PadWithZeros("", 2), "00"},
               {PadWithSpaces("42", 5), "   42"}, {PadWithSpaces("abcdef", 5), "abcdef"},
               {StripBlanks(" 1 2  3 "), "123"}, {FixDecimalSeparator("1,5"), "1.5"},
               {FixDecimalSeparator("10.25"), "10.25"}, {FixDecimalSeparator("1,2,3"), "1.2,3"},
               {FixDecimalSeparator("12"), "12"},
               // A date at midnight has no time of day; seconds are dropped.
               {NormalDateHattrick(QDateTime(QDate(2009, 3, 5), QTime(0, 0))), "2009-03-05"},
               {NormalDateHattrick(QDateTime(QDate(2010, 11, 25), QTime(9, 0, 30))), "2010-11-25 09:00"}});
    // clang-format on
    // Values the service sends where a number belongs: only a whole number is taken, and as one.
    // clang-format off
    for (const auto& [in, out] : {std::pair{"12", "12"}, {" 90 \r\n", "90"}, {"007", "7"}, {"0", "0"},
                                  {"123456789012345678", "123456789012345678"}})
        EXPECT_EQ(NumberText(in), out) << in;
    // clang-format on
    for (const char* in : {"", "-3", "12'", "1e3", "4 5", "<b>1</b>", "\xd9\xa3", "1234567890123456789"})
        EXPECT_EQ(NumberText(QString::fromUtf8(in)), "") << in;
}

// A key typed into a number edit: digits, backspace and "." pass while the number stays an integer of
// at most the maximum.
TEST(UGlobal, FilterNumericKey) {
    // clang-format off
    const std::tuple<const char*, QChar, QChar> cases[] = {
        {"655", '3', '3'}, {"", '8', '8'}, {"655", 'a', QChar(0)}, {"655", QChar(8), QChar(8)}, {"655", '.', '.'},
        {"200000", '0', '0'}, {"2000000", '0', QChar(0)}, {"20000", '1', '1'}, {"2000000", '1', QChar(0)},
        {"8.0", '1', QChar(0)}, {"65", ' ', QChar(0)}, {"x1F", '0', QChar(0)},
        {"123456789012345678901234567890", '1', QChar(0)}};
    // clang-format on
    for (const auto& [text, key, result] : cases)
        EXPECT_EQ(FilterNumericKey(text, key, 2000000), result) << text << " " << int(key.unicode());
    ExpectAll({{BrowserExecutableFromCommand("\"/opt/My Browser/browser\" --new-window %u"),
                "/opt/My Browser/browser"},
               {BrowserExecutableFromCommand("firefox %u"), "firefox"},
               {BrowserExecutableFromCommand("/usr/bin/browser"), "/usr/bin/browser"},
               {BrowserExecutableFromCommand("\"/opt/unterminated path"), "/opt/unterminated path"}});
}

// The team's folder is made once; a name that is no team ID makes nothing outside the cache.
TEST(UGlobal, EnsureXmlFolderCreatesTheTeamFolder) {
    QTemporaryDir dir;
    const QString saved = AppDir;
    AppDir = dir.path() + "/";
    for (const char* name : {"123456", "123456", "..", "../../escape"})
        EnsureXmlFolder(name);
    EXPECT_TRUE(QDir(dir.path() + "/data/Xml/123456").exists());
    EXPECT_FALSE(QDir(dir.path() + "/escape").exists());
    AppDir = saved;
}

class OpenUrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::SetOpener([this](const QString& address) { return opened << address, true; });
        Shell::SetLauncher([this](const QString& program, const QStringList& args) {
            return launched << program + " | " + args.join(" | "), true;
        });
        Shell::SetBrowserCommandSource([this] { return browserCommand; });
    }
    void TearDown() override {
        Shell::SetOpener({});
        Shell::SetLauncher({});
        Shell::SetBrowserCommandSource({});
    }
    QStringList opened, launched;
    QString browserCommand = "\"/opt/My Browser/browser\" %u";
};

// Only web and mail addresses reach the desktop's handler; a new window starts the default browser with
// the address as its one argument; blanks, bars and braces are percent-encoded.
TEST_F(OpenUrlTest, OnlyWebAndMailAddressesAreOpened) {
    for (const char* address :
         {"http://www.example.org/page?x=1", "https://www.example.org", "mailto:a@example.org",
          "javascript:alert(1)", "file:///etc/passwd", "/usr/bin/xterm", "ftp://example.org", "", "http://",
          " http://www.club.org/my page|{x} "})
        OpenUrl(address, "");
    EXPECT_EQ(opened, QStringList({"http://www.example.org/page?x=1", "https://www.example.org",
                                   "mailto:a@example.org", "http://www.club.org/my%20page%7C%7Bx%7D"}));
    EXPECT_FALSE(Shell::OpenAddress("file:///etc/passwd"));
    opened.clear();
    EXPECT_EQ(DefaultBrowserPath(), "/opt/My Browser/browser");
    // A home page written without its scheme is a web address; a text that is no address is never
    // handed over, so it cannot add browser options.
    for (const char* address :
         {"http://www.club.org", "www.club.org", "http://x.org\" --flag", "http://www.club.org/a b",
          "mailto:a@example.org", "file:///etc/passwd", "javascript:alert(1)"})
        OpenUrl(address, "nuevaVentana");
    EXPECT_EQ(launched, QStringList({"/opt/My Browser/browser | http://www.club.org",
                                     "/opt/My Browser/browser | http://www.club.org",
                                     "/opt/My Browser/browser | http://www.club.org/a%20b"}));
    EXPECT_TRUE(opened.isEmpty());
    // Without a default browser, or with a snap or flatpak launcher that needs its whole command line,
    // the desktop's handler opens it.
    launched.clear();
    opened.clear();
    browserCommand.clear();
    EXPECT_EQ(DefaultBrowserPath(), "ERROR");
    OpenUrl("http://www.club.org", "nuevaVentana");
    for (const char* command :
         {"env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop "
          "/snap/bin/firefox %u",
          "/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=launch-script.sh --file-forwarding "
          "org.example.Browser @@u %u @@"}) {
        browserCommand = command;
        OpenUrl("http://www.club.org", "nuevaVentana");
    }
    EXPECT_TRUE(launched.isEmpty()) << launched.join(", ").toStdString();
    EXPECT_EQ(opened, QStringList(3, "http://www.club.org"));
    EXPECT_TRUE(IsPlainBrowserExecutable("/usr/bin/firefox"));
    EXPECT_FALSE(IsPlainBrowserExecutable("/usr/bin/env"));
}

// The default browser comes from the desktop's mimeapps.list and the entry it names, without running
// any helper program.
TEST_F(OpenUrlTest, TheDefaultBrowserIsReadFromTheDesktopFiles) {
    QTemporaryDir home;
    // clang-format off
    const char* vars[][2] = {{"XDG_CONFIG_HOME", "config"}, {"XDG_CONFIG_DIRS", "etc"}, {"XDG_DATA_HOME", "data"},
                             {"XDG_DATA_DIRS", "share"}, {"XDG_CURRENT_DESKTOP", ""}};
    // clang-format on
    for (const auto& [name, folder] : vars)
        qputenv(name, *folder ? home.filePath(folder).toUtf8() : QByteArray("Test:Other"));
    auto write = [&home](const char* relative, const QByteArray& text) {
        WriteBytes(home.filePath(relative), text);
    };
    // The user's list (before the system's) names one entry that is not installed, then a snap.
    write("config/mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=gone.desktop;snap.desktop;\n");
    write("etc/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=plain.desktop\n");
    write("share/applications/snap.desktop", "[Desktop Entry]\nExec=env A=x.desktop /snap/bin/b %u\n"
                                             "[Desktop Action new-window]\nExec=/snap/bin/b --new-window\n");
    write("share/applications/plain.desktop", "[Desktop Entry]\nExec=/usr/bin/plain %u\n");
    Shell::SetBrowserCommandSource({});
    EXPECT_EQ(Shell::DefaultBrowserCommand(), "env A=x.desktop /snap/bin/b %u");
    OpenUrl("http://www.club.org", "nuevaVentana");
    EXPECT_EQ(opened, QStringList({"http://www.club.org"}));
    // The current desktop's own list comes first: a plain browser, started with the address.
    write("config/test-mimeapps.list", "[Default Applications]\nx-scheme-handler/http=plain.desktop\n");
    OpenUrl("http://www.club.org", "nuevaVentana");
    EXPECT_EQ(launched, QStringList({"/usr/bin/plain | http://www.club.org"}));
    for (const auto& [name, folder] : vars)
        qunsetenv(name); // the other tests give their own browser command
}
