// The language change of the options window: the new language is stored and the program starts
// again in it. A language whose file is missing is refused: the program keeps its language.
#include "core/Settings.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <exception>

namespace {

QString OptionsText(const char* key, const char* englishDefault) {
    return LangText(QStringLiteral("Options"), QLatin1String(key), QString::fromUtf8(englishDefault));
}

} // namespace

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

        const QString file = LanguageFileName(AppDir, text);
        if (!QFileInfo(file).isFile()) {
            // Starting again without the file would show every text in English: say so and stay.
            ShowMessage(OptionsText("MessageLanguageMissing",
                                    "The file of this language is missing, so Velkaro keeps its current "
                                    "language. Install Velkaro again to get the language files back.") +
                        QStringLiteral("\n\n") + QDir::toNativeSeparators(file));
            const QSignalBlocker blocker(ComboBoxIdioma);
            const int current = ComboBoxIdioma->findText(
                SettingsIni->ReadString(options, QStringLiteral("Language"), QStringLiteral("English")));
            ComboBoxIdioma->setCurrentIndex(
                current >= 0 ? current : SettingsIni->ReadInteger(options, QStringLiteral("Idioma"), 0));
            return;
        }
        {
            // The notice comes in the new language, read from its own file; a file without it gives
            // the notice of the language in use.
            const IniFile newLanguage(file);
            QString notice = newLanguage.ReadString(QStringLiteral("Options"),
                                                    QStringLiteral("MessageLanguageChange1"), QString());
            if (notice.isEmpty())
                notice = OptionsText("MessageLanguageChange1",
                                     "Velkaro now closes and starts again in the language you chose.");
            Dialogs::MessageBox({Dialogs::Kind::Information, QString(), notice, {Dialogs::Button::Ok}});
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
    // the program, which then starts again in the new language.
    if (LanguageChangeShutdown)
        LanguageChangeShutdown();
    else if (FMain)
        FMain->Shutdown(TFMain::ShutdownMode::LanguageChanged);
    else
        QCoreApplication::quit();
}
