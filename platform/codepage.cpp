#include "platform/codepage.h"

#include <array>

namespace angoli
{

namespace
{

constexpr char kReplacement = '?';
constexpr uchar kFirstSpecial = 0x80;

// Bytes 0x80..0x9F; the rest of the code page is identical to Latin-1.
constexpr std::array<char16_t, 32> kSpecials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char encode(char16_t c)
{
    if (c < kFirstSpecial || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kSpecials.size(); ++i) {
        if (kSpecials[i] == c)
            return char(kFirstSpecial + i);
    }
    return kReplacement;
}

} // namespace

QByteArray toCodePage(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes.append(kReplacement);
            ++i;
            continue;
        }
        bytes.append(encode(c.unicode())); // a lone surrogate is no 1252 character: '?'
    }
    return bytes;
}

QString fromCodePage(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = uchar(byte);
        *out++ = (b >= kFirstSpecial && b < kFirstSpecial + kSpecials.size())
                     ? QChar(kSpecials[b - kFirstSpecial])
                     : QChar(b);
    }
    return text;
}

} // namespace angoli
