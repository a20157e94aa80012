// RichEditLoadHTML on any page: the coloured runs of the events panel, rendered into a real rich edit
// (offscreen). Every run holds text, and the edit ends up holding exactly the runs' text (with the
// invisible break opportunities that keep long words from holding the layout).
#include "core/TextBreaks.h"
#include "fuzz/FuzzSupport.h"
#include "platform/widgets/RichEdit.h"
#include "viewer/HtmlDisplay.h"

#include <QApplication>

namespace {
RichEdit* Edit = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "richedit_fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process, as in the program
    Edit = new RichEdit();
    RichEditLoadHTML(Edit, QStringLiteral("<font color=red>warm</font> up")); // first-use caches
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString expected;
    for (const RichEditRun& run : RichEditRuns(html)) {
        FUZZ_CHECK(!run.Text.isEmpty());
        FUZZ_CHECK(run.Colour.isValid());
        QString text = run.Text;
        text.replace(QLatin1String("\r\n"), QStringLiteral("\r")); // as the edit inserts a run
        expected += TextWithBreakOpportunities(text);
    }
    RichEditLoadHTML(Edit, html);
    // The characters that start a new paragraph in a text document.
    for (const char16_t breaker : {u'\r', u'\n', char16_t(0xFDD0), char16_t(0xFDD1)})
        expected.replace(QChar(breaker), QChar::ParagraphSeparator);
    FUZZ_CHECK(Edit->document()->toRawText() == expected);
    return 0;
}
