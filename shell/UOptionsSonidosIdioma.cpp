// The language change of the options window: the new language is stored and the program ends; the
// next start opens the new language file.
#include "core/Settings.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"

#include <QCoreApplication>
#include <exception>

void TFOptions::ComboBoxIdiomaChange() {
    try {
        const QString text = ComboBoxIdioma->currentText();
        int index = -1;
        for (int i = 0; i < ComboBoxIdioma->count(); ++i) {
            if (ComboBoxIdioma->itemText(i) == text) {
                index = i;
                break;
            }
        }
        if (index < 0) {
            ShowMessage(QStringLiteral("\"") + text +
                        LangText(QStringLiteral("General"), QStringLiteral("MessageNoValid"),
                                 QStringLiteral("No valid language")));
            ComboBoxIdioma->setFocus();
            return;
        }
        if (!SettingsIni)
            return;
        const QString options = QStringLiteral("Opciones");
        if (text == SettingsIni->ReadString(options, QStringLiteral("Language"), QString()))
            return;

        {
            // The notice comes in the new language, read from its own file (a missing file: no text).
            const IniFile newLanguage(LanguageFileName(AppDir, text));
            Dialogs::MessageBox({Dialogs::Kind::Information,
                                 QString(),
                                 newLanguage.ReadString(QStringLiteral("Options"),
                                                        QStringLiteral("MessageLanguageChange1"), QString()),
                                 {Dialogs::Button::Ok}});
        }
        SettingsIni->WriteString(
            options, QStringLiteral("LanguageOld"),
            SettingsIni->ReadString(options, QStringLiteral("Language"), QStringLiteral("English")));
        SettingsIni->WriteString(options, QStringLiteral("Language"), text);
        // The index of the entry the text was found at: a typed text leaves the combo's own index
        // behind.
        SettingsIni->WriteInteger(options, QStringLiteral("Idioma"), index);
        try {
            SettingsIni->UpdateFile();
        } catch (const std::exception&) {
            // The shutdown writes the file once more.
        }
    } catch (const std::exception&) {
        return; // nothing stored: the program keeps running
    }

    // The settings and language objects stay until the process ends; the one shutdown routine ends
    // the program.
    if (LanguageChangeShutdown)
        LanguageChangeShutdown();
    else if (FMain)
        FMain->Shutdown(TFMain::ShutdownMode::LanguageChanged);
    else
        QCoreApplication::quit();
}
