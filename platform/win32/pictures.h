// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <vector>

// The window's twenty pictures, compiled into the executable (resources.rc): BMPs as bitmaps,
// icons as icon groups, the GIF as raw bytes decoded here. Loaded on first use, kept to the end.
namespace angoli::win32
{

// Picture n has the resource id kPictureResourceBase + n.
inline constexpr int kPictureResourceBase = 100;

class Pictures
{
public:
    explicit Pictures(HINSTANCE instance) : m_instance(instance) {}
    ~Pictures();
    Pictures(const Pictures &) = delete;
    Pictures &operator=(const Pictures &) = delete;

    // A BMP or GIF picture; nullptr for an icon or a number out of range.
    HBITMAP bitmap(int number);
    // An icon picture at size x size pixels; nullptr for a bitmap. Each size asked is kept
    // apart, so a handle once given stays valid as long as the Pictures.
    HICON icon(int number, int size);
    // An icon picture as a mouse pointer, its hot spot in the middle.
    HCURSOR cursor(int number);
    // Whether picture `number` is an icon.
    static bool isIcon(int number);

private:
    static constexpr std::size_t kCount = 21; // numbered from 1
    HINSTANCE m_instance;
    std::array<HBITMAP, kCount> m_bitmaps{};
    struct SizedIcon {
        int number;
        int size;
        HICON icon;
    };
    // A few: the window's two sizes, the buttons' at each dpi the window met, the pointer.
    std::vector<SizedIcon> m_icons;
    HCURSOR m_cursor = nullptr;
};

// Draws picture at (x, y) in dc, w x h device pixels, from its full size.
void drawBitmap(HDC dc, HBITMAP picture, int x, int y, int w, int h);

} // namespace angoli::win32
