#pragma once
// What the pages of the end-of-match report share: their labels, the slot's end-of-match files and
// the reading of a cached answer.
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/XmlDocument.h"

#include <QLabel>
#include <QString>

namespace Fin {

inline QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

// A label of the report at a fixed place; its text is shown as plain text (service data is no markup).
inline QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry = QRect()) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    if (geometry.isValid())
        label->setGeometry(geometry);
    return label;
}

// The files the end of a match leaves for the report of its slot.
inline QString DetailsFile(int slot) {
    return AppDir + QStringLiteral("data/Xml/matchDetails%1.xml").arg(slot);
}
inline QString LineupFile(int slot, const QString& side) {
    return AppDir + QStringLiteral("data/Xml/matchLineup%1%2.xml").arg(slot).arg(side);
}

// Loads a cached answer into one of the data module's documents and gives its root to Read when it
// is the answer named Kind ("matchdetails.xml"); an error document or another file's answer is read
// as a missing file. Any failure passes to the caller; the document is inactive again afterwards.
template <typename Read>
void ReadAnswer(XmlDocument TDataModule1::*Document, const QString& Path, const QString& Kind, Read read) {
    if (!DataModule1)
        throw Exception(QStringLiteral("No data module"));
    XmlDocument& Doc = DataModule1->*Document;
    struct Inactive {
        XmlDocument& doc;
        ~Inactive() { doc.SetActive(false); }
    } inactive{Doc};
    Doc.SetActive(false);
    Doc.LoadFromFile(Path);
    const XmlNode root = Doc.DocumentElement();
    if (!IsAnswerOf(root, Kind))
        throw Exception(Path + QStringLiteral(" is not a ") + Kind + QStringLiteral(" answer"));
    read(root);
}

} // namespace Fin
