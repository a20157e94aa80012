// The favourites and recorded-list pages of the options window, offscreen and against velkaro-service:
// delete, groups with "[All]" first, the add button's rule, adding while connected and through the
// add-favourite dialog while not, the add panel seeing the result, putting and clearing recorded-list
// rows (which the connect's recorded-list loads read, see Connect_test).
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "platform/widgets/StringGridView.h"
#include "shell/ModalDialog.h"
#include "shell/UBajarAccesorio.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TestProgram::Options WithService() {
    return {.withService = true, .speed = 0, .start = {}, .serviceArgs = {}};
}

QStringList Rows(const TBKStringGrid& t, int cols) {
    QStringList out;
    for (int r = 0; r < t.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells << t.Cells(c, r);
        out << cells.join('|');
    }
    return out;
}

// Favourites added to the shipped (empty) table and saved; the options window is made again so that
// its start-up loads see them.
void RestartWithFavourites(const QStringList& rows) {
    TBKStringGrid& t = FOptions->BKStringGridFavoritos();
    for (const QString& row : rows)
        AppendRow(t, row.split('|'));
    ASSERT_TRUE(FOptions->SalvarTabla(t, FavouritesFile));
    delete FOptions;
    FOptions = new TFOptions();
}

void AddFavourite(const QString& group, const QString& id) {
    FOptions->ComboBoxFavoritosGrupoAnadir->setEditText(group);
    FOptions->EditFavoritosEquipoAnadir->setText(id);
    FOptions->ButtonFavoritosAnadir->click();
}

void SelectRecordedRow(int row) {
    StringGridView* view = FOptions->ViewListaGrabada;
    view->setCurrentIndex(view->model()->index(row, 0));
    emit view->clicked(view->currentIndex());
}

void ChooseRecorded(const QString& team) {
    FOptions->ComboBoxListaGrabada->setCurrentIndex(FOptions->ComboBoxListaGrabada->findText(team));
}

} // namespace

TEST(Favourites, GroupsDeleteAndTheAddButtonsRule) {
    TestProgram p;
    RestartWithFavourites({"Zeta|Zeta FC|30", "alpha|Twenty|20", "2020|Twenty|21", "alpha|Ajax|20"});
    TFOptions& o = *FOptions;
    EXPECT_EQ(Entries(o.ListBoxFavoritosGrupo), QStringList({"[All]", "2020", "alpha", "Zeta"}));

    // "Twenty" shows the ID of its first row; the delete removes the first row with that ID only.
    o.ListBoxFavoritosEquipo->setCurrentItem(
        o.ListBoxFavoritosEquipo->findItems("Twenty", Qt::MatchExactly).first());
    EXPECT_EQ(o.EditFavoritosTeamID->text(), "20");
    o.ButtonFavoritosBorrar->click();
    EXPECT_EQ(Rows(o.BKStringGridFavoritos(), 3),
              QStringList({"Zeta|Zeta FC|30", "2020|Twenty|21", "alpha|Ajax|20", "||"}));
    EXPECT_FALSE(ReadFile(p.Folder.File("data/Favourites.dat")).contains("alpha\r\nTwenty"));

    // Digits only: typed letters never arrive, and a text set otherwise keeps the button off.
    QLineEdit* id = FOptions->EditFavoritosEquipoAnadir;
    QTest::keyClicks(id, "1a2-3");
    EXPECT_EQ(id->text(), "123");
    EXPECT_TRUE(FOptions->ButtonFavoritosAnadir->isEnabled());
    for (const char* text : {"", " 12", "1a", "$1F", "-3", "99999999999"}) {
        id->setText(QString::fromLatin1(text));
        EXPECT_FALSE(FOptions->ButtonFavoritosAnadir->isEnabled()) << text;
    }
}

TEST(Favourites, AddWhileConnectedAndTheAddPanelSeesIt) {
    TestProgram p(WithService());
    QString result;
    ConexionLogin("demo", "velkaro", result);
    ASSERT_EQ(result, "OK");
    Connected = 1;

    AddFavourite("Rivals", "250104");
    EXPECT_EQ(LastBox(p), "Done.  Castlebridge United");
    EXPECT_EQ(Rows(FOptions->BKStringGridFavoritos(), 3).first(), "Rivals|Castlebridge United|250104");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Favourites.dat")).contains("Castlebridge United"));

    // A team the service does not know: its error document adds nothing and shows nothing.
    const int boxes = p.Boxes.Boxes.size();
    const int rows = FOptions->BKStringGridFavoritos().RowCount();
    AddFavourite("Rivals", "999999");
    EXPECT_EQ(FOptions->BKStringGridFavoritos().RowCount(), rows);
    EXPECT_EQ(p.Boxes.Boxes.size(), boxes);

    // The add panel of the matches window offers the group and its team.
    FPartidos->CompletarGrupoFavoritos();
    Choose(FPartidos->ComboBoxAnadir1, "Rivals");
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11), QStringList({"Castlebridge United"}));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), "250104");
}

