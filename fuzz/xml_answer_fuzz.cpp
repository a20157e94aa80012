// The readers of the service's answers that run without a window, on any answer body: the answer
// text (AnswerText), its check and save (SalvarFicheroXML), the league-file fix-up
// (InsertMissingActionType), loading the saved file (XmlDocument) and walking it as the readers do.
// What SalvarFicheroXML saved must load again as the same document.
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "fuzz/FuzzSupport.h"
#include "platform/XmlDocument.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Reads every element the way the program's readers do, within a budget of nodes.
void walk(const XmlNode& node, int& budget) {
    if (node.IsNull() || --budget < 0)
        return;
    (void)node.NodeName();
    (void)node.Attribute(QStringLiteral("Index"));
    (void)node.ChildText(QStringLiteral("EventList/Event/EventText"));
    for (const XmlNode& child : node.Children()) {
        if (budget <= 0)
            break;
        walk(child, budget);
    }
}

QString documentText(const QString& path) {
    XmlDocument doc;
    doc.LoadFromFile(path);
    const XmlNode root = doc.DocumentElement();
    return root.NodeName() + u'\x01' + root.Text();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    DataModule1 = new TDataModule1(); // kept for the process's life, as in the program
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fixtures = input.ConsumeBool();
    const std::string body = input.ConsumeRemainingBytesAsString();
    const QString text = AnswerText(QByteArray::fromStdString(body));
    const QString file = fuzz::ScratchFile("answer.xml");
    QFile::remove(file);
    if (!SalvarFicheroXML(text, file)) {
        FUZZ_CHECK(!QFile::exists(file)); // nothing written from an answer that is not XML
        return 0;
    }

    XmlDocument parsed;
    parsed.SetXML(text);
    parsed.SetActive(true);
    int budget = 2000;
    walk(parsed.DocumentElement(), budget);
    (void)IsAnswerOf(parsed.DocumentElement(), QStringLiteral("live.xml"));
    const QString saved = documentText(file);
    FUZZ_CHECK(saved == parsed.DocumentElement().NodeName() + u'\x01' + parsed.DocumentElement().Text());

    InsertMissingActionType(file,
                            fixtures ? QStringLiteral("leagueFixtures") : QStringLiteral("leagueDetails"));
    documentText(file); // still a document: the fix-up writes nothing that does not parse
    return 0;
}
