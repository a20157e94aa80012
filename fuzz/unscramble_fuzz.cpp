// The cell unscrambler on any text, and the scrambler's round trip on any bytes and key: unscrambling
// a scrambled text gives the bytes back (a byte 0, which no text holds, comes back as 255).
#include "core/Encryp.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Exceptions.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString key = QString::fromUtf8(input.ConsumeRandomLengthString(12));
    const int start = input.ConsumeIntegral<uint8_t>();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes = QByteArray::fromStdString(rest);

    // A cell line of a table file as the reader gets it.
    TVeskEncryption scrambler;
    scrambler.SetKey(key);
    scrambler.Action = atDecryption;
    scrambler.SetInput(QString::fromUtf8(bytes));
    try {
        scrambler.Execute();
    } catch (const EConvertError&) {
    }

    if (bytes.isEmpty())
        return 0;
    const QString scrambled = TVeskEncryption::ScrambleBytes(bytes, key, start);
    FUZZ_CHECK(scrambled.size() == 2 + 2 * bytes.size());
    QByteArray expected = bytes;
    expected.replace('\0', '\xFF');
    FUZZ_CHECK(TVeskEncryption::UnscrambleBytes(scrambled, key) == expected);
    return 0;
}
