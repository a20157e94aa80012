// The matches window's words, offscreen: every captioned control reads its own section and key, with
// its own English default and suffix, and a language file that gives every key a marker text shows
// that marker on every control.
#include "core/Settings.h"
#include "platform/widgets/RadioGroup.h"
#include "support/TestProgramFolder.h"
#include "viewer/UPartidos.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct TextRow {
    const char* section;
    const char* key;
    const char* englishDefault;
    const char* suffix;
    std::function<QString(const TFPartidos&)> shown;
};

QString Text(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    return qobject_cast<const QGroupBox*>(w)->title();
}

QString Item(const RadioGroup* group, int index) {
    const QStringList items = group->Items();
    return index < items.size() ? items[index] : QStringLiteral("<no item %1>").arg(index);
}

QString Tab(const TFPartidos& w, QWidget* page) {
    return w.PageControlEventos->tabText(w.PageControlEventos->indexOf(page));
}

#define TEXT_OF(control) [](const TFPartidos& w) { return Text(w.control); }
#define ITEM_OF(group, i) [](const TFPartidos& w) { return Item(w.group, i); }
#define LEAGUE_TAB(page)                                                                                     \
    [](const TFPartidos& w) { return w.PageControlLiga->tabText(w.PageControlLiga->indexOf(w.page)); }
#define CAPTION_OF(grid, col) [](const TFPartidos& w) { return w.grid.Cells(col, 0); }

// Every control of the window that takes a word from the language file.
const std::vector<TextRow>& Rows() {
    static const std::vector<TextRow> rows = {
        // connection panel
        {"General", "LabelUser", "User:", "", TEXT_OF(LabelUsuario)},
        {"General", "LabelSecurityCode", "Security Code", ":", TEXT_OF(LabelPassword)},
        {"Connection", "LabelSaveSecurityCode", "", "", TEXT_OF(CheckBoxPassword)},
        {"Connection", "LabelConnect", "Connect", "", TEXT_OF(BitBtnConectar)},
        {"Connection", "LabelProxy", "Proxy", "", TEXT_OF(GroupBoxProxy)},
        {"Connection", "LabelUseProxy", "Use proxy", "", TEXT_OF(CheckBoxProxy)},
        {"Connection", "LabelServer", "Server", ":", TEXT_OF(Label3)},
        {"Connection", "LabelPort", "Port", ":", TEXT_OF(Label4)},
        {"General", "LabelUser", "UserName:", "", TEXT_OF(Label5)},
        {"General", "LabelPassword", "Password:", "", TEXT_OF(Label6)},
        {"Matches", "StringGridMM8", "Match type", " ", TEXT_OF(RadioGroupTipoPartidos)},
        {"General", "InitialLoading", "Initial loading", " ", TEXT_OF(RadioGroupCargaInicial)},
        {"Connection", "LabelConnection", "", "", TEXT_OF(Label7)},
        {"Matches", "Live", "Live", "", ITEM_OF(RadioGroupTipoPartidos, 0)},
        {"Matches", "Recorded", "Recorded", "", ITEM_OF(RadioGroupTipoPartidos, 1)},
        {"Connection", "LabelMyTeam", "My team", "", ITEM_OF(RadioGroupCargaInicial, 0)},
        {"Matches", "MyLeague", "My league", "", ITEM_OF(RadioGroupCargaInicial, 1)},
        {"General", "LabelSenior", "Senior", "", ITEM_OF(RadioGroupEsJuveniles, 0)},
        {"General", "LabelYouth", "Youth", "", ITEM_OF(RadioGroupEsJuveniles, 1)},
        // match area and add panel
        {"Matches", "TabEvents", "Events", "", [](auto& w) { return Tab(w, w.TabSheetEventos); }},
        {"Matches", "TabSummary", "Summary", "", [](auto& w) { return Tab(w, w.TabSheetFinPartido); }},
        {"Matches", "DeleteMatch", "Delete match", "", TEXT_OF(ButtonBorrarPartido)},
        {"General", "LabelAdd", "Add", "", TEXT_OF(ButtonAnadirPartido)},
        {"Matches", "SelectMatch", "Select match", " ", TEXT_OF(RadioGroupAnadir)},
        {"General", "LabelGroup", "Group", "", TEXT_OF(EditLabel1)},
        {"General", "LabelTeam", "Team", ":", TEXT_OF(EditLabel2)},
        {"General", "LabelTeamID", "TeamID", ":", TEXT_OF(EditLabel3)},
        {"Matches", "LabelChances", "Chances", "", TEXT_OF(Label10)},
        {"Events", "Normal", "Normal", "", TEXT_OF(Label11)},
        {"Events", "SE", "Special event", "", TEXT_OF(Label12)},
        {"Events", "CA", "Counter-attack", "", TEXT_OF(Label13)},
        {"Matches", "StringGridEvents2", "", "",
         [](auto& w) { return w.BKStringGridListaEventos.Cells(4, 0); }},
        {"Matches", "StringGridEvents3", "", "",
         [](auto& w) { return w.BKStringGridListaEventos.Cells(5, 0); }},
        // league panel
        {"General", "LabelLevel", "", "", TEXT_OF(Label1)},
        {"General", "LabelOf", "", "", TEXT_OF(Label2)},
        {"General", "Before", "Before", "", LEAGUE_TAB(TabSheetLigaInicial)},
        {"General", "Now", "Now", "", LEAGUE_TAB(TabSheetLigaActualizada)},
        {"Team", "LabelNextMatch", "Next match", "", LEAGUE_TAB(TabSheetLigaJornada)},
        {"League", "Scorers", "Scorers", "", LEAGUE_TAB(TabSheetLigaGoleadores)},
        {"League", "ScoredGoals", "Scored goals", "", LEAGUE_TAB(TabSheetLigaGolesMarcados)},
        {"League", "ReceivedGoals", "Received goals", "", LEAGUE_TAB(TabSheetLigaGolesRecibidos)},
        {"Team", "StringGridL0", "", "", CAPTION_OF(BKStringGridLigaInicial, 0)},
        {"Team", "StringGridL1", "", "", CAPTION_OF(BKStringGridLigaInicial, 1)},
        {"Team", "StringGridL2", "", "", CAPTION_OF(BKStringGridLigaInicial, 2)},
        {"Team", "StringGridL6", "", "", CAPTION_OF(BKStringGridLigaInicial, 6)},
        {"Team", "StringGridL7", "", "", CAPTION_OF(BKStringGridLigaInicial, 7)},
        {"Team", "StringGridL8", "", "", CAPTION_OF(BKStringGridLigaInicial, 8)},
        {"Team", "StringGridL9", "", "", CAPTION_OF(BKStringGridLigaInicial, 9)},
        {"Team", "StringGrid41", "", "", CAPTION_OF(BKStringGridLigaGoleadores, 1)},
        {"Team", "StringGrid1", "", "", CAPTION_OF(BKStringGridLigaGoleadores, 3)},
        {"Team", "StringGridL1", "", "", CAPTION_OF(BKStringGridLigaGoleadores, 4)},
        {"Team", "StringGrid41", "", "", CAPTION_OF(BKStringGridLigaGolesMarcados, 1)},
        {"Team", "StringGridL1", "", "", CAPTION_OF(BKStringGridLigaGolesMarcados, 3)},
        {"Team", "StringGrid41", "", "", CAPTION_OF(BKStringGridLigaGolesRecibidos, 1)},
        {"Team", "StringGridL1", "", "", CAPTION_OF(BKStringGridLigaGolesRecibidos, 3)},
        // events panel and clock panel
        {"General", "LabelDelete", "Delete", "", TEXT_OF(ButtonEventoBorrar)},
        {"Matches", "DeleteMatch", "Delete match", "", TEXT_OF(ButtonEventoBorrarPartido)},
        {"Matches", "DeleteAll", "Delete all", "", TEXT_OF(ButtonEventoBorrarTodos)},
        {"Matches", "UpdateData", "Update data", "", TEXT_OF(Label9)},
        {"General", "Now", "Now", "", TEXT_OF(ButtonTiempo)},
        {"General", "Pause", "Pause", "", TEXT_OF(BitBtnStop)},
    };
    return rows;
}

