#include "viewer/MatchViewRules.h"

#include "core/EventLookups.h"

KitFiles KitPictureFiles(const QString& Dress, const QString& TeamID) {
    KitFiles files;
    if (Dress.isEmpty())
        return files;
    const QChar letter = Dress.at(0);
    if (letter < QLatin1Char('A') || letter > QLatin1Char('N')) {
        const QString stem = QStringLiteral("data/Xml/") + KitFileStem(Dress, TeamID);
        files.Shirt = stem + QStringLiteral(".Shirt.gif");
        files.Shorts = stem + QStringLiteral(".Shorts.gif");
        files.Socks = stem + QStringLiteral(".Socks.gif");
        return files;
    }
    const QString shirtColour = Dress.mid(1, 2);
    const QString images = QStringLiteral("images/");
    const char l = letter.toLatin1();
    QString pattern;
    if (l >= 'A' && l <= 'G')
        pattern = QStringLiteral("_03");
    else if (l == 'H')
        pattern = QStringLiteral("_02");
    else if (l == 'I')
        pattern = QStringLiteral("_06");
    else if (l == 'J')
        pattern = QStringLiteral("_16");
    else if (l == 'K')
        pattern = QStringLiteral("_19");
    if (!pattern.isEmpty())
        files.Shirt =
            images + QStringLiteral("Shirt_") + letter + pattern + shirtColour + QStringLiteral(".ico");
    else if (l == 'N')
        files.Shirt = images + QStringLiteral("dressShirt") + shirtColour + QStringLiteral(".ico");
    files.Shorts = images + QStringLiteral("dressPants") + Dress.mid(3, 2) + QStringLiteral(".ico");
    files.Socks = images + QStringLiteral("dressSocks") + Dress.mid(5, 2) + QStringLiteral(".ico");
    return files;
}
