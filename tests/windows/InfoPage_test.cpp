// The information page: its texts and its links.
#include "core/Settings.h"
#include "platform/Shell.h"
#include "shell/UInfo.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class InfoPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        program = dir.path() + "/";
        Shell::SetOpener([this](const QString& address) {
            opened.append(address);
            return true;
        });
        Shell::SetLauncher([this](const QString& program, const QStringList& arguments) {
            launched.append(program + " " + arguments.join(' '));
            return true;
        });
        Shell::SetBrowserCommandSource([] { return QString(); });
    }
    void TearDown() override {
        Shell::SetOpener({});
        Shell::SetLauncher({});
        Shell::SetBrowserCommandSource({});
    }
    void openLanguage(const QByteArray& english) {
        writeFile(program + "language/English.lng", english);
        writeFile(program + "Velkaro.ini", "[Opciones]\r\nLanguage=English\r\n");
        OpenSettingsAndLanguage(program, program + "Velkaro.ini");
    }

    QTemporaryDir dir;
    QString program;
    QStringList opened;
    QStringList launched;
};

} // namespace

TEST_F(InfoPageTest, WithoutSectionInfoTheCaptionsAreEnglishAndTheMemoLinesEmpty) {
    openLanguage("[Main]\r\nTabInfo=Info\r\n");
    TFInfo info;
    EXPECT_EQ(info.LabelVersion->text(), "Version");
    EXPECT_EQ(info.LabelVersionNumber->text(), "1.26");
    EXPECT_EQ(info.LabelDeveloper->text(), "Developer:");
    EXPECT_EQ(info.LabelConditions->text(), "Terms of use:");
    EXPECT_EQ(info.LabelFeatures->text(), "Features:");
    EXPECT_EQ(info.LabelTranslations->text(), "Translations:");
    EXPECT_EQ(info.LabelLinks->text(), "Useful Links:");
    ASSERT_EQ(info.PageControl1->count(), 4);
    EXPECT_EQ(info.PageControl1->tabText(0), "Essential");
    EXPECT_EQ(info.PageControl1->tabText(1), "Assistants");
    EXPECT_EQ(info.PageControl1->tabText(2), "Viewers");
    EXPECT_EQ(info.PageControl1->tabText(3), "Information");
    EXPECT_EQ(info.PageControl1->currentIndex(), 0);
    EXPECT_EQ(info.Memo1->toPlainText(), QString(9, '\n')); // ten empty lines
    EXPECT_EQ(info.Memo2->toPlainText(), QString(8, '\n')); // nine empty lines
    EXPECT_FALSE(info.Memo3->toPlainText().isEmpty());      // the credits are not translated
    for (QLabel* description : info.LinkDescriptions)
        EXPECT_FALSE(description->text().isEmpty());
}

TEST_F(InfoPageTest, MemosKeepTheirBlankLines) {
    openLanguage("[Info]\r\nMemo1Line01=a\r\nMemo1Line2=b\r\nMemo1Line3=c\r\nMemo1Line4=d\r\nMemo1Line5=e\r\n"
                 "Memo1Line6=f\r\nMemo2Line01=p\r\nMemo2Line02=q\r\nMemo2Line03=r\r\nMemo2Line04=s\r\n"
                 "Memo2Line09=t\r\nLabelTranslations=Credits\r\nTab2=Helpers\r\n");
    TFInfo info;
    EXPECT_EQ(info.Memo1->toPlainText(), "a\n\nb\n\nc\n\nd\n\ne\nf");
    EXPECT_EQ(info.Memo2->toPlainText(), "p\n\nq\nr\n\ns\n\n\nt");
    EXPECT_EQ(info.LabelTranslations->text(), "Credits:");
    EXPECT_EQ(info.PageControl1->tabText(1), "Helpers");
}

TEST_F(InfoPageTest, ClickingALinkOpensItsAddressAndTheEmailLabelWritesAMail) {
    openLanguage("");
    TFInfo info;
    info.show();
    ASSERT_FALSE(info.LinkLabels.isEmpty());
    for (LinkLabel* link : info.LinkLabels) {
        EXPECT_FALSE(link->text().startsWith("http")); // shown without the prefix
        EXPECT_TRUE(link->text().endsWith("hattrick.org")) << link->text().toStdString();
    }
    QTest::mouseClick(info.LinkLabels[0], Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], "http://" + info.LinkLabels[0]->text());

    // The developer has no published addresses: those labels are hidden, not pointing anywhere.
    EXPECT_TRUE(info.LabelWeb->isHidden());
    EXPECT_TRUE(info.LabelEmail->isHidden());
    EXPECT_TRUE(info.LabelDeveloper->isHidden());
    QLabel mail("someone@example.org");
    info.LabelEmailClick(&mail);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], "mailto:someone@example.org");
    EXPECT_TRUE(launched.isEmpty()); // no default browser known: the desktop's handler opened it
}
