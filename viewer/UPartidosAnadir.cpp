// TFPartidos: the add panel of an empty slot and its favourites selector (favourite groups, national
// teams, the user's bookmarks at the game service, a typed match ID), and clearing a slot.
#include "viewer/UPartidos.h"

#include "core/UGlobal.h"

#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UDataModule1.h"
#include "core/UPaises.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "viewer/AnswerReading.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>
#include <functional>

namespace {

QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

// Runs an action when the watched control receives the focus (the controls' OnEnter).
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            onEnter_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onEnter_;
};

const QString BookmarksFile = QStringLiteral("data/Xml/bookmarks.xml");

// The sorted combo boxes keep the order of the program's other sorted lists.
void AddSorted(QComboBox* combo, const QString& text) {
    int pos = 0;
    while (pos < combo->count() && !ListTextLess(text, combo->itemText(pos)))
        ++pos;
    combo->insertItem(pos, text);
}

// The same order gathered in a list first: each text goes after every text not greater than it.
void AddSorted(QStringList& list, const QString& text) {
    list.insert(std::upper_bound(list.begin(), list.end(), text, ListTextLess), text);
}

void SetNoSelection(QComboBox* combo) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

void SelectIndex(QComboBox* combo, int index) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

// A number the add can use: decimal digits only (no sign, no hex), within the integer range.
bool IsDecimalId(const QString& text) {
    return IsDecimalDigits(text) && text.size() <= 10 && text.toLongLong() <= INT_MAX;
}

QLineEdit* NewCaption(QWidget* parent, int x, int y, int w) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, w, 22);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setStyleSheet(QStringLiteral("background: transparent"));
    return edit;
}

QComboBox* NewCombo(QWidget* parent, int x, int y, int w) {
    auto* combo = new QComboBox(parent);
    combo->setGeometry(x, y, w, 26);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    return combo;
}

// The bookmarks of the latest connect, read through the data module's first document, which is
// inactive before and after. Calls visit(bookmark) for each child of BookmarkList in order until it
// returns false. A missing or unreadable file, or one that is not the bookmarks answer, visits nothing.
void ForEachBookmark(const std::function<bool(const XmlNode&)>& visit) {
    if (!DataModule1)
        return;
    ReadAnswer(AppDir + BookmarksFile, QStringLiteral("bookmarks.xml"), [&](const XmlNode& root) {
        for (const XmlNode& bookmark : root.Child(QStringLiteral("BookmarkList")).Children())
            if (!visit(bookmark))
                break;
    });
}

bool IsTeamBookmark(const XmlNode& bookmark) {
    return bookmark.ChildText(QStringLiteral("BookmarkTypeID")) == QLatin1String("1");
}

} // namespace

void TFPartidos::CreatePanelAnadirEquipo() {
    QFrame* p = PanelAnadirEquipo;
    p->setMinimumHeight(96);

    RadioGroupAnadir = new RadioGroup(p);
    RadioGroupAnadir->setGeometry(6, 4, 150, 84);
    // The form's own items; the connect sequence replaces them with the language's words.
    RadioGroupAnadir->SetItems({QStringLiteral("Favourites"), QStringLiteral("MatchID")});
    RadioGroupAnadir->SetItemIndex(0);

    EditLabel1 = NewCaption(p, 164, 4, 170);
    ComboBoxAnadir1 = NewCombo(p, 164, 26, 170);
    EditLabel2 = NewCaption(p, 340, 4, 220);
    ComboBoxAnadir11 = NewCombo(p, 340, 26, 220);
    EditLabel3 = NewCaption(p, 566, 4, 90);
    EditAnadir12 = new QLineEdit(p);
    EditAnadir12->setGeometry(566, 26, 90, 26);
    EditAnadir12->setEnabled(false); // display only

    EditAnadir2 = new QLineEdit(p);
    EditAnadir2->setGeometry(164, 60, 170, 26);
    // Whatever is typed stays visible; the add button is enabled only for a number (EditAnadir2Change).

    RadioGroupEsJuveniles = new RadioGroup(p);
    RadioGroupEsJuveniles->SetColumns(2);
    RadioGroupEsJuveniles->setGeometry(340, 54, 220, 40);

    ButtonAnadirPartido = new QPushButton(p);
    ButtonAnadirPartido->setGeometry(566, 58, 90, 30);
    ButtonAnadirPartido->setEnabled(false);

    // Shown on the match view of a filled slot.
    ButtonBorrarPartido = new QPushButton(PanelPartido);
    ButtonBorrarPartido->setObjectName(QStringLiteral("ButtonBorrarPartido"));

    // Handlers. The combos' OnChange belongs to the user's choice or typing; changes made here in
    // code call the handlers themselves where the panel's rules say so.
    connect(ComboBoxAnadir1, &QComboBox::activated, this, [this] { ComboBoxAnadir1Change(); });
    connect(ComboBoxAnadir1->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBoxAnadir1Change(); });
    connect(ComboBoxAnadir11, &QComboBox::activated, this, [this] { ComboBoxAnadir11Change(); });
    connect(ComboBoxAnadir11->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBoxAnadir11Change(); });
    // Edits run OnChange on every change, also from code: a team ID set by the selector enables the
    // add button.
    connect(EditAnadir2, &QLineEdit::textChanged, this, [this] { EditAnadir2Change(EditAnadir2); });
    connect(EditAnadir12, &QLineEdit::textChanged, this, [this] { EditAnadir2Change(EditAnadir12); });
    RadioGroupAnadir->OnClick = [this] { RadioGroupAnadirClick(); };
    EditAnadir2->installEventFilter(new EnterFilter(EditAnadir2, [this] { EditAnadir2Enter(); }));
    ComboBoxAnadir1->installEventFilter(new EnterFilter(ComboBoxAnadir1, [this] { ComboBoxAnadir1Enter(); }));
    ComboBoxAnadir11->installEventFilter(
        new EnterFilter(ComboBoxAnadir11, [this] { ComboBoxAnadir1Enter(); }));
    connect(ButtonAnadirPartido, &QPushButton::clicked, this, [this] { ButtonAnadirPartidoClick(); });
    connect(ButtonBorrarPartido, &QPushButton::clicked, this, [this] { ButtonBorrarPartidoClick(); });
}

