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
    // Input, then TextWithBreakOpportunities and HtmlWithBreakOpportunities with MaxRun 4.
    const char* const cases[][3] = {
        {"abc", "abc", "abc"},
        {"abcd efghij", "abcd| efgh|ij", "abcd| efgh|ij"},
        // Tags and their attributes are neither counted nor cut; a reference counts as one character.
        {"ab<font color=#F00 x=\"yyyyyy\">cdef</font>", "ab<f|ont colo|r=#F|00 x=\"y|yyyy|y\">c|def<|/fon|t>",
         "ab<font color=#F00 x=\"yyyyyy\">cd|ef</font>"},
        {"a&amp;&#8211;bcdef", "a&am|p;&#|8211|;bcd|ef", "a&amp;&#8211;b|cdef|"},
        // An earlier break opportunity starts a new run; an unclosed "<" is text.
        {"ab|cdef", "ab|cdef|", "ab|cdef|"},
        {"a<bcdefg", "a<bc|defg|", "a<bc|defg|"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextWithBreakOpportunities(Z(c[0]), 4), Z(c[1])) << c[0];
        EXPECT_EQ(HtmlWithBreakOpportunities(Z(c[0]), 4), Z(c[2])) << c[0];
    }
}
