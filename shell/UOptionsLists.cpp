// The favourites group lists, the teams of a group and the recorded-list button states.
#include "shell/UOptions.h"

#include "core/Settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <exception>

namespace {

// Punctuation and symbols sort before digits, digits before letters.
int CharClass(QChar c) {
    if (c.isLetter())
        return 2;
    if (c.isDigit())
        return 1;
    return 0;
}

int CompareListText(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ca = a[i].toCaseFolded();
        const QChar cb = b[i].toCaseFolded();
        if (ca == cb)
            continue;
        const int ka = CharClass(ca);
        const int kb = CharClass(cb);
        if (ka != kb)
            return ka < kb ? -1 : 1;
        return ca.unicode() < cb.unicode() ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return QString::compare(a, b, Qt::CaseSensitive);
}

void AddSorted(QListWidget* list, const QString& text) {
    int pos = 0;
    while (pos < list->count() && !ListTextLess(text, list->item(pos)->text()))
        ++pos;
    list->insertItem(pos, text);
}

void AddSorted(QComboBox* combo, const QString& text) {
    int pos = 0;
    while (pos < combo->count() && !ListTextLess(text, combo->itemText(pos)))
        ++pos;
    combo->insertItem(pos, text);
}

} // namespace

bool ListTextLess(const QString& a, const QString& b) {
    return CompareListText(a, b) < 0;
}

QString TFOptions::AllGroupsEntry() {
    return QLatin1Char('[') +
           LangText(QStringLiteral("General"), QStringLiteral("LabelAll"), QStringLiteral("All")) +
           QLatin1Char(']');
}

void TFOptions::CompletarGrupoFavoritos() {
    const TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    // The all-groups entry, then every group once (compared exactly, case counts).
    QStringList groups{AllGroupsEntry()};
    for (int r = 0; r < favourites.RowCount(); ++r) {
        const QString group = favourites.Cells(FavouriteColumn::FavouriteGroup, r);
        if (!group.isEmpty() && !groups.contains(group, Qt::CaseSensitive))
            groups << group;
    }

    try {
        const QSignalBlocker blocker(ComboBoxFavoritosGrupoAnadir);
        ComboBoxFavoritosGrupoAnadir->clear();
        for (const QString& group : groups)
            AddSorted(ComboBoxFavoritosGrupoAnadir, group);
        ComboBoxFavoritosGrupoAnadir->setCurrentIndex(-1);
        ComboBoxFavoritosGrupoAnadir->setEditText(QString());
    } catch (const std::exception&) {
    }
    try {
        const QSignalBlocker blocker(ListBoxFavoritosGrupo);
        ListBoxFavoritosGrupo->clear();
        for (const QString& group : groups)
            AddSorted(ListBoxFavoritosGrupo, group);
        ListBoxFavoritosGrupo->setCurrentRow(0);
    } catch (const std::exception&) {
    }
    ListBoxFavoritosGrupoClick();
}

void TFOptions::ListBoxFavoritosGrupoClick() {
    try {
        const QSignalBlocker blocker(ListBoxFavoritosEquipo);
        ListBoxFavoritosEquipo->clear();
        const QListWidgetItem* selected = ListBoxFavoritosGrupo->currentItem();
        if (selected) {
            const QString group = selected->text();
            const bool all = group == AllGroupsEntry();
            const TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
            for (int r = 0; r < favourites.RowCount(); ++r) {
                const QString name = favourites.Cells(FavouriteColumn::FavouriteTeamName, r);
                if ((all || favourites.Cells(FavouriteColumn::FavouriteGroup, r) == group) && !name.isEmpty())
                    AddSorted(ListBoxFavoritosEquipo, name);
            }
        }
        if (ListBoxFavoritosEquipo->count() > 0)
            ListBoxFavoritosEquipo->setCurrentRow(0);
    } catch (const std::exception&) {
    }
    ListBoxFavoritosEquipoClick();
}

void TFOptions::ListBoxFavoritosEquipoClick() {
    EditFavoritosTeamID->setText(QString());
    if (ListBoxFavoritosEquipo->count() == 0 || !ListBoxFavoritosEquipo->currentItem())
        return;
    const QString name = ListBoxFavoritosEquipo->currentItem()->text();
    if (name.isEmpty())
        return;
    // Matched by name regardless of group: of two favourites with one name the first row's ID shows.
    const TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    for (int r = 0; r < favourites.RowCount(); ++r) {
        if (favourites.Cells(FavouriteColumn::FavouriteTeamName, r) == name) {
            EditFavoritosTeamID->setText(favourites.Cells(FavouriteColumn::FavouriteTeamId, r));
            return;
        }
    }
}

void TFOptions::EditFavoritosTeamIDChange() {
    ButtonFavoritosBorrar->setEnabled(!EditFavoritosTeamID->text().isEmpty());
}

void TFOptions::FillListaGrabadaChooser() {
    // Every favourite with a team ID, once at creation; later changes of the favourites show at the
    // next start.
    const TBKStringGrid& favourites = datos_.BKStringGridFavoritos;
    {
        const QSignalBlocker blocker(ComboBoxListaGrabada);
        ComboBoxListaGrabada->clear();
        for (int r = 0; r < favourites.RowCount(); ++r) {
            if (!favourites.Cells(FavouriteColumn::FavouriteTeamId, r).isEmpty())
                AddSorted(ComboBoxListaGrabada, favourites.Cells(FavouriteColumn::FavouriteTeamName, r));
        }
        ComboBoxListaGrabada->setCurrentIndex(ComboBoxListaGrabada->count() > 0 ? 0 : -1);
    }
    ComboBoxListaGrabadaChange();
}

void TFOptions::ComboBoxListaGrabadaChange() {
    const TBKStringGrid& recorded = datos_.BKStringGridListaGrabada;
    const QString chosen = ComboBoxListaGrabada->currentText();
    bool inList = false;
    for (int r = 1; r < recorded.RowCount(); ++r) {
        if (recorded.Cells(RecordedColumn::RecordedTeamName, r) == chosen) {
            inList = true;
            break;
        }
    }
    BitBtnListaAnadir->setEnabled(!inList);
    BitBtnListaBorrar->setEnabled(inList);
    const int selected = recorded.Row();
    if (selected >= 1 && selected < recorded.RowCount() &&
        !recorded.Cells(RecordedColumn::RecordedTeamName, selected).isEmpty())
        BitBtnListaAnadir->setEnabled(false);
}