void TFPartidos::LeerIdiomaAnadir() {
    ButtonBorrarPartido->setText(T("Matches", "DeleteMatch", "Delete match"));
    ButtonAnadirPartido->setText(T("General", "LabelAdd", "Add"));
    RadioGroupAnadir->setTitle(T("Matches", "SelectMatch", "Select match") + QLatin1Char(' '));
    EditLabel1->setText(T("General", "LabelGroup", "Group"));
    EditLabel2->setText(T("General", "LabelTeam", "Team") + QLatin1Char(':'));
    EditLabel3->setText(T("General", "LabelTeamID", "TeamID") + QLatin1Char(':'));
    // The youth group has no items of its own; a second reading replaces them instead of adding.
    RadioGroupEsJuveniles->SetItems(
        {T("General", "LabelSenior", "Senior"), T("General", "LabelYouth", "Youth")});
    // Senior until the user chooses; the window's creation selects it again.
    if (RadioGroupEsJuveniles->ItemIndex() < 0)
        RadioGroupEsJuveniles->SetItemIndex(0);
}

QString TFPartidos::AllFavouritesEntry() const {
    return QLatin1Char('[') + T("General", "LabelAll", "All") + QLatin1Char(']');
}

QString TFPartidos::NationalTeamsEntry() const {
    return QLatin1Char('[') + T("Main", "TabNationalTeam", "National team") + QLatin1Char(']');
}

