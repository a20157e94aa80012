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
    struct Case {
        const char *text, *key;
        int start;
        const char* form;
    };
    for (const Case& c : {Case{"ab", "kRspwenu", 0x41, "41C97E"}, Case{"0", "kRspwenu", 0x41, "411A"},
                          Case{"1", "kRspwenu", 0x00, "005A"}, Case{"8080", "kRspwenu", 0x00, "0053D179D9"},
                          Case{"3128", "kRspwenu", 0x7F, "7FD959F841"},
                          // The ninth byte uses the key's first character again.
                          Case{"123456789", "kRspwenu", 0x10, "102A0E32163C17202D0D"},
                          // An empty key is the default key.
                          Case{"ab", "", 0x41, "41F032"}, Case{"ab", "Ral Nev", 0x41, "41F032"}}) {
        EXPECT_EQ(scramble(c.text, c.start, c.key), c.form) << c.text;
        EXPECT_EQ(unscramble(c.form, c.key), c.text) << c.form;
    }
    EXPECT_EQ(unscramble("41c97e"), "ab"); // lower-case digits read too
}

// Execute follows Action; an empty text stays empty; each start byte gives another scrambled form.
TEST(Encryption, ExecuteFollowsActionAndStartBytesVary) {
    TVeskEncryption e;
    EXPECT_EQ(e.Action, atEncryption);
    e.SetKey("kRspwenu");
    for (TActionType action : {atEncryption, atDecryption}) {
        e.Action = action;
        e.SetInput("");
        e.Execute();
        EXPECT_EQ(e.Output(), "");
    }
    int next = 7;
    e.SetRandomSource([&next] { return next++; });
    QStringList forms;
    for (int i = 0; i < 2; ++i) {
        e.Action = atEncryption;
        e.SetInput("proxy.example:8080");
        e.Execute();
        forms << e.Output();
        EXPECT_TRUE(QRegularExpression("^[0-9A-F]{38}$").match(forms.last()).hasMatch());
        e.Action = atDecryption;
        e.SetInput(forms.last());
        e.Execute();
        EXPECT_EQ(e.Output(), "proxy.example:8080");
    }
    EXPECT_NE(forms[0], forms[1]);
}

TEST(Encryption, NonAsciiTextRoundTripsAsUtf8BytesAndOldCellsReadAsWindows1252) {
    const QString text = QString::fromUtf8("Español – Ελληνικά 中文");
    const QString form = scramble(text, 0x20);
    EXPECT_EQ(form.size(), 2 + 2 * text.toUtf8().size());
    EXPECT_EQ(unscramble(form), text);
    const QString marked = QString(QChar(0xFEFF)) + "x";
    EXPECT_EQ(unscramble(scramble(marked, 0x20)), marked);
    // A cell written by the Windows program: "Espa\xF1ol" in Windows-1252.
    EXPECT_EQ(unscramble(TVeskEncryption::ScrambleBytes("Espa\xF1ol\x80", "kRspwenu", 3)),
              QString::fromUtf8("Español€"));
}

// Every byte after every chaining value: the chaining value of a text's first byte is the start byte,
// so driving the start byte through 0..255 covers each pair, at each of the key's eight positions.
TEST(Encryption, EveryByteRoundTripsAfterEveryChainingValue) {
    int failures = 0;
    for (int p = 0; p <= 255; ++p) {
        for (int b = 1; b <= 255; ++b) {
            for (int keyPos = 0; keyPos < 8; ++keyPos) {
                const QString key = QString("kRspwenu").mid(keyPos) + QString("kRspwenu").left(keyPos);
                const QByteArray one(1, char(b));
                if (TVeskEncryption::UnscrambleBytes(TVeskEncryption::ScrambleBytes(one, key, p), key) != one)
                    ++failures;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// (255 + 255) mod 255 = 0, which a byte 0 would also give: it reads as 255, never as 0. Malformed text
// (a start byte and nothing else, no hexadecimal digits, an odd length) is a conversion error.
TEST(Encryption, AByte255AfterAChainingValue255AndMalformedText) {
    const QByteArray ff(1, char(0xFF));
    EXPECT_EQ(TVeskEncryption::ScrambleBytes(ff, "kRspwenu", 255), "FF6B");
    EXPECT_EQ(TVeskEncryption::UnscrambleBytes("FF6B", "kRspwenu"), ff);
    for (const char* bad : {"41", "41ZZ", "G1C9", "4"})
        EXPECT_THROW(unscramble(bad), EConvertError) << bad;
}
