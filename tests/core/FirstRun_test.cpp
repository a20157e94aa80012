// What the first run reads from the game's team and world files, with the real answers of the game
// (whose team details list the user's teams under Teams) beside the older form the service sends.
#include "core/FirstRun.h"
#include "platform/XmlDocument.h"
#include "support/Samples.h"

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
