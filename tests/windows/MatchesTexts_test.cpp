// The matches window's words, offscreen: every captioned control reads its own section and key, with
// its own English default and suffix, and a language file that gives every key a marker text shows
// that marker on every control.
#include "core/Settings.h"
#include "platform/widgets/RadioGroup.h"
#include "viewer/UPartidos.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct TextRow {
    const char* control;
    const char* section;
    const char* key;
    const char* englishDefault;
    const char* suffix;
    std::function<QString(const TFPartidos&)> shown;
};

QString Item(const RadioGroup* group, int index) {
    const QStringList items = group->Items();
    return index < items.size() ? items[index] : QStringLiteral("<no item %1>").arg(index);
}

// Every control of the window that takes a word from the language file, as the window has them now.
const std::vector<TextRow>& Rows() {
    static const std::vector<TextRow> rows = {
        // connection panel
        {"LabelUsuario", "General", "LabelUser", "User:", "", [](auto& w) { return w.LabelUsuario->text(); }},
        {"LabelPassword", "General", "LabelSecurityCode", "Security Code", ":",
         [](auto& w) { return w.LabelPassword->text(); }},
        {"CheckBoxPassword", "Connection", "LabelSaveSecurityCode", "", "",
         [](auto& w) { return w.CheckBoxPassword->text(); }},
        {"BitBtnConectar", "Connection", "LabelConnect", "Connect", "",
         [](auto& w) { return w.BitBtnConectar->text(); }},
        {"GroupBoxProxy", "Connection", "LabelProxy", "Proxy", "",
         [](auto& w) { return w.GroupBoxProxy->title(); }},
        {"CheckBoxProxy", "Connection", "LabelUseProxy", "Use proxy", "",
         [](auto& w) { return w.CheckBoxProxy->text(); }},
        {"Label3", "Connection", "LabelServer", "Server", ":", [](auto& w) { return w.Label3->text(); }},
        {"Label4", "Connection", "LabelPort", "Port", ":", [](auto& w) { return w.Label4->text(); }},
        {"Label5", "General", "LabelUser", "UserName:", "", [](auto& w) { return w.Label5->text(); }},
        {"Label6", "General", "LabelPassword", "Password:", "", [](auto& w) { return w.Label6->text(); }},
        {"RadioGroupTipoPartidos", "Matches", "StringGridMM8", "Match type", " ",
         [](auto& w) { return w.RadioGroupTipoPartidos->title(); }},
        {"RadioGroupCargaInicial", "General", "InitialLoading", "Initial loading", " ",
         [](auto& w) { return w.RadioGroupCargaInicial->title(); }},
        {"Label7", "Connection", "LabelConnection", "", "", [](auto& w) { return w.Label7->text(); }},
        {"RadioGroupTipoPartidos[0]", "Matches", "Live", "Live", "",
         [](auto& w) { return Item(w.RadioGroupTipoPartidos, 0); }},
        {"RadioGroupTipoPartidos[1]", "Matches", "Recorded", "Recorded", "",
         [](auto& w) { return Item(w.RadioGroupTipoPartidos, 1); }},
        {"RadioGroupCargaInicial[0]", "Connection", "LabelMyTeam", "My team", "",
         [](auto& w) { return Item(w.RadioGroupCargaInicial, 0); }},
        {"RadioGroupCargaInicial[1]", "Matches", "MyLeague", "My league", "",
         [](auto& w) { return Item(w.RadioGroupCargaInicial, 1); }},
        {"RadioGroupEsJuveniles[0]", "General", "LabelSenior", "Senior", "",
         [](auto& w) { return Item(w.RadioGroupEsJuveniles, 0); }},
        {"RadioGroupEsJuveniles[1]", "General", "LabelYouth", "Youth", "",
         [](auto& w) { return Item(w.RadioGroupEsJuveniles, 1); }},
        // match area and add panel
        {"TabSheetEventos", "Matches", "TabEvents", "Events", "",
         [](auto& w) {
             return w.PageControlEventos->tabText(w.PageControlEventos->indexOf(w.TabSheetEventos));
         }},
        {"TabSheetFinPartido", "Matches", "TabSummary", "Summary", "",
         [](auto& w) {
             return w.PageControlEventos->tabText(w.PageControlEventos->indexOf(w.TabSheetFinPartido));
         }},
        {"ButtonBorrarPartido", "Matches", "DeleteMatch", "Delete match", "",
         [](auto& w) { return w.ButtonBorrarPartido->text(); }},
        {"ButtonAnadirPartido", "General", "LabelAdd", "Add", "",
         [](auto& w) { return w.ButtonAnadirPartido->text(); }},
        {"RadioGroupAnadir", "Matches", "SelectMatch", "Select match", " ",
         [](auto& w) { return w.RadioGroupAnadir->title(); }},
        {"EditLabel1", "General", "LabelGroup", "Group", "", [](auto& w) { return w.EditLabel1->text(); }},
        {"EditLabel2", "General", "LabelTeam", "Team", ":", [](auto& w) { return w.EditLabel2->text(); }},
        {"EditLabel3", "General", "LabelTeamID", "TeamID", ":", [](auto& w) { return w.EditLabel3->text(); }},
        {"Label10", "Matches", "LabelChances", "Chances", "", [](auto& w) { return w.Label10->text(); }},
        {"Label11", "Events", "Normal", "Normal", "", [](auto& w) { return w.Label11->text(); }},
        {"Label12", "Events", "SE", "Special event", "", [](auto& w) { return w.Label12->text(); }},
        {"Label13", "Events", "CA", "Counter-attack", "", [](auto& w) { return w.Label13->text(); }},
        {"BKStringGridListaEventos(4,0)", "Matches", "StringGridEvents2", "", "",
         [](auto& w) { return w.BKStringGridListaEventos.Cells(4, 0); }},
        {"BKStringGridListaEventos(5,0)", "Matches", "StringGridEvents3", "", "",
         [](auto& w) { return w.BKStringGridListaEventos.Cells(5, 0); }},
        // events panel and clock panel
        {"ButtonEventoBorrar", "General", "LabelDelete", "Delete", "",
         [](auto& w) { return w.ButtonEventoBorrar->text(); }},
        {"ButtonEventoBorrarPartido", "Matches", "DeleteMatch", "Delete match", "",
         [](auto& w) { return w.ButtonEventoBorrarPartido->text(); }},
        {"ButtonEventoBorrarTodos", "Matches", "DeleteAll", "Delete all", "",
         [](auto& w) { return w.ButtonEventoBorrarTodos->text(); }},
        {"Label9", "Matches", "UpdateData", "Update data", "", [](auto& w) { return w.Label9->text(); }},
        {"ButtonTiempo", "General", "Now", "Now", "", [](auto& w) { return w.ButtonTiempo->text(); }},
        {"BitBtnStop", "General", "Pause", "Pause", "", [](auto& w) { return w.BitBtnStop->text(); }},
    };
    return rows;
}

