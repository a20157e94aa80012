#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/Shell.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(UGlobal, NormalDateHattrickAddsTheTimeOnlyAfterMidnight) {
    EXPECT_EQ(NormalDateHattrick(QDateTime(QDate(2009, 3, 5), QTime(0, 0))), "2009-03-05");
    EXPECT_EQ(NormalDateHattrick(QDateTime(QDate(2009, 3, 5), QTime(14, 7))), "2009-03-05 14:07");
    EXPECT_EQ(NormalDateHattrick(QDateTime(QDate(2010, 11, 25), QTime(9, 0, 30))), "2010-11-25 09:00");
}

TEST(UGlobal, SeasonWeekTextAroundSeasonBoundaries) {
    // Sverige started on 1997-09-20.
    EXPECT_EQ(SeasonWeekText("Sverige", "1997-09-20"), "01-01");
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 6)), "01-01");
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 7)), "01-02");
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 111)), "01-16");
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 112)), "02-01");
    // A date with its time of day, as the service writes it.
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", 112) + " 14:07:00"), "02-01");
    // Unknown country: the 2001-05-26 leagues.
    EXPECT_EQ(SeasonWeekText("Atlantis", daysAfter("2001-05-26", 112 * 9 + 7 * 3)), "10-04");
    EXPECT_EQ(SeasonWeekText("Norge", daysAfter("2001-02-03", 0)), "01-01");
    // Before the start the days are negative and not corrected.
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", -1)), "01-01");
    EXPECT_EQ(SeasonWeekText("Sverige", daysAfter("1997-09-20", -8)), "01-00");
    // An unreadable date has no season.
    EXPECT_EQ(SeasonWeekText("Sverige", ""), "");
    EXPECT_EQ(SeasonWeekText("Sverige", "2009-02-30"), "");
    EXPECT_EQ(SeasonWeekText("Sverige", "yesterday"), "");
}

TEST(UGlobal, SeasonOfThreeDigitsSplitsAtTheHyphen) {
    const QString text = SeasonWeekText("Sverige", daysAfter("1997-09-20", 99 * 112 + 2 * 7));
    EXPECT_EQ(text, "100-03");
    const SeasonWeek sw = SplitSeasonWeek(text);
    EXPECT_EQ(sw.Season, "100");
    EXPECT_EQ(sw.Week, "03");

    const SeasonWeek early =
        SplitSeasonWeek(SeasonWeekText("Sverige", daysAfter("1997-09-20", 112 * 98 + 111)));
    EXPECT_EQ(early.Season, "99");
    EXPECT_EQ(early.Week, "16");

    EXPECT_EQ(SplitSeasonWeek("07-12").Season, "07");
    EXPECT_EQ(SplitSeasonWeek("07-12").Week, "12");
    EXPECT_EQ(SplitSeasonWeek("").Season, "");
    EXPECT_EQ(SplitSeasonWeek("").Week, "");
    EXPECT_EQ(SplitSeasonWeek("00").Week, "");
}

TEST(UGlobal, AlignNumberTextGroupsAndPads) {
    EXPECT_EQ(AlignNumberText("5"), blanks(16) + "5");
    EXPECT_EQ(AlignNumberText("12"), blanks(14) + "12");
    EXPECT_EQ(AlignNumberText("123"), blanks(12) + "123");
    EXPECT_EQ(AlignNumberText("1234"), blanks(9) + "1 234");
    EXPECT_EQ(AlignNumberText("123456"), blanks(5) + "123 456");
    EXPECT_EQ(AlignNumberText("1234567"), "  1 234 567");
    EXPECT_EQ(AlignNumberText("12345678"), "12 345 678");   // longer than its width 9
    EXPECT_EQ(AlignNumberText("123456789"), "123 456 789"); // longer than its width: not padded
    EXPECT_EQ(AlignNumberText(""), blanks(11));
    EXPECT_EQ(AlignNumberText("+5"), blanks(14) + "+5");
    // Already aligned text (a stored crowd) comes back the same.
    EXPECT_EQ(AlignNumberText(AlignNumberText("45678")), AlignNumberText("45678"));
    EXPECT_EQ(AlignNumberText(" 1 234 567 "), "  1 234 567");
    // The league table cuts its front: one digit keeps 4 blanks after 12 cut, two keep 2.
    EXPECT_EQ(AlignNumberText("7").mid(12), "    7");
    EXPECT_EQ(AlignNumberText("17").mid(12), "  17");
}

