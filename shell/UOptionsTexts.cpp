// The options window's captions from the language file.
#include "shell/UOptions.h"

#include "core/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

QString Text(const char* section, const char* key, const char* englishDefault) {
    return LangText(QString::fromLatin1(section), QString::fromLatin1(key),
                    QString::fromUtf8(englishDefault));
}

} // namespace

void TFOptions::LeerIdioma() {
    const QString colon = QStringLiteral(":");
    const QString blank = QStringLiteral(" ");

    GroupBox1->setTitle(Text("General", "LabelTeamStart", "Hattrick Team Start"));
    GroupBoxTiempo->setTitle(Text("Youth", "LabelCurrent", "Current data"));
    LabelUsuario->setText(Text("General", "LabelUser", "User:"));
    LabelUsuarioID->setText(Text("General", "LabelUserID", "UserID:"));
    LabelTeam->setText(Text("General", "LabelTeam", "Team") + colon);
    LabelTeamID->setText(Text("General", "LabelTeamID", "TeamID:"));
    LabelSupporter->setText(Text("General", "LabelSupporter", "Supporter:"));
    LabelTituloInicioFecha->setText(Text("General", "LabelDate", "Date:"));
    LabelTituloFecha->setText(Text("General", "LabelDate", "Date:"));
    LabelTituloInicioTemporada->setText(Text("General", "LabelSeason", "Season:"));
    LabelTituloInicioSemana->setText(Text("General", "LabelWeek", "Week") + colon);
    LabelTituloTemporada->setText(Text("General", "LabelSeason", "Season:"));
    LabelTituloSemana->setText(Text("General", "LabelWeek", "Week") + colon);
    LabelMoneda->setText(Text("General", "LabelCurrency", "Currency:"));
    LabelIdioma->setText(Text("Options", "LabelLanguage", "Language:"));
    LabelPais->setText(Text("General", "LabelCountry", "Country:"));
    LabelLigaID->setText(Text("General", "LeagueID", "LeagueID") + colon);
    LabelLigaNombre->setText(Text("General", "LeagueName", "League Name") + colon);

    PageControlFavoritos->setTabText(PageControlFavoritos->indexOf(TabSheetFavoritos),
                                     Text("Matches", "Favourites", "Favourites") + blank);
    LabelFavoritosGrupo->setText(Text("General", "LabelGroup", "Group") + colon);
    LabelFavoritosEquipo->setText(Text("General", "LabelTeam", "Team") + colon);
    LabelFavoritosTeamID->setText(Text("General", "LabelTeamID", "TeamID") + colon);
    ButtonFavoritosBorrar->setText(Text("General", "LabelDelete", "Delete"));
    GroupBoxFavoritosAnadir->setTitle(Text("General", "LabelAdd", "Add") + blank);
    LabelFavoritosGrupoAnadir->setText(Text("General", "LabelGroup", "Group") + colon);
    LabelFavoritosTeamIDAnadir->setText(Text("General", "LabelTeamID", "TeamID") + colon);
    ButtonFavoritosAnadir->setText(Text("General", "LabelAdd", "Add"));

    GroupBoxSonidos->setTitle(Text("Options", "Sounds", "Sounds") + blank);
    CheckBoxSonidos->setText(Text("Options", "Enabled", "Enabled"));
    LabelSonido[SoundKind::MiGol]->setText(Text("Options", "GoalMyTeam", "My team goal"));
    LabelSonido[SoundKind::ContraGol]->setText(Text("Options", "GoalMyRival", "My rival goal"));
    LabelSonido[SoundKind::OtroGol]->setText(Text("Options", "GoalOtherTeam", "Other team goal"));
    LabelSonido[SoundKind::Ocasion]->setText(Text("Matches", "LabelChances", "Chances"));
    LabelSonido[SoundKind::InicioPartido]->setText(Text("Options", "MatchBegins", "Match begins"));
    LabelSonido[SoundKind::FinPartido]->setText(Text("Options", "MatchEnds", "Match ends"));
    LabelSonido[SoundKind::Tarjeta]->setText(Text("Matches", "LabelCards", "Cards"));
    LabelSonido[SoundKind::Lesion]->setText(Text("Matches", "LabelInjuries", "Injuries"));
    LabelDuracion->setText(Text("General", "Duration", "Duration") + colon);
    LabelMilisegundos->setText(QStringLiteral("(") + Text("General", "Miliseconds", "miliseconds") +
                               QStringLiteral(")"));

    PageControlFavoritos->setTabText(PageControlFavoritos->indexOf(TabSheetListaGrabada),
                                     Text("General", "RecordedList", "Recorded list") + blank);
    TBKStringGrid& recorded = datos_.BKStringGridListaGrabada;
    recorded.SetCells(RecordedColumn::RecordedTeamName, 0, Text("General", "LabelTeam", "Team"));
    recorded.SetCells(RecordedColumn::RecordedTeamId, 0, Text("General", "LabelTeamID", "TeamID"));
    BitBtnListaAnadir->setText(Text("General", "LabelAdd", "Add"));
    BitBtnListaBorrar->setText(Text("General", "LabelDelete", "Delete"));
}