QString Marker(const QString& section, const QString& key) {
    return QStringLiteral("<%1/%2>").arg(section, key);
}

class MatchesTexts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QLatin1Char('/');
        const QString from = QStringLiteral(VELKARO_RESOURCES_DIR);
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = app + QDir(from).relativeFilePath(path);
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(path, target);
        }
    }

    void Open() { OpenSettingsAndLanguage(app, app + QStringLiteral("Velkaro.ini")); }

    // The settings choose English; its file gives every key of the table its marker text.
    void WriteMarkerLanguage() {
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
        QFile f(app + QStringLiteral("language/English.lng"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

    QTemporaryDir dir;
    QString app;
};

} // namespace

TEST_F(MatchesTexts, EveryControlShowsItsOwnKey) {
    WriteMarkerLanguage();
    Open();
    auto w = std::make_unique<TFPartidos>();
    for (const TextRow& row : Rows())
        EXPECT_EQ(row.shown(*w).toStdString(),
                  (Marker(QLatin1String(row.section), QLatin1String(row.key)) + QString::fromUtf8(row.suffix))
                      .toStdString())
            << row.control;
    const QString list = QStringLiteral("\"<Main/TabOptions> - <General/RecordedList>\"");
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 2), list);
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 3), QStringLiteral("<Matches/MyLeague> + ") + list);
    // The slot numbers of the results list are fixed texts, never read.
    for (int s = 0; s < 10; ++s)
        EXPECT_EQ(w->BKStringGridResultados.Cells(0, 2 * s),
                  s < 9 ? QStringLiteral(" %1.").arg(s + 1) : QStringLiteral("10."))
            << s;
}

TEST_F(MatchesTexts, MissingLanguageFileShowsTheEnglishDefaults) {
    ASSERT_TRUE(QFile::remove(app + QStringLiteral("language/English.lng")));
    Open();
    auto w = std::make_unique<TFPartidos>();
    for (const TextRow& row : Rows())
        EXPECT_EQ(row.shown(*w).toStdString(), std::string(row.englishDefault) + row.suffix) << row.control;
    EXPECT_EQ(Item(w->RadioGroupCargaInicial, 2), QStringLiteral("\"TabOptions - Recorded list\""));
    EXPECT_EQ(w->BKStringGridResultados.Cells(0, 0), QStringLiteral(" 1."));
    EXPECT_EQ(w->BKStringGridResultados.Cells(0, 18), QStringLiteral("10."));
}

TEST_F(MatchesTexts, ReadingAgainKeepsEachItemListWhole) {
    Open(); // the shipped English file
    auto w = std::make_unique<TFPartidos>();
    w->LeerIdioma();
    w->LeerIdioma();
    EXPECT_EQ(w->RadioGroupTipoPartidos->Items().size(), 2);
    EXPECT_EQ(w->RadioGroupCargaInicial->Items().size(), 4);
    EXPECT_EQ(w->RadioGroupEsJuveniles->Items(), (QStringList{"Senior", "Youth"}));
    EXPECT_EQ(w->RadioGroupEsJuveniles->ItemIndex(), 0);
    // The shipped English words of the keys whose default is empty.
    EXPECT_EQ(w->BKStringGridListaEventos.Cells(4, 0), QStringLiteral("Min."));
    EXPECT_EQ(w->BKStringGridListaEventos.Cells(5, 0), QStringLiteral("Player"));
    EXPECT_EQ(w->Label9->text(), QStringLiteral("Update data"));
    EXPECT_EQ(w->ButtonTiempo->text(), QStringLiteral("Now"));
}
