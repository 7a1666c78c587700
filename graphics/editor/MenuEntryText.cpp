#include "graphics/editor/MenuEntryText.h"

#include <cstring>

void MenuEntryText(const IPlugMenu& menu, int32_t position, StringBuf* text)
{
    const IPlugMenuItem* item = menu.EntryAt(position);
    if (!item || item->IsSeparator())
    {
        text->Set("");
        return;
    }
    const char* format = nullptr;
    switch (menu.Numbering())
    {
    case kMenuNumberingOne:
        format = "%1d: %s";
        break;
    case kMenuNumberingTwo:
        format = "%02d: %s";
        break;
    case kMenuNumberingThree:
        format = "%03d: %s";
        break;
    default:
        text->Set(item->Text());
        return;
    }
    // Room for the text, up to ten digits and ": ".
    constexpr int32_t kNumberRoom = 12;
    const auto length = static_cast<int32_t>(std::strlen(item->Text()));
    text->SetFormatted(length + kNumberRoom, format, position + 1, item->Text());
}