TEST(UGlobal, PaddingAndBlanks) {
    EXPECT_EQ(PadWithZeros("7", 3), "007");
    EXPECT_EQ(PadWithZeros("1234", 3), "1234");
    EXPECT_EQ(PadWithZeros("", 2), "00");
    EXPECT_EQ(PadWithSpaces("42", 5), "   42");
    EXPECT_EQ(PadWithSpaces("abcdef", 5), "abcdef");
    EXPECT_EQ(StripBlanks(" 1 2  3 "), "123");
}

// Values the service sends where a number belongs: only a whole number is taken, and as one.
TEST(UGlobal, NumberTextTakesWholeNumbersOnly) {
    for (const auto& [in, out] : {std::pair{"12", "12"},
                                  {" 90 \r\n", "90"},
                                  {"007", "7"},
                                  {"0", "0"},
                                  {"123456789012345678", "123456789012345678"}})
        EXPECT_EQ(NumberText(in), out) << in;
    for (const char* in : {"", "-3", "12'", "1e3", "4 5", "<b>1</b>", "\xd9\xa3", "1234567890123456789"})
        EXPECT_EQ(NumberText(QString::fromUtf8(in)), "") << in;
}

TEST(UGlobal, FixDecimalSeparatorReplacesTheFirstSeparator) {
    EXPECT_EQ(FixDecimalSeparator("1,5"), "1.5");
    EXPECT_EQ(FixDecimalSeparator("10.25"), "10.25");
    EXPECT_EQ(FixDecimalSeparator("1,2,3"), "1.2,3");
    EXPECT_EQ(FixDecimalSeparator("12"), "12");
    EXPECT_DOUBLE_EQ(FixDecimalSeparator("0,0625").toDouble(), 0.0625);
}

TEST(UGlobal, FilterNumericKey) {
    EXPECT_EQ(FilterNumericKey("655", '3', 2000000), QChar('3'));
    EXPECT_EQ(FilterNumericKey("", '8', 2000000), QChar('8'));
    EXPECT_EQ(FilterNumericKey("655", 'a', 2000000), QChar(0));
    EXPECT_EQ(FilterNumericKey("655", QChar(8), 2000000), QChar(8));
    EXPECT_EQ(FilterNumericKey("655", '.', 2000000), QChar('.'));
    EXPECT_EQ(FilterNumericKey("200000", '0', 2000000), QChar('0'));
    EXPECT_EQ(FilterNumericKey("2000000", '0', 2000000), QChar(0));
    EXPECT_EQ(FilterNumericKey("20000", '1', 2000000), QChar('1'));
    EXPECT_EQ(FilterNumericKey("2000000", '1', 2000000), QChar(0)); // 20000001 is above
    EXPECT_EQ(FilterNumericKey("8.0", '1', 2000000), QChar(0));     // no longer an integer
    EXPECT_EQ(FilterNumericKey("123456789012345678901234567890", '1', 2000000), QChar(0));
    EXPECT_EQ(FilterNumericKey("65", ' ', 2000000), QChar(0));
    EXPECT_EQ(FilterNumericKey("x1F", '0', 2000000), QChar(0));
}

TEST(UGlobal, BrowserExecutableFromCommand) {
    EXPECT_EQ(BrowserExecutableFromCommand("\"/opt/My Browser/browser\" --new-window %u"),
              "/opt/My Browser/browser");
    EXPECT_EQ(BrowserExecutableFromCommand("firefox %u"), "firefox");
    EXPECT_EQ(BrowserExecutableFromCommand("/usr/bin/browser"), "/usr/bin/browser");
    EXPECT_EQ(BrowserExecutableFromCommand("\"/opt/unterminated path"), "/opt/unterminated path");
}

TEST(UGlobal, EnsureXmlFolderCreatesTheTeamFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = AppDir;
    AppDir = dir.path() + "/";
    EnsureXmlFolder("123456");
    EXPECT_TRUE(QDir(dir.path() + "/data/Xml/123456").exists());
    EnsureXmlFolder("123456"); // already there: nothing happens
    EXPECT_TRUE(QDir(dir.path() + "/data/Xml/123456").exists());
    EnsureXmlFolder("..");
    EnsureXmlFolder("../../escape");
    EXPECT_FALSE(QDir(dir.path() + "/escape").exists());
    AppDir = saved;
}

class OpenUrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::SetOpener([this](const QString& address) {
            opened << address;
            return true;
        });
        Shell::SetLauncher([this](const QString& program, const QStringList& args) {
            launched << program + " | " + args.join(" | ");
            return true;
        });
        Shell::SetBrowserCommandSource([this] { return browserCommand; });
    }
    void TearDown() override {
        Shell::SetOpener({});
        Shell::SetLauncher({});
        Shell::SetBrowserCommandSource({});
    }
    QStringList opened;
    QStringList launched;
    QString browserCommand = "\"/opt/My Browser/browser\" %u";
};

