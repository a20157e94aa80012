#pragma once
// The new-version check's reading of the maker's version page: the page's body as a browser reports
// it, and the fixed cutting rule that compares the version found there with the program's own.
#include <QString>

// The path of the version page on the maker's web host.
inline const QString VersionPagePath = QStringLiteral("/html/versionqz/versionqz.htm");

// The body element of an HTML page as a browser reports it (its outer HTML), as far as the check reads
// it: from its start tag, with the attributes it carries, to the seventh character after its first "="
// (or to its end tag when it has no "=" or ends sooner), and of what comes before that "=" only the
// first seven and the last seven characters. Tag names come lower-cased; character references in the
// text are decoded, except that "&", "<", ">" and the no-break space are written as references again.
// A page without a body element gets one around what follows its head. The page is read once, and no
// further than the check needs, whatever its length.
QString VersionPageBody(const QString& Page);

// The result of the check for a body's HTML and the program's own version: "No" when the text before
// the first "=" does not end in "Version", else "New" when the seven characters after it are greater
// (character by character) than LocalVersion, else "Old".
QString CompararVersion(const QString& BodyHtml, const QString& LocalVersion);
