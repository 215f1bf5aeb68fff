// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/colour.h"

#include <array>
#include <string_view>

// The window as data: its frame, its 47 controls and its menu. Both faces of the game build
// their window from these tables, and the game addresses controls through handles made from
// them at compile time (resources/handles.h).
namespace angoli::layout
{

// Colours are 0x00BBGGRR; values with the top bit set name a desktop colour.
inline constexpr Colour kSysButtonFace = 0x8000000F;
inline constexpr Colour kSysButtonText = 0x80000012;
inline constexpr Colour kSysWindow = 0x80000005;
inline constexpr Colour kSysWindowText = 0x80000008;

constexpr bool isSystemColour(Colour c)
{
    return (c & 0x80000000u) != 0;
}

enum class Kind {
    GraphicOption, // a value button: picture above caption, looks pressed while selected
    RadioOption,   // a plain option button (the hidden "0")
    GraphicButton, // a command button showing a picture
    PushButton,
    Label,
    Shape,
    Image,
    PictureBox,
    Timer,
};

constexpr bool isWindowless(Kind kind)
{
    return kind == Kind::Label || kind == Kind::Shape || kind == Kind::Image;
}

// Label and shape options.
enum Flag : unsigned {
    kNone = 0,
    kTransparent = 1u << 0, // paints only its text over what lies beneath
    kBorder = 1u << 1,      // one-pixel frame
    kCentred = 1u << 2,
    kAutoSize = 1u << 3,   // takes the size of its text, keeping left and top
    kFilled = 1u << 4,     // shape filled solid with its inside colour
    kDecorative = 1u << 5, // repeats another label or lies hidden: left out by screen readers
};

// What a screen reader says about a control, in Italian. "%1" stands for the
// control's caption, so a label's text follows its caption.
struct Accessible {
    const char *name = nullptr;        // nullptr: the caption itself
    const char *description = nullptr; // nullptr: the tooltip, if any
};

struct Font {
    const char *family = nullptr; // nullptr: the default dialog font
    double points = 0;
    bool bold = false;
};

// The pictures, numbered from 1 as the controls refer to them; files in resources/pictures/.
inline constexpr std::array kPictureFiles = {
#include "resources/pictures.inc"
};
static_assert(kPictureFiles.size() == 20);
inline constexpr int kNoPicture = 0;

constexpr const char *pictureFile(int number)
{
    return number >= 1 && number <= int(kPictureFiles.size()) ? kPictureFiles[number - 1] : nullptr;
}

struct Control {
    const char *name;
    int index; // element of a control array, or -1
    Kind kind;
    const char *caption; // UTF-8
    int left, top, width, height;
    Colour foreColor; // text colour; for shapes the border colour
    Colour backColor; // background; for shapes the inside
    Font font;
    unsigned flags;
    int picture;         // number in kPictureFiles, or kNoPicture
    const char *tooltip; // UTF-8, or nullptr
    int tabIndex;        // -1 where the control has none
    bool enabled;
    bool visible;
    Accessible accessible = {};
};

struct MenuItem {
    const char *name;
    const char *caption; // UTF-8
    bool checked;
};

inline constexpr int kClientWidth = 744;
inline constexpr int kClientHeight = 552;
inline constexpr Colour kFormBackColor = 0x00FF0000;
inline constexpr Colour kFormForeColor = 0x0080FF80;
inline constexpr int kBackgroundPicture = 1;
inline constexpr int kIconPicture = 2;
inline constexpr int kCommand2SecondPicture = 18;
inline constexpr int kCommand2Cursor = 16;
inline constexpr int kTimerIntervalMs = 1000;
// The window's caption: 92 blanks, then the title.
inline constexpr std::string_view kFormCaption =
    "                                                                                            "
    "Impariamo a riconoscere gli angoli";
static_assert(kFormCaption.size() == 126);

// The Help menu: its title first, then its items in order.
// clang-format off
inline constexpr std::array kMenu{
    MenuItem{"help", "Help", false},
    MenuItem{"acuto", "Angolo acuto", false},
    MenuItem{"retto", "Angolo retto", false},
    MenuItem{"ottuso", "Angolo ottuso", false},
    MenuItem{"piatto", "Angolo piatto", false},
    MenuItem{"concavo", "Angolo concavo", false},
    MenuItem{"grio", "Angolo giro", false},
    MenuItem{"expl", "Angoli esplementari", false},
    MenuItem{"copy", "Crediti", true},
    MenuItem{"scuola", "Un gioco per imparare gli angoli, pensato per le scuole: ogni risposta "
                       "esatta avvicina il record della classe.", false},
    MenuItem{"by", "Realizzato in C++ dalla squadra di angoli, nel dicembre 2026.", false},
};
// clang-format on

} // namespace angoli::layout

#include "resources/controltable.h" // IWYU pragma: export
