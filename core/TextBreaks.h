#pragma once
// Break opportunities for text layout. A run of characters without a blank has to be laid out as one
// word, and the cost of finding where to wrap it grows faster than its length: a commentary text of a
// few hundred thousand characters without a blank held the window for a minute. A zero-width space
// after every LongestUnbrokenRun characters of such a run lets it wrap there, invisible otherwise.
#include <QString>

constexpr int LongestUnbrokenRun = 40;
constexpr char16_t ZeroWidthSpace = u'\u200B';

// Text with a zero-width space after every MaxRun characters that follow one another without a blank
// (or an earlier break opportunity).
QString TextWithBreakOpportunities(const QString& Text, int MaxRun = LongestUnbrokenRun);
// The same for the text of an HTML page: tags (with their attribute values) and character references
// are left whole, and a reference counts as one character.
QString HtmlWithBreakOpportunities(const QString& Html, int MaxRun = LongestUnbrokenRun);