void TFPartidos::CompletarGrupoFavoritos() {
    try {
        const QSignalBlocker blocker(ComboBoxAnadir1);
        ComboBoxAnadir1->clear();
        AddSorted(ComboBoxAnadir1, AllFavouritesEntry());
        AddSorted(ComboBoxAnadir1, NationalTeamsEntry());
        AddSorted(ComboBoxAnadir1, BookmarksGroupEntry());
        if (FOptions) {
            const TBKStringGrid& favourites = FOptions->BKStringGridFavoritos();
            for (int r = 0; r < favourites.RowCount(); ++r) {
                const QString group = favourites.Cells(FavouriteColumn::FavouriteGroup, r);
                if (!group.isEmpty() &&
                    ComboBoxAnadir1->findText(group, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                    AddSorted(ComboBoxAnadir1, group);
            }
        }
        ComboBoxAnadir1->setCurrentIndex(0);
    } catch (...) {
        // whatever the list holds so far stays
    }
    ComboBoxAnadir1Change();
}

void TFPartidos::ComboBoxAnadir1Change() {
    const QString group = ComboBoxAnadir1->currentText();
    if (ComboBoxAnadir1->findText(group, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
        ComboBoxAnadir11->setEnabled(true);
        CompletarEquipoFavoritos();
    } else {
        // A typed text that names no group.
        ComboBoxAnadir11->setEnabled(false);
        SetNoSelection(ComboBoxAnadir11);
    }
}

void TFPartidos::CompletarEquipoFavoritos() {
    const QString group = ComboBoxAnadir1->currentText();
    TeamListSource source{group, {}, {}};
    if (group == BookmarksGroupEntry())
        source.Bookmarks = FileStamp::Of(AppDir + BookmarksFile);
    else if (group != NationalTeamsEntry() && FOptions)
        source.Favourites = FOptions->BKStringGridFavoritos().Version();
    if (TeamListMadeFrom != source)
        FillTeamList(group);
    TeamListMadeFrom = source;
    SelectIndex(ComboBoxAnadir11, ComboBoxAnadir11->count() > 0 ? 0 : -1);
    ComboBoxAnadir11Change();
}

void TFPartidos::FillTeamList(const QString& group) {
    QStringList teams;
    try {
        if (group == NationalTeamsEntry()) {
            for (int id = 1; id <= LeagueCount; ++id) {
                const QString name = LeagueNames(id);
                if (name.isEmpty())
                    continue;
                AddSorted(teams, name);
                AddSorted(teams, QStringLiteral(" U20 ") + name);
            }
        } else if (group == BookmarksGroupEntry()) {
            ForEachBookmark([&teams](const XmlNode& bookmark) {
                if (IsTeamBookmark(bookmark))
                    AddSorted(teams, bookmark.ChildText(QStringLiteral("Text")));
                return true;
            });
        } else if (FOptions) {
            const bool all = group == AllFavouritesEntry();
            const TBKStringGrid& favourites = FOptions->BKStringGridFavoritos();
            for (int r = 0; r < favourites.RowCount(); ++r) {
                const QString name = favourites.Cells(FavouriteColumn::FavouriteTeamName, r);
                if ((all || favourites.Cells(FavouriteColumn::FavouriteGroup, r) == group) && !name.isEmpty())
                    AddSorted(teams, name);
            }
        }
    } catch (...) {
        // an unreadable bookmarks file leaves the team list as far as it got (empty)
    }
    {
        const QSignalBlocker blocker(ComboBoxAnadir11);
        ComboBoxAnadir11->clear();
        ComboBoxAnadir11->addItems(teams);
    }
}

void TFPartidos::ComboBoxAnadir11Change() {
    try {
        EditAnadir12->setText(QString());
        const QString team = ComboBoxAnadir11->currentText();
        const QString group = ComboBoxAnadir1->currentText();
        if (group == NationalTeamsEntry()) {
            if (team.contains(QLatin1String("U20")))
                EditAnadir12->setText(U20TeamIds(LeagueIdFromCountry(team.mid(5))));
            else
                EditAnadir12->setText(NationalTeamIds(LeagueIdFromCountry(team)));
        } else if (group == BookmarksGroupEntry()) {
            // The first bookmark of that text gives the ID, whatever its type.
            ForEachBookmark([this, &team](const XmlNode& bookmark) {
                if (bookmark.ChildText(QStringLiteral("Text")) != team)
                    return true;
                EditAnadir12->setText(bookmark.ChildText(QStringLiteral("ObjectID")));
                return false;
            });
        } else if (FOptions) {
            const TBKStringGrid& favourites = FOptions->BKStringGridFavoritos();
            for (int r = 0; r < favourites.RowCount(); ++r) {
                if (favourites.Cells(FavouriteColumn::FavouriteTeamName, r) == team) {
                    EditAnadir12->setText(favourites.Cells(FavouriteColumn::FavouriteTeamId, r));
                    break;
                }
            }
        }
    } catch (...) {
        // no team ID
    }
}

void TFPartidos::RadioGroupAnadirClick() {
    try {
        SelectIndex(ComboBoxAnadir1, ComboBoxAnadir1->count() - 1);
        ComboBoxAnadir1Change();
        SetNoSelection(ComboBoxAnadir11);
        EditAnadir12->setText(QString());
        EditAnadir2->setText(QString());
        ButtonAnadirPartido->setEnabled(false);
    } catch (...) {
    }
}

void TFPartidos::EditAnadir2Enter() {
    RadioGroupAnadir->SetItemIndex(1);
}

void TFPartidos::ComboBoxAnadir1Enter() {
    RadioGroupAnadir->SetItemIndex(0);
}

void TFPartidos::EditAnadir2Change(QLineEdit* Sender) {
    ButtonAnadirPartido->setEnabled(false);
    if (Sender && IsDecimalId(Sender->text()))
        ButtonAnadirPartido->setEnabled(true);
}

void TFPartidos::LimpiarPanelAnadir() {
    RadioGroupAnadir->SetItemIndex(0);
    EditAnadir2->setText(QString());
    SelectIndex(ComboBoxAnadir1, ComboBoxAnadir1->count() - 1);
    ComboBoxAnadir1Change();
    SetNoSelection(ComboBoxAnadir11);
    EditAnadir12->setText(QString());
    RadioGroupEsJuveniles->SetItemIndex(0);
    ButtonAnadirPartido->setEnabled(false);
}

void TFPartidos::ButtonBorrarPartidoClick() {
    try {
        if (!FOptions)
            return;
        const int slot = TabControlPartidos->currentIndex();
        if (slot < 0 || slot >= MatchSlotCount)
            return;
        TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
        const QString matchId = matches.Cells(MatchColumn::MatchId, slot);
        const bool youth = matches.Cells(MatchColumn::YouthFlag, slot) == QLatin1String("1");

        for (int c = 0; c < MatchColumn::Count; ++c)
            matches.SetCells(c, slot, QString());
        TBKStringGrid& events = SeleccionarTablaEventos(slot);
        for (int r = 0; r < events.RowCount(); ++r)
            for (int c = 0; c < events.ColCount(); ++c)
                events.SetCells(c, r, QString());
        events.SetRowCount(1);

        BorrarPartidoVivo(matchId, youth);
        CompletarPartidoDerecha(slot);
        // The slot's data changed: the view rebuilds and shows the add panel.
        TabControlPartidosChange();
    } catch (...) {
    }
}
