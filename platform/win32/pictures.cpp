// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/pictures.h"

#include "resources/gif.h"
#include "resources/layout.h"

#include <cstring>
#include <string_view>

namespace angoli::win32
{

namespace
{

bool valid(int number)
{
    return layout::pictureFile(number) != nullptr;
}

bool endsWith(const char *name, const char *suffix)
{
    const std::string_view n(name), s(suffix);
    return n.size() >= s.size() && n.substr(n.size() - s.size()) == s;
}

std::string_view resourceBytes(HINSTANCE instance, int id)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return {};
    return {static_cast<const char *>(data), SizeofResource(instance, found)};
}

HBITMAP bitmapFrom(const DecodedImage &image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr)
        std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
    return bitmap;
}

} // namespace

bool Pictures::isIcon(int number)
{
    return valid(number) && endsWith(layout::pictureFile(number), ".ico");
}

Pictures::~Pictures()
{
    for (HBITMAP b : m_bitmaps)
        DeleteObject(b);
    for (const SizedIcon &i : m_icons)
        DestroyIcon(i.icon);
    if (m_cursor != nullptr)
        DestroyCursor(m_cursor);
}

HBITMAP Pictures::bitmap(int number)
{
    if (!valid(number) || isIcon(number))
        return nullptr;
    HBITMAP &slot = m_bitmaps[std::size_t(number)];
    if (slot != nullptr)
        return slot;
    const int id = kPictureResourceBase + number;
    if (endsWith(layout::pictureFile(number), ".gif")) {
        if (const auto image = decodeGif(resourceBytes(m_instance, id)))
            slot = bitmapFrom(*image);
    } else {
        slot = static_cast<HBITMAP>(
            LoadImageW(m_instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    return slot;
}

HICON Pictures::icon(int number, int size)
{
    if (!isIcon(number))
        return nullptr;
    for (const SizedIcon &kept : m_icons)
        if (kept.number == number && kept.size == size)
            return kept.icon;
    // Never destroyed before the end: the window class, a painted button or the pointer may
    // still hold an earlier size.
    auto loaded = static_cast<HICON>(LoadImageW(
        m_instance, MAKEINTRESOURCEW(kPictureResourceBase + number), IMAGE_ICON, size, size, 0));
    if (loaded != nullptr)
        m_icons.push_back({number, size, loaded});
    return loaded;
}

HCURSOR Pictures::cursor(int number)
{
    if (m_cursor != nullptr)
        return m_cursor;
    HICON source = icon(number, GetSystemMetrics(SM_CXCURSOR));
    ICONINFO info{};
    if (source == nullptr || !GetIconInfo(source, &info))
        return nullptr;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    info.fIcon = FALSE;
    info.xHotspot = DWORD(mask.bmWidth / 2);
    info.yHotspot = DWORD((info.hbmColor ? mask.bmHeight : mask.bmHeight / 2) / 2);
    m_cursor = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return m_cursor;
}

void drawBitmap(HDC dc, HBITMAP picture, int x, int y, int w, int h)
{
    BITMAP info{};
    if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, x, y, w, h, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace angoli::win32
