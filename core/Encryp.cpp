#include "core/Encryp.h"
#include "platform/Exceptions.h"
#include "platform/TextFile.h"

#include <QRandomGenerator>

namespace {
// Used in place of an empty Key.
const QByteArray kDefaultKey = "Ral Nev";

// One pair of hexadecimal digits as the number parser reads it: the text after the position may be
// shorter than two digits (a lone digit is its own value), an empty or non-hexadecimal text is a
// conversion error.
int hexValue(const QString& pair) {
    bool ok = !pair.isEmpty();
    int value = 0;
    for (QChar c : pair) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else {
            ok = false;
            break;
        }
        value = value * 16 + digit;
    }
    if (!ok)
        throw EConvertError(QString("'$%1' is not a valid integer value").arg(pair));
    return value;
}

// Walks the key 1, 2, ..., length, 1, 2, ... (positions counted from 1).
class KeyCycle {
public:
    explicit KeyCycle(const QString& key) : bytes_(key.isEmpty() ? kDefaultKey : key.toUtf8()) {}
    int next() {
        pos_ = pos_ < bytes_.size() ? pos_ + 1 : 1;
        return static_cast<unsigned char>(bytes_.at(pos_ - 1));
    }

private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
};

void appendHex(QString& out, int byte) {
    static const char digits[] = "0123456789ABCDEF";
    out.append(QChar(digits[(byte >> 4) & 0xF]));
    out.append(QChar(digits[byte & 0xF]));
}
} // namespace

TVeskEncryption::TVeskEncryption() : random_([] { return int(QRandomGenerator::global()->bounded(256)); }) {}

void TVeskEncryption::SetInput(const QString& value) {
    if (value != input_)
        input_ = value;
}

void TVeskEncryption::SetOutput(const QString& value) {
    if (value != output_)
        output_ = value;
}

void TVeskEncryption::SetKey(const QString& value) {
    if (value != key_)
        key_ = value;
}

void TVeskEncryption::SetRandomSource(RandomSource source) {
    random_ = std::move(source);
}

void TVeskEncryption::Execute() {
    if (input_.isEmpty())
        SetOutput(QString());
    else
        SetOutput(ScrambleString(input_, key_, Action == atEncryption));
}

QString TVeskEncryption::ScrambleBytes(const QByteArray& bytes, const QString& Key, int start) {
    KeyCycle key(Key);
    QString out;
    out.reserve(2 + 2 * bytes.size());
    int p = start & 0xFF;
    appendHex(out, p);
    for (char b : bytes) {
        const int v = (static_cast<unsigned char>(b) + p) % 255;
        const int c = v ^ key.next();
        appendHex(out, c);
        p = c;
    }
    return out;
}

QByteArray TVeskEncryption::UnscrambleBytes(const QString& scrambled, const QString& Key) {
    KeyCycle key(Key);
    QByteArray bytes;
    int p = hexValue(scrambled.mid(0, 2));
    qsizetype pos = 3; // counted from 1, as the pairs are numbered
    do {
        const int c = hexValue(scrambled.mid(pos - 1, 2));
        const int x = key.next() ^ c;
        int b = p < x ? x - p : x + 255 - p;
        // (B + P) mod 255 cannot tell 0 from 255; a text never holds 0, so 255 is the byte meant.
        if (b == 0)
            b = 255;
        bytes.append(static_cast<char>(b));
        p = c;
        pos += 2;
    } while (pos < scrambled.size());
    return bytes;
}

QString TVeskEncryption::ScrambleString(const QString& Input, const QString& Key, bool Encrypt) {
    if (Encrypt)
        return ScrambleBytes(Input.toUtf8(), Key, random_());
    // Old files hold Windows-1252 bytes; the leading mark makes the decoder drop exactly that mark, so
    // a text that itself starts with one keeps it.
    return TextFile::Decode(QByteArray("\xEF\xBB\xBF") + UnscrambleBytes(Input, Key));
}
