#include "platform/XmlDocument.h"

#include "support/Samples.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

TEST(XmlDocument, ChildrenAreElementsOnlyAndAbsentElementsReadEmpty) {
    XmlDocument doc;
    doc.SetXML(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<HattrickData>\n  <FileName>x.xml</FileName>\n"
        "  <!-- a comment -->\n  text between\n  <Team a=\"1\">\n    <TeamID>42</TeamID>\n"
        "    <League><LeagueName>Sverige</LeagueName></League>\n  </Team>\n  <Team/>\n</HattrickData>");
    EXPECT_FALSE(doc.Active());
    doc.SetActive(true);
    ASSERT_TRUE(doc.Active());
    const XmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "HattrickData");
    EXPECT_EQ(root.ChildCount(), 3);
    // Absent elements, by name or by index, read as the empty text.
    // clang-format off
    ExpectAll({{root.Child(0).NodeName(), "FileName"}, {root.Child(1).NodeName(), "Team"},
               {root.Child(1).Attribute("a"), "1"}, {root.Child(1).Attribute("b"), ""},
               {root.ChildText("Team/League/LeagueName"), "Sverige"}, {root.Child("Team").Child("TeamID").Text(), "42"},
               {root.Child(3).Text(), ""}, {root.Child(-1).NodeName(), ""}, {root.ChildText("Team/Nothing/Deeper"), ""},
               {root.Child(7).Child("X").Attribute("Index"), ""}});
    // clang-format on
    EXPECT_TRUE(root.Child(3).IsNull());
    // Walking the children meets the same elements as Child(index), in document order.
    int walked = 0;
    for (const XmlNode& child : root.Children()) {
        EXPECT_TRUE(child == root.Child(walked)) << walked;
        ++walked;
    }
    EXPECT_EQ(walked, root.ChildCount());
    EXPECT_EQ(root.Child(1).NextSibling().NodeName(), "Team");
    EXPECT_TRUE(root.Child(2).NextSibling().IsNull());
    // <Team/>, a text-only element and an absent one have no children.
    EXPECT_TRUE(root.Child(2).Children().empty() && root.Child("FileName").Children().empty() &&
                root.Child("Nothing").Children().empty());
    EXPECT_FALSE(root.Child(0) == root.Child(1));
    doc.SetActive(false);
    EXPECT_FALSE(doc.Active());
    EXPECT_TRUE(doc.DocumentElement().IsNull());
}

// Broken XML fails to activate; so does an answer nested thousands of levels deep, which would hold the
// window for seconds in the DOM builder. Markup inside comments, CDATA and attribute values does not count.
TEST(XmlDocument, BrokenTextOrTextNestedTooDeepFailsToActivate) {
    const auto nested = [](int depth, const QString& inner = QString()) {
        return "<HattrickData>" + QString("<a>").repeated(depth - 1) + inner +
               QString("</a>").repeated(depth - 1) + "</HattrickData>";
    };
    XmlDocument doc;
    for (const QString& bad : {nested(16000), QString("<HattrickData><a></HattrickData>"), QString()}) {
        doc.SetXML(bad);
        EXPECT_THROW(doc.SetActive(true), EXmlParseError) << bad.left(40).toStdString();
        EXPECT_FALSE(doc.Active());
    }
    const QString markupAsText = "<!-- " + QString("<b>").repeated(300) + " -->" + "<![CDATA[" +
                                 QString("<c>").repeated(300) + "]]><d t=\"" + QString("&lt;e>").repeated(3) +
                                 "\" u='>'/>" + QString("<f/>").repeated(300);
    doc.SetXML(nested(256, markupAsText));
    doc.SetActive(true);
    EXPECT_EQ(doc.DocumentElement().Child(0).NodeName(), "a");
}

TEST(XmlDocument, LoadsAndSavesUtf8ThatReadsBackAndFailsWithoutTouchingTheOldFile) {
    XmlDocument loaded, byName;
    EXPECT_THROW(loaded.LoadFromFile("/nonexistent/velkaro/file.xml"), EInOutError);
    // A file with a byte-order mark; a file named first, then activated.
    loaded.LoadFromFile(SampleFile("worlddetails-bom"));
    EXPECT_FALSE(loaded.DocumentElement().ChildText("LeagueList").isEmpty());
    byName.FileName = SampleFile("bookmarks");
    byName.SetActive(true);
    EXPECT_EQ(byName.DocumentElement().NodeName(), "HattrickData");
    QTemporaryDir dir;
    const QString path = dir.filePath("out.xml");
    XmlDocument doc;
    // A text declared in another encoding is written as UTF-8 and declared so.
    doc.SetXML(QString::fromUtf8("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<HattrickData>"
                                 "<LeagueName>Česká republika</LeagueName></HattrickData>"));
    doc.SetActive(true);
    doc.SaveToFile(path);
    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    EXPECT_TRUE(bytes.contains(QString::fromUtf8("Česká").toUtf8()));
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.DocumentElement().ChildText("LeagueName"), QString::fromUtf8("Česká republika"));
    // A save that cannot be written throws and leaves the folder's existing file as it was.
    QDir(dir.path()).mkdir("blocked.xml");
    EXPECT_THROW(doc.SaveToFile(dir.filePath("blocked.xml")), EInOutError);
    EXPECT_THROW(doc.SaveToFile(dir.filePath("missing/folder/out.xml")), EInOutError);
    EXPECT_EQ(ReadBytes(path), bytes);
}
