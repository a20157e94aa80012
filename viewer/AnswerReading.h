#pragma once
// Reading a cached answer of the game service in the matches window. The service may answer with its
// error document, or a broken answer may hold another file: a reader writes nothing from an answer
// that is not the file it asked for, so what the tables held stays and the next update asks again.
#include "core/UConectar.h"
#include "core/UDataModule1.h"

#include <QString>

enum class AnswerRead {
    Read,       // the file asked for: Read ran on its root (a failure inside it ended the reading only)
    NotTheFile, // the error document or another file: nothing was read
    Unreadable, // missing, or not XML
};

// Loads Path into XMLDocument1 and, when its root is the service's answer named FileName
// ("matchdetails.xml", "live.xml", ...), runs read(root). The document is inactive again afterwards,
// however the reading ends. ServiceError, when given, gets the text of the service's error document.
template <typename ReadRoot>
AnswerRead ReadAnswer(const QString& Path, const QString& FileName, ReadRoot read,
                      QString* ServiceError = nullptr) {
    XmlDocument& doc = DataModule1->XMLDocument1;
    AnswerRead outcome = AnswerRead::Unreadable;
    try {
        doc.SetActive(false);
        doc.LoadFromFile(Path);
        const XmlNode root = doc.DocumentElement();
        if (!IsAnswerOf(root, FileName)) {
            outcome = AnswerRead::NotTheFile;
            if (ServiceError)
                *ServiceError = root.ChildText(QStringLiteral("Error")).trimmed();
        } else {
            outcome = AnswerRead::Read;
            read(root);
        }
    } catch (...) {
    }
    doc.SetActive(false);
    return outcome;
}
