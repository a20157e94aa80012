#pragma once
// The short description of an event class in the user's language ("Goal. Special event: Corner"),
// shown above an event's own text in the match view and the events panel.
#include <QString>

// The description of one of the recognised event classes, built from words of section "Events";
// any other class (the empty one and the program's own "QZ_3Tarjeta_" included) gives "".
QString EventClassText(const QString& EventClass);