TEST_F(OpenUrlTest, OnlyWebAndMailAddressesReachTheHandler) {
    OpenUrl("http://www.example.org/page?x=1", "");
    OpenUrl("https://www.example.org", "normal");
    OpenUrl("mailto:someone@example.org", "");
    EXPECT_EQ(opened, QStringList({"http://www.example.org/page?x=1", "https://www.example.org",
                                   "mailto:someone@example.org"}));

    opened.clear();
    OpenUrl("javascript:alert(1)", "");
    OpenUrl("file:///etc/passwd", "");
    OpenUrl("/usr/bin/xterm", "");
    OpenUrl("ftp://example.org", "");
    OpenUrl("", "");
    OpenUrl("http://", "");
    EXPECT_TRUE(opened.isEmpty()) << opened.join(", ").toStdString();
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_FALSE(Shell::OpenAddress("file:///etc/passwd"));
}

TEST_F(OpenUrlTest, NewWindowStartsTheDefaultBrowserWithOneArgument) {
    EXPECT_EQ(DefaultBrowserPath(), "/opt/My Browser/browser");
    OpenUrl("http://www.club.org", "nuevaVentana");
    OpenUrl("www.club.org", "nuevaVentana"); // a home page written without its scheme
    OpenUrl("http://x.org\" --flag", "nuevaVentana");
    EXPECT_EQ(launched[0], "/opt/My Browser/browser | http://www.club.org");
    EXPECT_EQ(launched[1], "/opt/My Browser/browser | http://www.club.org");
    // A text that is no address is never handed over, so it cannot add browser options.
    for (const QString& line : launched)
        EXPECT_FALSE(line.contains("| --flag")) << line.toStdString();

    launched.clear();
    OpenUrl("mailto:someone@example.org", "nuevaVentana");
    OpenUrl("file:///etc/passwd", "nuevaVentana");
    OpenUrl("javascript:alert(1)", "nuevaVentana");
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(OpenUrlTest, BlanksBarsAndBracesArePercentEncoded) {
    OpenUrl(" http://www.club.org/my page|{x} ", "");
    OpenUrl("http://www.club.org/a b", "nuevaVentana");
    EXPECT_EQ(opened, QStringList({"http://www.club.org/my%20page%7C%7Bx%7D"}));
    EXPECT_EQ(launched, QStringList({"/opt/My Browser/browser | http://www.club.org/a%20b"}));
}

// Snap and flatpak browsers start through a launcher that needs its whole command line: the address
// goes to the desktop's handler instead.
TEST_F(OpenUrlTest, LauncherCommandsLeaveTheAddressToTheDesktopHandler) {
    const QString commands[] = {
        "env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop "
        "/snap/bin/firefox %u",
        "/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=launch-script.sh --file-forwarding "
        "org.example.Browser @@u %u @@",
    };
    for (const QString& command : commands) {
        browserCommand = command;
        OpenUrl("http://www.club.org", "nuevaVentana");
    }
    EXPECT_TRUE(launched.isEmpty()) << launched.join(", ").toStdString();
    EXPECT_EQ(opened, QStringList({"http://www.club.org", "http://www.club.org"}));
    EXPECT_TRUE(IsPlainBrowserExecutable("/usr/bin/firefox"));
    EXPECT_FALSE(IsPlainBrowserExecutable("/usr/bin/env"));
}

// The default browser comes from the desktop's mimeapps.list and the entry it names, without running
// any helper program.
TEST_F(OpenUrlTest, TheDefaultBrowserIsReadFromTheDesktopFiles) {
    QTemporaryDir home;
    const char* vars[][2] = {{"XDG_CONFIG_HOME", "config"},
                             {"XDG_CONFIG_DIRS", "etc"},
                             {"XDG_DATA_HOME", "data"},
                             {"XDG_DATA_DIRS", "share"},
                             {"XDG_CURRENT_DESKTOP", ""}};
    for (const auto& [name, folder] : vars)
        qputenv(name, *folder ? home.filePath(folder).toUtf8() : QByteArray("Test:Other"));
    auto write = [&home](const QString& relative, const QByteArray& text) {
        QDir().mkpath(QFileInfo(home.filePath(relative)).absolutePath());
        QFile f(home.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
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

TEST_F(OpenUrlTest, WithoutDefaultBrowserTheHandlerOpensIt) {
    browserCommand.clear();
    EXPECT_EQ(DefaultBrowserPath(), "ERROR");
    OpenUrl("http://www.club.org", "nuevaVentana");
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_EQ(opened, QStringList({"http://www.club.org"}));
}
