// The options window's loading at start, its reading of the settings and its saving of the sounds.
#include "shell/Guarded.h"
#include "shell/UOptions.h"

#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/widgets/StringGridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <exception>

namespace {

const QString kOptions = QStringLiteral("Opciones");

// A missing settings object reads as an empty file: every key gives its default.
QString ReadOption(const QString& key, const QString& def) {
    return SettingsIni ? SettingsIni->ReadString(kOptions, key, def) : def;
}

int ReadOptionInteger(const QString& key, int def) {
    return SettingsIni ? SettingsIni->ReadInteger(kOptions, key, def) : def;
}

} // namespace

void TFOptions::FormCreate() {
    // Each table load is guarded on its own, so that one bad file leaves the others loaded.
    datos_.LoadFavourites(AppDir);
    datos_.LoadRecordedList(AppDir);
    ViewListaGrabada->Refresh();
    ViewListaGrabada->setCurrentIndex(ViewListaGrabada->model()->index(1, RecordedColumn::RecordedTeamName));
    {
        const QSignalBlocker blocker(PageControlFavoritos);
        PageControlFavoritos->setCurrentIndex(0);
    }
    Guarded([this] { FillListaGrabadaChooser(); });
    datos_.LoadEventsData(AppDir);
    datos_.LoadSounds(AppDir);
    for (int k = 0; k < SoundKind::Count; ++k)
        EditSonido[k]->setText(datos_.BKStringGridSonidos.Cells(0, SoundKind::Row(k)));
    CompletarSonidosVacios();

    LoadingOptions = 1;
    Guarded([this] { LeerIni(); });
    LoadingOptions = 0;
    Guarded([this] { LeerIdioma(); });
    Guarded([this] { CompletarGrupoFavoritos(); });
}

void TFOptions::CompletarSonidosVacios() {
    // A fresh program folder ships an empty sound table: the program's own sounds stand in.
    for (int k = 0; k < SoundKind::Count; ++k) {
        if (!EditSonido[k]->text().isEmpty())
            continue;
        const QString path = AppDir + SoundKind::DefaultFile(k);
        EditSonido[k]->setText(path);
        datos_.BKStringGridSonidos.SetCells(0, SoundKind::Row(k), path);
    }
}

void TFOptions::LeerIni() {
    EditUsuario->setText(ReadOption(QStringLiteral("Usuario"), QString()));
    EditUsuarioID->setText(ReadOption(QStringLiteral("UsuarioID"), QString()));
    EditTeam->setText(ReadOption(QStringLiteral("Team"), QString()));
    EditTeamID->setText(ReadOption(QStringLiteral("TeamID"), QString()));
    EditPais->setText(ReadOption(QStringLiteral("Pais"), QString()));
    EditMoneda->setText(ReadOption(QStringLiteral("Moneda"), QString()));
    EditLigaID->setText(ReadOption(QStringLiteral("LigaID"), QString()));
    EditLigaNombre->setText(ReadOption(QStringLiteral("LigaNombre"), QString()));

    const QString today = NormalDateHattrick(QDateTime(QDate::currentDate(), QTime(0, 0))).left(10);
    LabelFecha->setText(today);
    // Split at the hyphen: seasons of three digits read right.
    const SeasonWeek now = SplitSeasonWeek(SeasonWeekText(EditPais->text(), today));
    LabelTemporada->setText(now.Season);
    LabelSemana->setText(now.Week);

    LabelInicioFecha->setText(ReadOption(QStringLiteral("LabelInicioFecha"), QStringLiteral("00")));
    LabelInicioTemporada->setText(ReadOption(QStringLiteral("LabelInicioTemporada"), QStringLiteral("00")));
    LabelInicioSemana->setText(ReadOption(QStringLiteral("LabelInicioSemana"), QStringLiteral("00")));

    {
        // Setting the language from code must never run the language change.
        const QSignalBlocker blocker(ComboBoxIdioma);
        // An index the list does not hold (the migrations can produce one) shows English, not a blank.
        const int index = ReadOptionInteger(QStringLiteral("Idioma"), 0);
        ComboBoxIdioma->setCurrentIndex(index >= 0 && index < ComboBoxIdioma->count()
                                            ? index
                                            : ComboBoxIdioma->findText(QStringLiteral("English")));
    }

    CheckBoxSonidos->setChecked(ReadOption(QStringLiteral("Sonidos"), QStringLiteral("1")) ==
                                QLatin1String("1"));
    for (int k = 0; k < SoundKind::Count; ++k) {
        if (ReadOption(QStringLiteral("Sonidos") + SoundKind::Name(k), QStringLiteral("1")) ==
            QLatin1String("0"))
            CheckBoxSonidosKind[k]->setChecked(false);
    }
    for (int k = 0; k < SoundKind::Count; ++k)
        SpinEdit[k]->setValue(
            ReadOptionInteger(QStringLiteral("DuracionSonidos") + SoundKind::Name(k), 1500));
}

void TFOptions::GuardarDatos() {
    if (SettingsIni)
        SettingsIni->WriteString(kOptions, QStringLiteral("Usuario"), EditUsuario->text());
    for (int k = 0; k < SoundKind::Count; ++k)
        datos_.BKStringGridSonidos.SetCells(0, SoundKind::Row(k), EditSonido[k]->text());
    SalvarTabla(datos_.BKStringGridSonidos, SoundsFile);
}

bool TFOptions::SalvarTabla(TBKStringGrid& Grid, const QString& FileName) {
    // The table keeps its relative name; the file is written under the program folder, through a
    // temporary file, without touching the process's current directory.
    Grid.Filename = FileName;
    try {
        SaveTableTo(Grid, AppDir);
        return true;
    } catch (const std::exception&) {
        return false; // a failed save leaves the old file whole; nothing is reported
    }
}
