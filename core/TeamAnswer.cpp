#include "core/TeamAnswer.h"

XmlNode TeamNode(const XmlNode& Root, const QString& TeamId) {
    const XmlNode single = Root.Child(QStringLiteral("Team"));
    if (!single.IsNull())
        return single;
    XmlNode first;
    for (const XmlNode& team : Root.Child(QStringLiteral("Teams")).Children()) {
        if (team.NodeName() != QLatin1String("Team"))
            continue;
        if (!TeamId.isEmpty()) {
            if (team.ChildText(QStringLiteral("TeamID")).trimmed() == TeamId)
                return team;
            continue;
        }
        if (team.ChildText(QStringLiteral("IsPrimaryClub")) == QLatin1String("True"))
            return team;
        if (first.IsNull())
            first = team;
    }
    return first;
}
