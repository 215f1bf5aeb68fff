#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace angoli
{

// The record files are 8-bit text in Windows-1252, whatever the platform.

// One byte per character. A character that Windows-1252 cannot hold (and each
// character outside the Basic Multilingual Plane, counted once) becomes '?',
// so the byte count always equals the number of characters written.
QByteArray toCodePage(QStringView text);

// One character per byte. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081, U+008D, U+008F, U+0090 and
// U+009D as on Windows, so every byte string survives a round trip.
QString fromCodePage(QByteArrayView bytes);

} // namespace angoli
