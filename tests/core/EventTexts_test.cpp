// Event class descriptions: the 85 recognised classes, near misses, and where the words come from.
#include "core/EventTexts.h"
#include "core/Settings.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Installs a language file made of the given INI text as the current language for one test.
class EventClassTextTest : public ::testing::Test {
protected:
    void UseLanguage(const QByteArray& iniText) {
        const QString path = dir_.filePath("test.lng");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(iniText);
        file.close();
        UseLanguageFile(path);
    }
    void UseLanguageFile(const QString& path) {
        language_ = std::make_unique<IniFile>(path);
        LanguageIni = language_.get();
    }
    void SetUp() override { saved_ = LanguageIni; }
    void TearDown() override { LanguageIni = saved_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<IniFile> language_;
    IniFile* saved_ = nullptr;
};

// The 45 keys of section "Events" the descriptions read.
const char* const kEventKeys[] = {
    "Goal",       "Failed",       "CentralAttack",   "RightAttack",   "LeftAttack",
    "Penalty",    "Fault",        "IndirectKick",    "FarShoot",      "SE",
    "CA",         "Corner",       "Experience",      "Quick",         "Unpredictable",
    "Winger",     "TechnicalVs",  "LongShoot",       "TiredDefender", "Other",
    "Begin",      "Disposition",  "LineUp",          "Arena",         "HalfTime",
    "Domainated", "End",          "BestPlayer",      "WorstPlayer",   "Result",
    "Injury",     "Substitution", "StillPlaying",    "Card",          "Yellow",
    "Yellow2",    "Red",          "Organization",    "Pressing",      "TeamBack",
    "Powerful",   "Technical",    "Underestimation", "Nerves",        "NewCaptain"};

// Every key of section "Events" with a word that shows which key was read: "<Goal>".
QByteArray MarkedEventWords() {
    QByteArray text = "[Events]\n";
    for (const char* key : kEventKeys)
        text += QByteArray(key) + "=<" + key + ">\n";
    text += "Hattrick=<Hattrick>\n"; // must never be read
    return text;
}

struct ClassCase {
    const char* eventClass;
    const char* description;
};

const ClassCase kRecognised[] = {
    {",0,0,0,,0,", "<Goal>. <CentralAttack>"},
    {",0,0,0,,1,", "<Goal>. <RightAttack>"},
    {",0,0,0,,2,", "<Goal>. <LeftAttack>"},
    {",0,0,0,,3,", "<Goal>. <Penalty>"},
    {",0,0,0,,4,", "<Goal>. <Fault>"},
    {",0,0,0,,5,", "<Goal>. <IndirectKick>"},
    {",0,0,0,,6,", "<Goal>. <FarShoot>"},
    {",0,0,1,0,,", "<Goal>. <SE>: <Penalty>"},
    {",0,0,1,1,,", "<Goal>. <SE>: <Fault>"},
    {",0,0,1,2,,", "<Goal>. <SE>: <Corner>"},
    {",0,0,1,3,,", "<Goal>. <SE>: <CA>"},
    {",0,0,1,4,,", "<Goal>. <SE>: <Experience>"},
    {",0,0,1,5,,", "<Goal>. <SE>: <Quick>"},
    {",0,0,1,6,,", "<Goal>. <SE>: <Unpredictable>"},
    {",0,0,1,7,,", "<Goal>. <SE>: <Winger>"},
    {",0,0,1,8,,", "<Goal>. <SE>: <TechnicalVs>"},
    {",0,0,1,9,,", "<Goal>. <SE>: <LongShoot>"},
    {",0,0,1,10,,", "<Goal>. <SE>: <TiredDefender>"},
    {",0,0,1,11,,", "<Goal>. <SE>: <Other>"},
    {",0,0,1,3,0,", "<Goal>. <SE>: <CA>. <CentralAttack>"},
    {",0,0,1,3,1,", "<Goal>. <SE>: <CA>. <RightAttack>"},
    {",0,0,1,3,2,", "<Goal>. <SE>: <CA>. <LeftAttack>"},
    {",0,0,1,3,4,", "<Goal>. <SE>: <CA>. <Fault>"},
    {",0,0,2,,0,", "<Goal>. <CA>: <CentralAttack>"},
    {",0,0,2,,1,", "<Goal>. <CA>: <RightAttack>"},
    {",0,0,2,,2,", "<Goal>. <CA>: <LeftAttack>"},
    {",0,0,2,,4,", "<Goal>. <CA>: <Fault>"},
    {",0,0,2,,5,", "<Goal>. <CA>: <IndirectKick>"},
    {",0,1,0,,0,", "<Failed>. <CentralAttack>"},
    {",0,1,0,,1,", "<Failed>. <RightAttack>"},
    {",0,1,0,,2,", "<Failed>. <LeftAttack>"},
    {",0,1,0,,3,", "<Failed>. <Penalty>"},
    {",0,1,0,,4,", "<Failed>. <Fault>"},
    {",0,1,0,,5,", "<Failed>. <IndirectKick>"},
    {",0,1,0,,6,", "<Failed>. <FarShoot>"},
    {",0,1,1,0,,", "<Failed>. <SE>: <Penalty>"},
    {",0,1,1,1,,", "<Failed>. <SE>: <Fault>"},
    {",0,1,1,2,,", "<Failed>. <SE>: <Corner>"},
    {",0,1,1,3,,", "<Failed>. <SE>: <CA>"},
    {",0,1,1,4,,", "<Failed>. <SE>: <Experience>"},
    {",0,1,1,5,,", "<Failed>. <SE>: <Quick>"},
    {",0,1,1,6,,", "<Failed>. <SE>: <Unpredictable>"},
    {",0,1,1,7,,", "<Failed>. <SE>: <Winger>"},
    {",0,1,1,8,,", "<Failed>. <SE>: <TechnicalVs>"},
    {",0,1,1,9,,", "<Failed>. <SE>: <LongShoot>"},
    {",0,1,1,10,,", "<Failed>. <SE>: <TiredDefender>"},
    {",0,1,1,11,,", "<Failed>. <SE>: <Other>"},
    {",0,1,1,3,0,", "<Failed>. <SE>: <CA>. <CentralAttack>"},
    {",0,1,1,3,1,", "<Failed>. <SE>: <CA>. <RightAttack>"},
    {",0,1,1,3,2,", "<Failed>. <SE>: <CA>. <LeftAttack>"},
    {",0,1,1,3,4,", "<Failed>. <SE>: <CA>. <Fault>"},
    {",0,1,2,,0,", "<Failed>. <CA>: <CentralAttack>"},
    {",0,1,2,,1,", "<Failed>. <CA>: <RightAttack>"},
    {",0,1,2,,2,", "<Failed>. <CA>: <LeftAttack>"},
    {",0,1,2,,4,", "<Failed>. <CA>: <Fault>"},
    {",0,1,2,,5,", "<Failed>. <CA>: <IndirectKick>"},
    {",1,0,,,,", "<Begin>"},
    {",1,1,,,,", "<Disposition>"},
    {",1,2,,,,", "<LineUp>"},
    {",1,3,,,,", "<Arena>"},
    {",1,4,,,,", "<HalfTime>"},
    {",1,5,,,,", "<Domainated>"},
    {",1,6,,,,", "<End>"},
    {",1,7,,,,", "<BestPlayer>"},
    {",1,8,,,,", "<WorstPlayer>"},
    {",1,9,,,,", "<Result>"},
    {",2,0,,,,", "<Injury>. <Substitution>"},
    {",2,1,,,,", "<Injury>. <StillPlaying>"},
    {",3,0,,,,", "<Card>. <Yellow>"},
    {",3,1,,,,", "<Card>. <Yellow2>"},
    {",3,2,,,,", "<Card>. <Red>"},
    {",4,0,,,,", "<Organization> +"},
    {",4,1,,,,", "<Organization> -"},
    {",4,2,,,,", "<Pressing>"},
    {",4,3,,,,", "<TeamBack>"},
    {",4,4,,,,", "<Powerful> +"},
    {",4,5,,,,", "<Powerful> -"},
    {",4,6,,,,", "<Technical> +"},
    {",4,7,,,,", "<Technical> -"},
    {",4,8,,,,", "<Quick> -"},
    {",4,9,,,,", "<Underestimation>"},
    {",4,10,,,,", "<Nerves>"},
    {",4,11,,,,", "<NewCaptain>"},
    {",4,12,,,,", "Hattrick"},
    {",4,13,,,,", "<Other>"},
};

} // namespace