QString Marker(const QString& section, const QString& key) {
    return QStringLiteral("<%1/%2>").arg(section, key);
}

// The settings choose English; its file gives every key of the table its marker text.
void WriteMarkerLanguage(const TestProgramFolder& folder) {
    QMap<QString, QStringList> sections;
    for (const TextRow& row : Rows())
        sections[QLatin1String(row.section)] << QLatin1String(row.key);
    sections[QStringLiteral("Main")] << QStringLiteral("TabOptions");
    sections[QStringLiteral("General")] << QStringLiteral("RecordedList");
    QString text;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        text += QLatin1Char('[') + it.key() + QStringLiteral("]\r\n");
        for (const QString& key : it.value())
            text += key + QLatin1Char('=') + Marker(it.key(), key) + QStringLiteral("\r\n");
    }
    QFile f(folder.File(QStringLiteral("language/English.lng")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

} // namespace

TEST(MatchesTexts, EveryControlShowsItsOwnKey) {
    TestProgramFolder folder;
    WriteMarkerLanguage(folder);
    folder.OpenSettings();
    auto w = std::make_unique<TFPartidos>();
    for (const TextRow& row : Rows())
        EXPECT_EQ(row.shown(*w).toStdString(),
                  (Marker(QLatin1String(row.section), QLatin1String(row.key)) + QString::fromUtf8(row.suffix))
                      .toStdString())
            << row.key;
    const QString list = QStringLiteral("\"<Main/TabOptions> - <General/RecordedList>\"");
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 2), list);
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 3), QStringLiteral("<Matches/MyLeague> + ") + list);
}

TEST(MatchesTexts, MissingLanguageFileShowsTheEnglishDefaults) {
    TestProgramFolder folder;
    ASSERT_TRUE(QFile::remove(folder.File(QStringLiteral("language/English.lng"))));
    folder.OpenSettings();
    auto w = std::make_unique<TFPartidos>();
    for (const TextRow& row : Rows())
        EXPECT_EQ(row.shown(*w).toStdString(), std::string(row.englishDefault) + row.suffix) << row.key;
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 2), QStringLiteral("\"TabOptions - Recorded list\""));
}
