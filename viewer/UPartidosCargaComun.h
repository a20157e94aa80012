#pragma once
// What the connect sequence and the adding and removing of matches share: cache file names, the
// request paths of the live list and the youth suffix.
#include "core/Settings.h"
#include "core/UConectar.h"

#include <QString>

class XmlNode;

namespace Carga {

// Writes a match of a matches list or of the live list (the two carry the same elements) into row Slot
// of the match table: its ID, the teams' IDs (as numbers) and names (cut), and its start. False, and
// nothing written, when a team ID is not a number or the start is far longer than a date.
bool FillMatchRow(int Slot, const QString& MatchId, const XmlNode& Match);

// A file of the download cache.
inline QString XmlFile(const QString& name) {
    return AppDir + QStringLiteral("data/Xml/") + name;
}
inline QString LiveFile() {
    return XmlFile(QStringLiteral("live.xml"));
}

// Appended last to every request about a youth match or team.
inline QString YouthSuffix(bool youth) {
    return youth ? QStringLiteral("&isYouth=true") : QString();
}

inline QString TeamMatchesPath(const QString& teamId, bool youth) {
    return ChppPath + QStringLiteral("matches&teamID=") + teamId + YouthSuffix(youth);
}
inline QString LiveAddPath(const QString& matchId, bool youth) {
    return ChppPath + QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + matchId +
           YouthSuffix(youth);
}
inline QString LiveDeletePath(const QString& matchId, bool youth) {
    return ChppPath + QStringLiteral("live&version=1.4&actionType=deleteMatch&matchID=") + matchId +
           YouthSuffix(youth);
}
inline QString LiveListPath() {
    return ChppPath + QStringLiteral("live&version=1.4&actionType=viewNew");
}

// A text of the language section "Connection".
inline QString ConnectionText(const char* key, const char* englishDefault) {
    return LangText(QStringLiteral("Connection"), QLatin1String(key), QString::fromUtf8(englishDefault));
}

} // namespace Carga
