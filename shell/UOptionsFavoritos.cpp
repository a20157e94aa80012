// The buttons of the favourites page (delete, add) and of the recorded-list page (put, clear). Every
// change is saved to the table's file at once.
#include "shell/UOptions.h"

#include "core/FirstRun.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "shell/ModalDialog.h"
#include "shell/UBajarAccesorio.h"

#include <exception>

void TFOptions::DeleteRow(TBKStringGrid& Grid, int Row) {
    for (int r = Row; r <= Grid.RowCount() - 2; ++r)
        for (int c = 0; c < Grid.ColCount(); ++c)
            Grid.SetCells(c, r, Grid.Cells(c, r + 1));
    Grid.SetRowCount(Grid.RowCount() - 1);
}

void TFOptions::ButtonFavoritosBorrarClick() {
    TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    const QString id = EditFavoritosTeamID->text();
    if (id.isEmpty())
        return;
    try {
        for (int r = 0; r < favourites.RowCount(); ++r) {
            if (favourites.Cells(FavouriteColumn::FavouriteTeamId, r) == id) {
                DeleteRow(favourites, r);
                SalvarTabla(favourites, FavouritesFile);
                CompletarGrupoFavoritos();
                return;
            }
        }
    } catch (const std::exception&) {
    }
}

void TFOptions::EditFavoritosEquipoAnadirChange() {
    const QString text = EditFavoritosEquipoAnadir->text();
    bool isInteger = false;
    text.toInt(&isInteger);
    ButtonFavoritosAnadir->setEnabled(IsDecimalDigits(text) && isInteger);
}

void TFOptions::ButtonFavoritosAnadirClick() {
    TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    const QString teamId = EditFavoritosEquipoAnadir->text();
    const QString group = ComboBoxFavoritosGrupoAnadir->currentText();
    try {
        if (Connected == 0) {
            // Not connected: the add-favourite dialog logs in just for this team.
            TFBajarAccesorio dialog(this);
            dialog.setWindowTitle(LangText(QStringLiteral("General"), QStringLiteral("LabelDownload"),
                                           QStringLiteral("Download")));
            BajarAccion = AccionAnadirEquipoFavoritos;
            BajarTeamID = teamId;
            if (ModalDialog::Exec(dialog) == ModalDialog::ResultOK && !BajarResultado.TeamID.isEmpty())
                AppendRow(favourites, {group, BajarResultado.Team, BajarResultado.TeamID});
            QString logout;
            ConexionLogout(logout);
        } else {
            const EquipoDescargado team = DescargarEquipo(teamId);
            if (team.Stored) {
                AppendRow(favourites, {group, team.Team, team.TeamID});
                ShowMessage(LangText(QStringLiteral("Connection"), QStringLiteral("MessageDone"),
                                     QStringLiteral("Done.")) +
                            QStringLiteral("  ") + team.Team);
            }
        }
    } catch (const std::exception&) {
        // What was added before a failure stays.
    }
    SalvarTabla(favourites, FavouritesFile);
    EditFavoritosEquipoAnadir->clear();
    CompletarGrupoFavoritos();
}

void TFOptions::BitBtnListaAnadirClick() {
    TBKStringGrid& recorded = datos_.BKStringGridListaGrabada;
    const TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    const int row = recorded.Row();
    const QString chosen = ComboBoxListaGrabada->currentText();
    if (row >= 1 && row < recorded.RowCount() && !chosen.isEmpty() &&
        recorded.Cells(RecordedColumn::RecordedTeamName, row).isEmpty()) {
        for (int r = 0; r < favourites.RowCount(); ++r) {
            if (favourites.Cells(FavouriteColumn::FavouriteTeamName, r) == chosen) {
                recorded.SetCells(RecordedColumn::RecordedTeamName, row, chosen);
                recorded.SetCells(RecordedColumn::RecordedTeamId, row,
                                  favourites.Cells(FavouriteColumn::FavouriteTeamId, r));
                break;
            }
        }
    }
    SalvarTabla(recorded, RecordedListFile);
    ComboBoxListaGrabadaChange();
}

void TFOptions::BitBtnListaBorrarClick() {
    TBKStringGrid& recorded = datos_.BKStringGridListaGrabada;
    const QString chosen = ComboBoxListaGrabada->currentText();
    // Found by the name, not by the selected row; the row stays, free again.
    for (int r = 1; r < recorded.RowCount(); ++r) {
        if (recorded.Cells(RecordedColumn::RecordedTeamName, r) == chosen) {
            recorded.SetCells(RecordedColumn::RecordedTeamName, r, QString());
            recorded.SetCells(RecordedColumn::RecordedTeamId, r, QString());
            break;
        }
    }
    SalvarTabla(recorded, RecordedListFile);
    ComboBoxListaGrabadaChange();
}

void TFOptions::BKStringGridListaGrabadaClick() {
    const TBKStringGrid& recorded = datos_.BKStringGridListaGrabada;
    const QString name = recorded.Cells(RecordedColumn::RecordedTeamName, recorded.Row());
    if (recorded.Row() >= 1 && !name.isEmpty())
        ComboBoxListaGrabada->setEditText(name);
    ComboBoxListaGrabadaChange();
}
