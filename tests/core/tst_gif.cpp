// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder of the window's GIF picture, on the real picture and on damaged copies of it.
#include "resources/gif.h"

#include <doctest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

using namespace angoli;

TEST_CASE("the GIF picture decodes to its 95 x 31 pixels; damaged bytes give nothing")
{
    std::ifstream in(ANGOLI_PICTURES_DIR "20-back.gif", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    REQUIRE(bytes.size() > 13);
    const auto image = decodeGif(bytes);
    REQUIRE(image);
    CHECK(image->width == 95);
    CHECK(image->height == 31);
    CHECK(image->pixels.size() == 95u * 31u);
    // The raised button's face is cyan and its word black: both colours are there.
    std::size_t cyan = 0, black = 0;
    for (std::uint32_t p : image->pixels) {
        const int r = int(p >> 16) & 0xFF, g = int(p >> 8) & 0xFF, b = int(p) & 0xFF;
        cyan += (r < 100 && g > 150 && b > 150);
        black += (r < 60 && g < 60 && b < 60);
    }
    CHECK(cyan > image->pixels.size() / 3);
    CHECK(black > 20);

    for (std::size_t cut : {std::size_t(6), std::size_t(13), bytes.size() / 2})
        CHECK_FALSE(decodeGif(bytes.substr(0, cut)));
    std::string garbled = bytes;
    garbled[0] = 'X';
    CHECK_FALSE(decodeGif(garbled));
}
