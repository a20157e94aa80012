#pragma once
// The team a team-details answer is about. Every reader of that answer (the first run, the favourites,
// the connect, a followed match's two teams) takes its team from here, so that each reads the same
// layout the same way.
#include "platform/XmlDocument.h"

#include <QString>

// The team element of a team-details answer (Root: its HattrickData element). Older answers hold one
// Team under the root, read whatever it names. Current ones list the user's teams under Teams, the one
// asked for not necessarily first: then the team whose TeamID is TeamId; without a TeamId the primary
// club, else the first. Absent (null) when the answer names no such team.
XmlNode TeamNode(const XmlNode& Root, const QString& TeamId = QString());
