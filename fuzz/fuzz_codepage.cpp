// The record files are Windows-1252. Every byte string must survive decoding
// and encoding again; every text must encode to one byte per character, each
// byte decoding back to its character, or '?' for a character that
// Windows-1252 cannot hold (a surrogate pair counting as one character).

#include "check.h"
#include "platform/codepage.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstdint>
#include <cstring>

using angoli::fromCodePage;
using angoli::toCodePage;

namespace
{

constexpr int kByteValues = 256;

// The characters that Windows-1252 holds, taken from the decoder: the encoder
// must agree with it.
const QSet<char16_t> &representable()
{
    static const QSet<char16_t> chars = [] {
        QSet<char16_t> set;
        for (int b = 0; b < kByteValues; ++b) {
            const char byte = char(b);
            const QString decoded = fromCodePage(QByteArrayView(&byte, 1));
            FUZZ_CHECK(decoded.size() == 1, "one character per byte");
            set.insert(decoded[0].unicode());
        }
        FUZZ_CHECK(set.size() == kByteValues, "no two bytes decode to the same character");
        return set;
    }();
    return chars;
}

void bytesRoundTrip(QByteArrayView bytes)
{
    const QString text = fromCodePage(bytes);
    FUZZ_CHECK(text.size() == bytes.size(), "one character per byte");
    FUZZ_CHECK(toCodePage(text) == bytes, "every byte string survives decoding and encoding");
}

void textEncodes(const QString &text)
{
    const QByteArray bytes = toCodePage(text);
    qsizetype out = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++out) {
        FUZZ_CHECK(out < bytes.size(), "a byte for every character");
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            FUZZ_CHECK(bytes[out] == '?', "a character beyond the BMP becomes one '?'");
            ++i;
            continue;
        }
        if (representable().contains(c.unicode())) {
            FUZZ_CHECK(fromCodePage(bytes.sliced(out, 1))[0] == c,
                       "a Windows-1252 character is written as its own byte");
        } else {
            FUZZ_CHECK(bytes[out] == '?', "a character outside Windows-1252 becomes '?'");
        }
    }
    FUZZ_CHECK(out == bytes.size(), "no byte beyond the characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bytesRoundTrip(bytes);

    // The same input read as UTF-16 code units, unpaired surrogates included.
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, std::size_t(text.size()) * 2);
    textEncodes(text);
    return 0;
}
