#pragma once

#include <span>

namespace angoli
{

// What each Help command shows.
struct Definition {
    const char *item; // the menu item's name
    const char *prompt;
    int style;
    const char *title; // nullptr: the application title
};

std::span<const Definition> definitions();

} // namespace angoli
