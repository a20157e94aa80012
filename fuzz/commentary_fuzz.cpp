// The commentary conversions on any event text: the page (CommentaryToHtml) with its steps, the
// player-link colouring against two lineup texts, and the event-class description (EventTexts).
// The input is the event text, then the home lineup text, the away lineup text and a piece (a score
// separator, a link form, a percentage word), split by the byte 0x1F. The conversions get the pieces
// the program gives them: LinksToFont only the two link tags, ColourPercentages a word between blanks.
// Every page keeps its frame: the page's head before the text and "</body>" after it.
#include "core/Commentary.h"
#include "core/EventTexts.h"
#include "core/Settings.h"
#include "fuzz/FuzzSupport.h"

#include <QStringList>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The English words, as the program reads them (the percentage word among them).
    LanguageIni = new IniFile(QStringLiteral(VELKARO_SOURCE_DIR "/resources/language/English.lng"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QChar(0x1F));
    const QString text = parts.value(0);
    const QString home = parts.value(1);
    const QString away = parts.value(2);
    const QString piece = parts.value(3);

    const QString page = CommentaryToHtml(text);
    FUZZ_CHECK(page.startsWith(CommentaryPagePrefix));
    FUZZ_CHECK(page.endsWith(CommentaryPageSuffix));

    const QString coloured = ColourPlayerLinks(text, home, away);
    (void)CommentaryToHtml(coloured);
    (void)ColourPlayerLinksOf(text, home, away, piece);
    (void)LinksToFont(text, QStringLiteral("<A")); // the page itself takes "<a" first, then "<A"
    (void)ColourScores(text, piece, home);
    (void)ColourPercentages(text, " " + piece + " "); // the piece as the language's percentage word
    (void)ColourPercentages(text, " " + piece + ",");
    (void)EventClassText(text);
    (void)EventClassText(piece);
    return 0;
}
