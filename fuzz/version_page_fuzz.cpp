// The new-version check's reading of the maker's page, on any page: the body it reads
// (VersionPageBody) stays a few dozen characters whatever the page holds, and the check gives one of
// its three words.
#include "core/VersionCheck.h"
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString page = TextFile::Decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString body = VersionPageBody(page);
    // Seven characters at the start, seven before the first "=", the "=" and seven after it, the
    // characters kept before the older ones are dropped, and the end tag.
    FUZZ_CHECK(body.size() <= 8 * 7 + 1 + 7 + 7);
    const QString result = CompararVersion(body, QStringLiteral("0126700"));
    FUZZ_CHECK(result == QLatin1String("No") || result == QLatin1String("New") ||
               result == QLatin1String("Old"));
    return 0;
}