TEST_F(EventClassTextTest, EveryRecognisedClassGivesItsWordsAndJoiners) {
    UseLanguage(MarkedEventWords());
    QSet<QString> distinct;
    for (const ClassCase& c : kRecognised) {
        distinct.insert(c.eventClass);
        EXPECT_EQ(EventClassText(c.eventClass), QString(c.description)) << c.eventClass;
    }
    EXPECT_EQ(distinct.size(), 85);
}

TEST_F(EventClassTextTest, NearMissesAreNotRecognised) {
    UseLanguage(MarkedEventWords());
    const char* misses[] = {
        ",0,0,1,3,3,", // counter-attack special event through a penalty
        ",0,0,2,,3,",  // counter-attack with route 3 or 6
        ",0,0,2,,6,",
        ",0,0,0,,7,",  // route beyond the table
        ",0,0,1,12,,", // special event beyond the table
        ",0,2,0,,0,",  // outcome 2
        ",0,0,0,,0",   // last comma missing
        " ,0,0,0,,0,", // a ClassPrefix
        "X,0,0,0,,0,", ",1,10,,,,", ",4,14,,,,", ",5,0,,,,", ",1,0,,,,,", "QZ_3Tarjeta_", "",
    };
    for (const char* c : misses)
        EXPECT_EQ(EventClassText(c), QString()) << c;
}

