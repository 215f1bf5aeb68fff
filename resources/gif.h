// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// A small GIF decoder for the one GIF picture of the window (Picture1's), for a face whose
// toolkit reads no GIF (GDI): the first image of the file, its colour table applied, pixels as
// 0x00RRGGBB (the order of a 32-bit DIB).
namespace angoli
{

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // row by row from the top
};

// nullopt for anything that is not a well-formed GIF87a or GIF89a of a sane size.
std::optional<DecodedImage> decodeGif(std::string_view bytes);

} // namespace angoli
