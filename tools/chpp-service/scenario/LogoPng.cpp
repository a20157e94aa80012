#include "LogoPng.h"

#include <QtEndian>
#include <array>
#include <cmath>

namespace {

quint32 Crc32(const QByteArray& data) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (char byte : data)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void Chunk(QByteArray& png, const char* type, const QByteArray& data) {
    char length[4];
    qToBigEndian<quint32>(quint32(data.size()), length);
    png.append(length, 4);
    const QByteArray typed = QByteArray(type, 4) + data;
    png.append(typed);
    char crc[4];
    qToBigEndian<quint32>(Crc32(typed), crc);
    png.append(crc, 4);
}

} // namespace

QByteArray LogoPng(quint32 mainColour, quint32 secondColour) {
    constexpr int size = 64;
    QByteArray pixels;
    pixels.reserve(size * (1 + size * 4));
    const double centre = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        pixels.append(char(0)); // filter: none
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x - centre, y - centre);
            quint32 colour = 0;
            quint8 alpha = 0;
            if (r <= 31) {
                alpha = 255;
                const bool rim = r > 27;
                const bool band = std::abs(y - centre) < 7;
                colour = (rim || band) ? secondColour : mainColour;
                if (r > 30)
                    colour = 0x202020;
            }
            pixels.append(char((colour >> 16) & 0xFF));
            pixels.append(char((colour >> 8) & 0xFF));
            pixels.append(char(colour & 0xFF));
            pixels.append(char(alpha));
        }
    }
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(size, header.data());
    qToBigEndian<quint32>(size, header.data() + 4);
    header[8] = 8; // bits per channel
    header[9] = 6; // RGBA
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", qCompress(pixels).mid(4)); // qCompress puts a length before the zlib stream
    Chunk(png, "IEND", QByteArray());
    return png;
}