TEST_F(EventClassTextTest, JoinersStayWhenWordsAreMissing) {
    UseLanguage("[Events]\nSE=Special\n");
    EXPECT_EQ(EventClassText(",0,0,0,,0,"), ". ");
    EXPECT_EQ(EventClassText(",0,1,1,2,,"), ". Special: ");
    EXPECT_EQ(EventClassText(",4,4,,,,"), " +");
    EXPECT_EQ(EventClassText(",1,7,,,,"), "");
    EXPECT_EQ(EventClassText(",4,12,,,,"), "Hattrick");
}

TEST_F(EventClassTextTest, WithoutALanguageObjectOnlyJoinersAndTheFixedWordRemain) {
    LanguageIni = nullptr;
    EXPECT_EQ(EventClassText(",0,0,1,3,1,"), ". : . ");
    EXPECT_EQ(EventClassText(",4,12,,,,"), "Hattrick");
}

TEST_F(EventClassTextTest, ALanguageFileOverridesTheEnglishWords) {
    UseLanguage("[events]\ngoal=Tor\nCentralAttack=Mitte\n");
    EXPECT_EQ(EventClassText(",0,0,0,,0,"), "Tor. Mitte");
    EXPECT_EQ(EventClassText(",4,12,,,,"), "Hattrick");
}

TEST_F(EventClassTextTest, TheShippedEnglishWordsCoverEveryKey) {
    UseLanguageFile(VELKARO_RESOURCES_DIR "/language/english-fragments/events.lng");
    EXPECT_EQ(EventClassText(",0,0,1,3,1,"), "Goal. Special event: Counter-attack. Right wing");
    EXPECT_EQ(EventClassText(",0,1,2,,5,"), "Missed chance. Counter-attack: Indirect free kick");
    EXPECT_EQ(EventClassText(",3,1,,,,"), "Card. Second yellow");
    EXPECT_EQ(EventClassText(",1,5,,,,"), "Possession");
    // Every word the descriptions read is there, and none is empty.
    const QStringList keys = LanguageIni->ReadSection("Events");
    EXPECT_EQ(keys.size(), 45);
    for (const QString& key : keys)
        EXPECT_FALSE(LanguageIni->ReadString("Events", key, "").isEmpty()) << key.toStdString();
    for (const char* key : kEventKeys)
        EXPECT_TRUE(LanguageIni->ValueExists("Events", key)) << key;
}
