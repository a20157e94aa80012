// TFPartidos: the window's texts in the user's language, each with its English default.
#include "viewer/UPartidos.h"

#include "core/Settings.h"
#include "platform/widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

// The quoted name of the recorded list on the options tab, read afresh at each use.
QString RecordedListChoice() {
    return QLatin1Char('"') + T("Main", "TabOptions", "TabOptions") + QStringLiteral(" - ") +
           T("General", "RecordedList", "Recorded list") + QLatin1Char('"');
}

} // namespace

void TFPartidos::LeerIdioma() {
    // Connection panel.
    LabelUsuario->setText(T("General", "LabelUser", "User:"));
    LabelPassword->setText(T("General", "LabelSecurityCode", "Security Code") + QLatin1Char(':'));
    CheckBoxPassword->setText(T("Connection", "LabelSaveSecurityCode", ""));
    BitBtnConectar->setText(T("Connection", "LabelConnect", "Connect"));
    GroupBoxProxy->setTitle(T("Connection", "LabelProxy", "Proxy"));
    CheckBoxProxy->setText(T("Connection", "LabelUseProxy", "Use proxy"));
    Label3->setText(T("Connection", "LabelServer", "Server") + QLatin1Char(':'));
    Label4->setText(T("Connection", "LabelPort", "Port") + QLatin1Char(':'));
    // The same key as the login label, with a default of its own.
    Label5->setText(T("General", "LabelUser", "UserName:"));
    Label6->setText(T("General", "LabelPassword", "Password:"));
    RadioGroupTipoPartidos->setTitle(T("Matches", "StringGridMM8", "Match type") + QLatin1Char(' '));
    RadioGroupCargaInicial->setTitle(T("General", "InitialLoading", "Initial loading") + QLatin1Char(' '));
    Label7->setText(T("Connection", "LabelConnection", ""));

    // Item order is what the connect sequence reads the choices by.
    RadioGroupTipoPartidos->SetItems({T("Matches", "Live", "Live"), T("Matches", "Recorded", "Recorded")});
    const QString recordedList = RecordedListChoice();
    RadioGroupCargaInicial->SetItems(
        {T("Connection", "LabelMyTeam", "My team"), T("Matches", "MyLeague", "My league"), recordedList,
         T("Matches", "MyLeague", "My league") + QStringLiteral(" + ") + RecordedListChoice()});

    // The match view's panels, each concern with its own controls.
    LeerIdiomaAnadir();
    LeerIdiomaVista();
    LeerIdiomaFinPartido();
    LeerIdiomaPanelEventos();
    LeerIdiomaReloj();
    LeerIdiomaLiga();
}
