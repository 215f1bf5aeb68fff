#pragma once

#include <QtGlobal>
#include <span>

namespace angoli::layout
{

// Colours are 0x00BBGGRR; values with the top bit set name a desktop colour.
inline constexpr quint32 kSysButtonFace = 0x8000000F;
inline constexpr quint32 kSysButtonText = 0x80000012;
inline constexpr quint32 kSysWindow = 0x80000005;
inline constexpr quint32 kSysWindowText = 0x80000008;

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

struct Control {
    const char *name;
    int index; // element of a control array, or -1
    Kind kind;
    const char *caption;
    int left, top, width, height;
    quint32 foreColor; // text colour; for shapes the border colour
    quint32 backColor; // background; for shapes the inside
    Font font;
    unsigned flags;
    const char *picture; // resource path, or nullptr
    const char *tooltip; // or nullptr
    int tabIndex;        // -1 where the control has none
    bool enabled;
    bool visible;
    Accessible accessible = {};
};

struct MenuItem {
    const char *name;
    const char *caption;
    bool checked;
};

inline constexpr int kClientWidth = 744;
inline constexpr int kClientHeight = 552;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr quint32 kFormBackColor = 0x00FF0000;
inline constexpr quint32 kFormForeColor = 0x0080FF80;
inline constexpr char kBackgroundPicture[] = ":/resources/pictures/01-beach.bmp";
inline constexpr char kIconPicture[] = ":/resources/pictures/02-letter-a.ico";
inline constexpr char kCommand2SecondPicture[] = ":/resources/pictures/18-clef-grey.bmp";
inline constexpr char kCommand2Cursor[] = ":/resources/pictures/16-ear.ico";
inline constexpr int kTimerIntervalMs = 1000;

// The window's caption: 92 blanks, then the title.
const char *formCaption();

// Every control of the window, windowed ones first, each group front to back.
std::span<const Control> controls();

// The Help menu: its title first, then its items in order.
std::span<const MenuItem> menu();

} // namespace angoli::layout
