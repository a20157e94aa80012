// The new-version check's reading of a page: the body as a browser reports it, then the cut at the
// first "=" and the comparison with the program's own version ("0126700").
#include "core/VersionCheck.h"

#include <gtest/gtest.h>

TEST(VersionCheck, PagesGiveTheirResult) {
    const struct {
        const char* page;
        const char* result;
    } cases[] = {
        {"<html><head><title>x</title></head><body>Version=0126701</body></html>", "New"},
        {"<html><body>Version=0126700</body></html>", "Old"},
        {"<html><body>Version=0125999</body></html>", "Old"},
        {"<HTML><BODY>\r\nVersion=0127000\r\n</BODY></HTML>", "New"},
        {"<html><body>version=0127000</body></html>", "No"},                     // lower case
        {"<html><body>Version 0127000</body></html>", "No"},                     // no "="
        {"<html><body bgcolor=\"#FFFFFF\">Version=0127000</body></html>", "No"}, // "=" in the body tag
        {"<html><head><meta charset=\"utf-8\"></head><body>Version=0127000</body></html>", "New"},
        {"<html><body><p>Version&#61;0127000</p></body></html>", "New"}, // the browser decodes it
        {"Version=0127000", "New"},                                      // no body tag: one is made
        {"", "No"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompararVersion(VersionPageBody(QString::fromUtf8(c.page)), QStringLiteral("0126700")),
                  QString::fromLatin1(c.result))
            << c.page;
}

TEST(VersionCheck, BodyAsABrowserReportsIt) {
    EXPECT_EQ(VersionPageBody("<HTML><Body Class=x>a &amp; b &lt;c&gt; &quot;d&quot;&nbsp;e</BODY>"),
              "<body Class=x>a &amp; b &lt;c&gt; \"d\"&nbsp;e</body>");
    EXPECT_EQ(VersionPageBody("<html><head><title>t</title></head>Version=1<!-- note --></html>"),
              "<body>Version=1<!-- note --></body>");
    // A missing local version is "9999999": no page is newer.
    EXPECT_EQ(CompararVersion("<body>Version=9999998</body>", "9999999"), "Old");
}
