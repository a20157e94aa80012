#include "KitGif.h"

#include <QVector>

namespace {

constexpr int kSize = 24;

void Fill(QVector<quint8>& px, int x0, int y0, int x1, int y1, quint8 colour) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            px[y * kSize + x] = colour;
}

// The pixels of the part, as indexes into the four-colour palette (0 background, 1 main, 2 second).
QVector<quint8> Draw(KitPart part) {
    QVector<quint8> px(kSize * kSize, 0);
    switch (part) {
    case KitPart::Shirt:
        Fill(px, 6, 4, 17, 22, 1);
        Fill(px, 1, 4, 5, 10, 1);
        Fill(px, 18, 4, 22, 10, 1);
        Fill(px, 9, 2, 14, 4, 2);
        Fill(px, 11, 5, 12, 22, 2);
        break;
    case KitPart::Shorts:
        Fill(px, 4, 4, 19, 14, 1);
        Fill(px, 4, 15, 10, 20, 1);
        Fill(px, 13, 15, 19, 20, 1);
        Fill(px, 4, 4, 19, 5, 2);
        break;
    case KitPart::Socks:
        Fill(px, 5, 2, 9, 20, 1);
        Fill(px, 14, 2, 18, 20, 1);
        Fill(px, 5, 2, 9, 4, 2);
        Fill(px, 14, 2, 18, 4, 2);
        Fill(px, 5, 19, 11, 21, 1);
        Fill(px, 14, 19, 20, 21, 1);
        break;
    }
    return px;
}

void Put16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void PutRgb(QByteArray& out, quint32 rgb) {
    out.append(static_cast<char>((rgb >> 16) & 0xFF));
    out.append(static_cast<char>((rgb >> 8) & 0xFF));
    out.append(static_cast<char>(rgb & 0xFF));
}

// LZW data that never grows the code table beyond three-bit codes: a clear code before every two
// pixels keeps every decoder at the starting code width.
QByteArray Lzw(const QVector<quint8>& px) {
    QByteArray bytes;
    quint32 acc = 0;
    int bits = 0;
    auto put = [&](int code) {
        acc |= static_cast<quint32>(code) << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.append(static_cast<char>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    const int clear = 4, end = 5;
    for (int i = 0; i < px.size(); ++i) {
        if (i % 2 == 0)
            put(clear);
        put(px[i]);
    }
    put(end);
    if (bits > 0)
        bytes.append(static_cast<char>(acc & 0xFF));
    return bytes;
}

} // namespace

QByteArray KitGif(KitPart part, quint32 mainColour, quint32 secondColour) {
    QByteArray out("GIF89a");
    Put16(out, kSize);
    Put16(out, kSize);
    out.append(static_cast<char>(0x91)); // global colour table of 4 entries
    out.append('\0');                    // background colour index
    out.append('\0');                    // pixel aspect ratio
    PutRgb(out, 0xFFFFFF);
    PutRgb(out, mainColour);
    PutRgb(out, secondColour);
    PutRgb(out, 0x000000);
    // Graphic control extension: colour 0 is transparent.
    out.append("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
    out.append(static_cast<char>(0x2C));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, kSize);
    Put16(out, kSize);
    out.append('\0');
    out.append(static_cast<char>(2)); // LZW minimum code size
    const QByteArray data = Lzw(Draw(part));
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(static_cast<char>(block.size()));
        out.append(block);
    }
    out.append('\0');
    out.append(static_cast<char>(0x3B));
    return out;
}
