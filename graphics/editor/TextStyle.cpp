#include "graphics/editor/TextStyle.h"

#include <cstring>

void TextStyle::SetDefault()
{
    std::memset(face, 0, sizeof face);
    std::memcpy(face, "Verdana", sizeof "Verdana");
    size = 12;
    colour = IArgb{255, 0, 0, 0};
    entryBackground = IArgb{255, 255, 255, 255};
    entryForeground = IArgb{255, 0, 0, 0};
    style = 0;
    alignment = 1;
    verticalPlacement = 0;
    orientation = 0;
    quality = 0;
    font = nullptr;
}
