#pragma once
// A small club logo: a 64 x 64 PNG of a round badge in two colours with the club's initial band.
#include <QByteArray>
#include <QtGlobal>

// Colours as 0xRRGGBB.
QByteArray LogoPng(quint32 mainColour, quint32 secondColour);
