#include "graphics/editor/IPlugMenuItem.h"

IPlugMenuItem::IPlugMenuItem(const char* text, IPlugMenu* submenu, int32_t flags)
    : text(text ? text : ""), submenu(submenu), flags(flags)
{
}