TEST(Favourites, AddWhileNotConnectedGoesThroughTheDialog) {
    TestProgram p(WithService());
    FPartidos->EditUsuario->setText("demo");
    Connected = 0;
    // First add: the code is typed in the dialog, wrongly at first; the second try adds the team.
    ModalDialog::SetRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<TFBajarAccesorio&>(d);
        EXPECT_EQ(dialog.EditUsuario->text(), "demo");
        EXPECT_FALSE(dialog.BitBtnConectar->isEnabled());
        dialog.EditPassword->setText("wrong");
        dialog.BitBtnConectar->click();
        EXPECT_TRUE(LastBox(p).startsWith("Could not log in")) << LastBox(p).toStdString();
        EXPECT_FALSE(ServiceRequests(p).last().contains("logout")); // no logout after a refused login
        dialog.EditPassword->setText("velkaro");
        dialog.BitBtnConectar->click();
        return dialog.result();
    });
    AddFavourite("Scouts", "260201");
    EXPECT_EQ(LastBox(p), "Done.  Scout IF");
    EXPECT_EQ(Rows(FOptions->BKStringGridFavoritos(), 3).first(), "Scouts|Scout IF|260201");
    EXPECT_EQ(FPartidos->EditPassword->text(), ""); // what was typed there stays there

    // Second add: a team the service does not know; the dialog stays open and the user aborts.
    ModalDialog::SetRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<TFBajarAccesorio&>(d);
        dialog.EditPassword->setText("velkaro");
        dialog.BitBtnConectar->click();
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_TRUE(LastBox(p).endsWith(" Unknown team")) << LastBox(p).toStdString();
        EXPECT_TRUE(BajarResultado.TeamID.isEmpty()); // not the previous team's
        dialog.BitBtn2->click();
        return dialog.result();
    });
    AddFavourite("Scouts", "999999");
    ModalDialog::SetRunner({});
    EXPECT_EQ(Rows(FOptions->BKStringGridFavoritos(), 3), QStringList({"Scouts|Scout IF|260201", "||"}));
}

TEST(Favourites, RecordedListPutAndClear) {
    TestProgram p;
    RestartWithFavourites({"A|Ajax|10", "B|Zeta FC|30", "B|No ID|"});
    TFOptions& o = *FOptions;
    EXPECT_EQ(Entries(o.ComboBoxListaGrabada), QStringList({"Ajax", "Zeta FC"}));

    SelectRecordedRow(2);
    ChooseRecorded("Ajax");
    EXPECT_TRUE(o.BitBtnListaAnadir->isEnabled());
    EXPECT_FALSE(o.BitBtnListaBorrar->isEnabled());
    o.BitBtnListaAnadir->click();
    SelectRecordedRow(3);
    ChooseRecorded("Zeta FC");
    o.BitBtnListaAnadir->click();
    EXPECT_EQ(Rows(o.BKStringGridListaGrabada(), 2).mid(1, 3), QStringList({"|", "Ajax|10", "Zeta FC|30"}));

    // A row in use: a click on it chooses its team, which can only be cleared.
    SelectRecordedRow(2);
    EXPECT_EQ(o.ComboBoxListaGrabada->currentText(), "Ajax");
    EXPECT_FALSE(o.BitBtnListaAnadir->isEnabled());
    // Clearing finds the row by the team's name, not by the selection; the row stays, free.
    ChooseRecorded("Zeta FC");
    o.BitBtnListaBorrar->click();
    EXPECT_EQ(Rows(o.BKStringGridListaGrabada(), 2).mid(1, 3), QStringList({"|", "Ajax|10", "|"}));
    EXPECT_FALSE(o.BitBtnListaAnadir->isEnabled()); // the selected row 2 is in use
    DataStore saved;                                // the file holds what the page shows
    ASSERT_TRUE(saved.LoadRecordedList(AppDir));
    EXPECT_EQ(Rows(saved.BKStringGridListaGrabada, 2), Rows(o.BKStringGridListaGrabada(), 2));
}
