#pragma once
// Small GIF pictures of a designed kit (shirt, shorts, socks) in a team's two colours.
#include <QByteArray>
#include <QtGlobal>

enum class KitPart { Shirt, Shorts, Socks };

// A 24 x 24 GIF89a picture of the part on a transparent background; colours as 0xRRGGBB.
QByteArray KitGif(KitPart part, quint32 mainColour, quint32 secondColour);
