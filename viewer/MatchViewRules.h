#pragma once
// Rules of the match view that depend on nothing but their inputs.
#include <QString>

// The picture files of a kit code, relative to the program folder; an empty name means no picture.
// Letters "A".."N" use the shipped icons under images/ (no shirt for "L" and "M"); any other letter
// the team's downloaded GIF files under data/Xml/. An empty code gives no files.
struct KitFiles {
    QString Shirt;
    QString Shorts;
    QString Socks;
};
KitFiles KitPictureFiles(const QString& Dress, const QString& TeamID);
