// What the first run reads from the game's team and world files, with the real answers of the game
// (whose team details list the user's teams under Teams) beside the older form the service sends.
#include "core/FirstRun.h"
#include "platform/XmlDocument.h"
#include "support/Samples.h"
#include "support/TestHelpers.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
XmlDocument Parsed(const QString& xml) {
    XmlDocument doc;
    doc.SetXML(xml);
    doc.SetActive(true);
    return doc;
}
} // namespace

TEST(FirstRun, TeamDetailsOfTheRealGameFillTheRecord) {
    XmlDocument doc;
    doc.LoadFromFile(SampleFile("teamdetails"));
    TDialogoResultado r;
    LeerDetallesEquipo(doc.DocumentElement(), r);
    const QStringList got = {r.Pais,   r.InicioFecha,     r.UsuarioID, r.Team,
                             r.TeamID, r.TeamIDJuveniles, r.LigaID,    r.LigaNombre};
    EXPECT_EQ(got, QStringList({"France", "2004-03-31", "1136671", "Les piments verts", "295023", "10563",
                                "21672", "V.96"}));
    EXPECT_EQ(r.InicioTemporadaSemana, "22-05"); // France started on 1997-09-20
}

TEST(FirstRun, CzechNameIsNormalisedAndTheCurrencyOfTheLastLeagueOfThatNameCounts) {
    const XmlDocument team = Parsed(QStringLiteral(
        "<HattrickData><User><UserID>7</UserID><ActivationDate>2009-06-01 10:11:12</ActivationDate></User>"
        "<Team><TeamID>42</TeamID><TeamName>Slavoj</TeamName><League><LeagueName>Česká republika</LeagueName>"
        "</League></Team></HattrickData>"));
    TDialogoResultado r;
    LeerDetallesEquipo(team.DocumentElement(), r);
    EXPECT_EQ(QStringList({r.Pais, r.InicioFecha, r.InicioTemporadaSemana, r.TeamID}),
              QStringList({"Ceská republika", "2009-06-01", "24-03", "42"}));
    const XmlDocument world = Parsed(QStringLiteral(
        "<HattrickData><LeagueList>"
        "<League><LeagueName>Ceská republika</LeagueName><Country><CurrencyName>Old</CurrencyName>"
        "<CurrencyRate>1</CurrencyRate></Country></League>"
        "<League><LeagueName>Sverige</LeagueName><Country><CurrencyName>Krona</CurrencyName>"
        "<CurrencyRate>1</CurrencyRate></Country></League>"
        "<League><LeagueName>Ceská republika</LeagueName><Country><CurrencyName>Koruna</CurrencyName>"
        "<CurrencyRate>0,4</CurrencyRate></Country></League></LeagueList></HattrickData>"));
    LeerMonedaMundo(world.DocumentElement(), r);
    EXPECT_EQ(r.Moneda, "Koruna");
    EXPECT_DOUBLE_EQ(r.FactorMoneda, 0.4);
    // The real world file; no league of the name keeps what the record held.
    r.Pais = QStringLiteral("Argentina");
    XmlDocument real;
    real.LoadFromFile(SampleFile("worlddetails"));
    LeerMonedaMundo(real.DocumentElement(), r);
    EXPECT_EQ(r.Moneda, "Pesos");
    EXPECT_DOUBLE_EQ(r.FactorMoneda, 10);
    r.Pais = QStringLiteral("Nowhere");
    LeerMonedaMundo(world.DocumentElement(), r);
    EXPECT_EQ(r.Moneda, "Pesos");
}

// Hostile team and world answers. A value that fails its check (an ID that is no number, a date that is
// none, a rate out of range) fails the read and leaves the record as it was, so the dialog reports a
// failed download and nothing reaches the settings; a name is kept cut at 200 characters.
TEST(FirstRun, HostileAnswersLeaveTheRecordOrKeepOnlyCheckedValues) {
    const QString team =
        "<HattrickData><User><UserID>%1</UserID><ActivationDate>%2</ActivationDate></User><Team>"
        "<TeamID>%3</TeamID><TeamName>%4</TeamName><LeagueLevelUnit><LeagueLevelUnitID>%5"
        "</LeagueLevelUnitID></LeagueLevelUnit></Team></HattrickData>";
    const QString longName(10000, 'n');
    const std::pair<QString, bool> teams[] = {
        {"<HattrickData><FileName>chpperror.xml</FileName><Error>Unauthorized</Error></HattrickData>", false},
        {"<HattrickData><FileName>worlddetails.xml</FileName><LeagueList/></HattrickData>", false},
        {"<HattrickData><Teams>" + QString("<Team><TeamID>7</TeamID></Team>").repeated(100000) +
             "</Teams>"
             "</HattrickData>",
         true},                                                    // huge: the first team
        {team.arg("1", "2009-13-45", "42", "A", "3"), false},      // no such date
        {team.arg("1", "2009-06-01", "../../x", "A", "3"), false}, // IDs that are no numbers
        {team.arg("1", "2009-06-01", "42", "A", "abc"), false},
        {team.arg("1e3", "2009-06-01", "42", "A", "3"), false},
        {team.arg("1", "2009-06-01", "42", longName, "3"), true}};
    for (const auto& [xml, read] : teams) {
        TDialogoResultado r;
        r.TeamID = "old";
        EXPECT_EQ(LeerDetallesEquipo(Parsed(xml).DocumentElement(), r), read) << xml.left(120).toStdString();
        EXPECT_EQ(r.TeamID, read ? (xml.size() > 1000000 ? "7" : "42") : "old");
        EXPECT_EQ(r.Team.size(), read && xml.contains(longName) ? 200 : 0);
    }
    const QString world =
        "<HattrickData><LeagueList><League><LeagueName>X</LeagueName><Country><CurrencyName>%1"
        "</CurrencyName><CurrencyRate>%2</CurrencyRate></Country></League></LeagueList>"
        "</HattrickData>";
    const std::tuple<QString, QString, double> rates[] = {{"-5", "old", -1},
                                                          {"1099511627776", "old", -1},
                                                          {"abc", "old", -1},
                                                          {"0,4", "Krona", 0.4},
                                                          {"", "Krona", 0}};
    for (const auto& [rate, currency, factor] : rates) {
        TDialogoResultado r;
        r.Pais = "X";
        r.Moneda = "old";
        r.FactorMoneda = -1;
        EXPECT_EQ(LeerMonedaMundo(Parsed(world.arg("Krona", rate)).DocumentElement(), r), currency != "old")
            << rate.toStdString();
        EXPECT_EQ(r.Moneda, currency);
        EXPECT_DOUBLE_EQ(r.FactorMoneda, factor);
    }
    TDialogoResultado r;
    r.Pais = "X";
    EXPECT_TRUE(LeerMonedaMundo(Parsed(world.arg(longName, "1")).DocumentElement(), r));
    EXPECT_EQ(r.Moneda.size(), 200);
    XmlDocument truncated;
    truncated.SetXML(team.arg("1", "2009-06-01", "42", "A", "3").left(60));
    EXPECT_THROW(truncated.SetActive(true), EXmlParseError); // not read at all: a failed download
    // What the failure box says names neither the routine nor the cache file.
    for (const char* result : {"Error SalvarFicheroXML /p/data/Xml/teamDetails.xml",
                               "Error BajarFicheroXML /p/x", "Error. ConexionLogin. Error Socket error # 7"})
        EXPECT_FALSE(DownloadErrorText(result).contains(QRegularExpression("Fichero|/p/|Conexion")))
            << result;
}
