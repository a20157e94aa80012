#pragma once
// Whether a copy of the events-data table (data/EventsData.dat) can be used: without it no event has a
// category, so goals are not counted and nothing sounds. A damaged copy (cut short, overwritten) loads
// without complaint as far as it goes, so its shape is checked before it is trusted.
#include <QString>

// True when BaseDir + "data/EventsData.dat" reads as the table the program expects: the table file's
// header, exactly one line per cell of the table's rows and columns, an event type code of three digits
// or nothing in every row, class fields that are short numbers or empty, and at least one event type.
// BaseDir is a program folder or the install copies' folder "_install/" of one, ending in "/".
bool EventsDataFileIsSound(const QString& BaseDir);
