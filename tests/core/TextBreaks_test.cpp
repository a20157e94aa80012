// Break opportunities in long runs of text: after every MaxRun characters without a blank, never inside
// a tag or a character reference.
#include "core/TextBreaks.h"

#include <gtest/gtest.h>

namespace {
// "|" stands for the zero-width space.
QString Z(const char* text) {
    return QString::fromUtf8(text).replace(u'|', QChar(ZeroWidthSpace));
}
} // namespace

TEST(TextBreaks, LongRunsGetAZeroWidthSpaceAndMarkupStaysWhole) {
    const struct {
        const char* in;
        const char* text; // TextWithBreakOpportunities, MaxRun 4
        const char* html; // HtmlWithBreakOpportunities, MaxRun 4
    } cases[] = {
        {"abcd efgh", "abcd| efgh|", "abcd| efgh|"},
        {"abc", "abc", "abc"},
        {"abcdefghij", "abcd|efgh|ij", "abcd|efgh|ij"},
        // Tags and their attributes are neither counted nor cut; a reference counts as one character.
        {"ab<font color=#F00 x=\"yyyyyy\">cdef</font>", "ab<f|ont colo|r=#F|00 x=\"y|yyyy|y\">c|def<|/fon|t>",
         "ab<font color=#F00 x=\"yyyyyy\">cd|ef</font>"},
        {"a&amp;&#8211;bcdef", "a&am|p;&#|8211|;bcd|ef", "a&amp;&#8211;b|cdef|"},
        // An earlier break opportunity starts a new run; an unclosed "<" is text.
        {"ab|cdef", "ab|cdef|", "ab|cdef|"},
        {"a<bcdefg", "a<bc|defg|", "a<bc|defg|"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextWithBreakOpportunities(Z(c.in), 4), Z(c.text)) << c.in;
        EXPECT_EQ(HtmlWithBreakOpportunities(Z(c.in), 4), Z(c.html)) << c.in;
    }
}
