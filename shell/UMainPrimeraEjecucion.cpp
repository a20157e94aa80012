// TFMain: the first run. The first-run dialog asks the game for the new user's team; its result goes
// into the settings, the options window and the matches window, and the matches tab is shown.
#include "shell/UMain.h"

#include "core/FirstRun.h"
#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "shell/Guarded.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <exception>
#include <memory>

namespace {

const QString kOptions = QStringLiteral("Opciones");

} // namespace

void TFMain::PrimeraEjecucion() {
    if (!FOptions || !FPartidos || !SettingsIni)
        return; // started before the windows exist: nothing to fill
    std::unique_ptr<TFDialogoInicioEquipo> dialog;
    try {
        dialog = std::make_unique<TFDialogoInicioEquipo>(this);
        dialog->setWindowTitle(
            LangText(QStringLiteral("TeamStartDialog"), QStringLiteral("LabelTitle"), QString()));
        // Only a successful connect counts; the abort button, Esc and closing the dialog give up.
        if (ModalDialog::Exec(*dialog) != ModalDialog::ResultOK) {
            dialog.reset();
            Shutdown(ShutdownMode::FirstRunAborted);
            Guarded([this] { ComprobarFicheros(files_); });
            return;
        }
        const TDialogoResultado& r = DialogoResultado;

        Guarded([&] {
            FactorMoneda = r.FactorMoneda;
            SettingsIni->WriteFloat(kOptions, QStringLiteral("FactorMoneda"), r.FactorMoneda);
        });

        Guarded([&] {
            TFOptions& o = *FOptions;
            o.EditUsuario->setText(r.Usuario);
            o.EditUsuarioID->setText(r.UsuarioID);
            o.EditTeam->setText(r.Team);
            o.EditTeamID->setText(r.TeamID);
            o.EditTeamIDJuveniles->setText(r.TeamIDJuveniles);
            o.EditLigaID->setText(r.LigaID);
            o.EditLigaNombre->setText(r.LigaNombre);
            o.EditPais->setText(r.Pais);
            o.EditMoneda->setText(r.Moneda);
            o.LabelInicioFecha->setText(r.InicioFecha);
            // Split at the hyphen: seasons of three digits read right.
            const SeasonWeek start = SplitSeasonWeek(r.InicioTemporadaSemana);
            o.LabelInicioTemporada->setText(start.Season);
            o.LabelInicioSemana->setText(start.Week);

            const std::pair<const char*, QString> values[] = {
                {"Usuario", r.Usuario},
                {"UsuarioID", r.UsuarioID},
                {"Team", r.Team},
                {"TeamID", r.TeamID},
                {"TeamIDJuveniles", r.TeamIDJuveniles},
                {"LigaID", r.LigaID},
                {"LigaNombre", r.LigaNombre},
                {"Pais", r.Pais},
                {"Moneda", r.Moneda},
                {"LabelInicioFecha", o.LabelInicioFecha->text()},
                {"LabelInicioTemporada", o.LabelInicioTemporada->text()},
                {"LabelInicioSemana", o.LabelInicioSemana->text()},
            };
            for (const auto& [key, value] : values)
                SettingsIni->WriteString(kOptions, QString::fromLatin1(key), value);
            SettingsIni->UpdateFile();
        });

        Guarded([] {
            for (int k = 0; k < SoundKind::Count; ++k)
                FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
        });
        FOptions->GuardarDatos();

        Guarded([&] {
            TFPartidos& p = *FPartidos;
            p.EditUsuario->setText(FOptions->EditUsuario->text());
            p.EditPassword->setText(r.Password);
            p.CheckBoxProxy->setChecked(r.Proxy);
            p.CheckBoxProxyClick();
            p.EditProxyServer->setText(r.ProxyServer);
            p.EditProxyPort->setText(r.ProxyPort);
            p.EditProxyUserName->setText(r.ProxyUserName);
            p.EditProxyPassword->setText(r.ProxyPassword);
        });

        dialog.reset();
        if (CurrentForm)
            CurrentForm->hide();
        {
            const QSignalBlocker blocker(TabControl1);
            TabControl1->setCurrentIndex(0);
        }
        CurrentForm = FPartidos;
        FormVisible(FPartidos, DockArea);
        FPartidos->update();

        // English, set from code: the language change (which ends the program) must not run.
        QComboBox* languages = FOptions->ComboBoxIdioma;
        const int english = languages->findText(QStringLiteral("English"), Qt::MatchExactly);
        if (english >= 0) {
            const QSignalBlocker blocker(languages);
            languages->setCurrentIndex(english);
        }
        SettingsIni->WriteString(
            kOptions, QStringLiteral("LanguageOld"),
            SettingsIni->ReadString(kOptions, QStringLiteral("Language"), QStringLiteral("English")));
        SettingsIni->WriteString(kOptions, QStringLiteral("Language"), languages->currentText());
        SettingsIni->WriteInteger(kOptions, QStringLiteral("Idioma"), languages->currentIndex());
        SettingsIni->UpdateFile();
    } catch (const std::exception&) {
        dialog.reset();
        ShowMessage(QStringLiteral("Error. First execution"));
    }
    Guarded([this] { ComprobarFicheros(files_); });
}
