// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/gif.h"

#include <array>
#include <string>

namespace angoli
{

namespace
{

constexpr int kMaxSide = 4096;
constexpr int kMaxCodeBits = 12;

class Reader
{
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool has(std::size_t n) const { return m_at + n <= m_bytes.size(); }
    std::uint8_t byte() { return has(1) ? std::uint8_t(m_bytes[m_at++]) : (m_bad = true, 0); }
    int word()
    {
        const int low = byte();
        return low | (byte() << 8);
    }
    void skip(std::size_t n) { has(n) ? void(m_at += n) : void(m_bad = true); }
    bool bad() const { return m_bad; }

    // The data sub-blocks that follow, joined.
    std::string blocks()
    {
        std::string data;
        for (std::uint8_t n = byte(); n != 0 && !m_bad; n = byte()) {
            if (!has(n))
                m_bad = true;
            else
                data.append(m_bytes.substr(m_at, n)), m_at += n;
        }
        return data;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_bad = false;
};

using Palette = std::vector<std::uint32_t>;

Palette readPalette(Reader &in, int flags)
{
    Palette palette;
    if (!(flags & 0x80))
        return palette;
    const int count = 2 << (flags & 7);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t r = in.byte(), g = in.byte(), b = in.byte();
        palette.push_back((r << 16) | (g << 8) | b);
    }
    return palette;
}

// LZW codes to colour indexes, at most `wanted` of them.
std::optional<std::vector<std::uint8_t>> unpack(const std::string &data, int minBits,
                                                std::size_t wanted)
{
    if (minBits < 2 || minBits > 8)
        return std::nullopt;
    const int clear = 1 << minBits, stop = clear + 1;
    std::array<std::uint16_t, 1 << kMaxCodeBits> prefix{};
    std::array<std::uint8_t, 1 << kMaxCodeBits> suffix{}, first{};
    for (int i = 0; i < clear; ++i)
        suffix[std::size_t(i)] = first[std::size_t(i)] = std::uint8_t(i);
    std::vector<std::uint8_t> out, stack;
    int bits = minBits + 1, next = clear + 2, previous = -1;
    std::uint32_t buffer = 0;
    int held = 0;
    for (const char c : data) {
        buffer |= std::uint32_t(std::uint8_t(c)) << held;
        held += 8;
        while (held >= bits) {
            const int code = int(buffer & ((1u << bits) - 1));
            buffer >>= bits;
            held -= bits;
            if (code == clear) {
                bits = minBits + 1, next = clear + 2, previous = -1;
                continue;
            }
            if (code == stop || out.size() >= wanted)
                return out;
            if (code > next || (code == next && previous < 0))
                return std::nullopt;
            int walk = code == next ? previous : code;
            stack.clear();
            if (code == next)
                stack.push_back(first[std::size_t(previous)]);
            while (walk >= clear) {
                stack.push_back(suffix[std::size_t(walk)]);
                walk = prefix[std::size_t(walk)];
            }
            stack.push_back(std::uint8_t(walk));
            out.insert(out.end(), stack.rbegin(), stack.rend());
            if (previous >= 0 && next < (1 << kMaxCodeBits)) {
                prefix[std::size_t(next)] = std::uint16_t(previous);
                suffix[std::size_t(next)] = std::uint8_t(walk);
                first[std::size_t(next)] = first[std::size_t(previous)];
                ++next;
                if (next == (1 << bits) && bits < kMaxCodeBits)
                    ++bits;
            }
            previous = code;
        }
    }
    return out;
}

} // namespace

std::optional<DecodedImage> decodeGif(std::string_view bytes)
{
    if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a")
        return std::nullopt;
    Reader in(bytes);
    in.skip(6);
    in.word(), in.word(); // the logical screen: the image's own size is what counts
    const int screenFlags = in.byte();
    in.skip(2);
    const Palette global = readPalette(in, screenFlags);
    for (;;) {
        const int introducer = in.byte();
        if (in.bad() || introducer == 0x3B)
            return std::nullopt;
        if (introducer == 0x21) { // an extension: skipped
            in.byte();
            in.blocks();
            continue;
        }
        if (introducer != 0x2C)
            return std::nullopt;
        in.word(), in.word();
        DecodedImage image;
        image.width = in.word();
        image.height = in.word();
        const int flags = in.byte();
        const Palette local = readPalette(in, flags);
        const Palette &palette = local.empty() ? global : local;
        const int minBits = in.byte();
        const std::string data = in.blocks();
        if (in.bad() || palette.empty() || image.width <= 0 || image.height <= 0 ||
            image.width > kMaxSide || image.height > kMaxSide || (flags & 0x40))
            return std::nullopt;
        const std::size_t count = std::size_t(image.width) * std::size_t(image.height);
        const auto indexes = unpack(data, minBits, count);
        if (!indexes || indexes->size() < count)
            return std::nullopt;
        image.pixels.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t index = (*indexes)[i];
            image.pixels.push_back(index < palette.size() ? palette[index] : 0);
        }
        return image;
    }
}

} // namespace angoli
