#include "core/Encryp.h"
#include "platform/Exceptions.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
QString scramble(const QString& text, int start, const QString& key = "kRspwenu") {
    TVeskEncryption e;
    e.SetRandomSource([start] { return start; });
    return e.ScrambleString(text, key, true);
}

QString unscramble(const QString& text, const QString& key = "kRspwenu") {
    TVeskEncryption e;
    return e.ScrambleString(text, key, false);
}
} // namespace

TEST(Encryption, KnownAnswers) {
    // clang-format off
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"ab", "kRspwenu", 0x41, "41C97E"}, {"0", "kRspwenu", 0x41, "411A"}, {"1", "kRspwenu", 0x00, "005A"},
        {"8080", "kRspwenu", 0x00, "0053D179D9"}, {"3128", "kRspwenu", 0x7F, "7FD959F841"},
        {"123456789", "kRspwenu", 0x10, "102A0E32163C17202D0D"}, // the ninth byte: the key's first again
        {"ab", "", 0x41, "41F032"}, {"ab", "Ral Nev", 0x41, "41F032"}}; // an empty key is the default key
    // clang-format on
    for (const auto& [text, key, start, form] : cases) {
        EXPECT_EQ(scramble(text, start, key), form) << text;
        EXPECT_EQ(unscramble(form, key), text) << form;
    }
    EXPECT_EQ(unscramble("41c97e"), "ab"); // lower-case digits read too
}

// Execute follows Action; an empty text stays empty; each start byte gives another scrambled form.
TEST(Encryption, ExecuteFollowsActionAndStartBytesVary) {
    TVeskEncryption e;
    EXPECT_EQ(e.Action, atEncryption);
    e.SetKey("kRspwenu");
    int next = 7;
    e.SetRandomSource([&next] { return next++; });
    const auto run = [&e](TActionType action, const QString& input) {
        e.Action = action;
        e.SetInput(input);
        e.Execute();
        return e.Output();
    };
    EXPECT_EQ(run(atEncryption, "") + run(atDecryption, ""), "");
    const QString first = run(atEncryption, "proxy.example:8080"),
                  second = run(atEncryption, "proxy.example:8080");
    EXPECT_NE(first, second);
    for (const QString& form : {first, second}) {
        EXPECT_TRUE(QRegularExpression("^[0-9A-F]{38}$").match(form).hasMatch()) << form.toStdString();
        EXPECT_EQ(run(atDecryption, form), "proxy.example:8080");
    }
}

// Text goes as UTF-8 bytes; an older cell in Windows-1252 reads as such. (255 + 255) mod
// 255 = 0, which a byte 0 would also give: it reads as 255, never as 0. Malformed text (a start byte and
// nothing else, no hexadecimal digits, an odd length) is a conversion error.
TEST(Encryption, NonAsciiTextByte255AndMalformedText) {
    const QString text = QString::fromUtf8("Español – Ελληνικά 中文");
    const QString form = scramble(text, 0x20);
    EXPECT_EQ(form.size(), 2 + 2 * text.toUtf8().size());
    EXPECT_EQ(unscramble(form), text);
    const QString marked = QString(QChar(0xFEFF)) + "x";
    EXPECT_EQ(unscramble(scramble(marked, 0x20)), marked);
    EXPECT_EQ(unscramble(TVeskEncryption::ScrambleBytes("Espa\xF1ol\x80", "kRspwenu", 3)),
              QString::fromUtf8("Español€"));
    const QByteArray ff(1, char(0xFF));
    EXPECT_EQ(TVeskEncryption::ScrambleBytes(ff, "kRspwenu", 255), "FF6B");
    EXPECT_EQ(TVeskEncryption::UnscrambleBytes("FF6B", "kRspwenu"), ff);
    for (const char* bad : {"41", "41ZZ", "G1C9", "4"})
        EXPECT_THROW(unscramble(bad), EConvertError) << bad;
}

// Every byte after every chaining value: the chaining value of a text's first byte is the start byte,
// so driving the start byte through 0..255 covers each pair, at each of the key's eight positions.
TEST(Encryption, EveryByteRoundTripsAfterEveryChainingValue) {
    int failures = 0;
    for (int p = 0; p <= 255; ++p)
        for (int b = 1; b <= 255; ++b)
            for (int keyPos = 0; keyPos < 8; ++keyPos) {
                const QString key = QString("kRspwenu").mid(keyPos) + QString("kRspwenu").left(keyPos);
                const QByteArray one(1, char(b));
                failures +=
                    TVeskEncryption::UnscrambleBytes(TVeskEncryption::ScrambleBytes(one, key, p), key) != one;
            }
    EXPECT_EQ(failures, 0);
}
