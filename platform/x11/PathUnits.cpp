#include "platform/x11/PathUnits.h"

#include "platform/win32/Utf.h"

namespace {

constexpr char16_t kByteUnits = 0xDC00;

bool CarriesByte(char16_t unit) { return unit >= kByteUnits + 0x80 && unit <= kByteUnits + 0xFF; }

}  // namespace

std::u16string PathToUnits(const std::string& path)
{
    std::u16string units;
    char32_t code = 0;
    bool valid = true;
    for (size_t i = 0; i < path.size();)
    {
        const size_t taken = DecodeUtf8(path.data() + i, path.size() - i, code, valid);
        // Only a byte from 0x80 up fails, alone.
        if (valid)
            AppendUtf16(code, units);
        else
            units += static_cast<char16_t>(kByteUnits + static_cast<unsigned char>(path[i]));
        i += taken;
    }
    return units;
}

std::string PathFromUnits(const std::u16string& units)
{
    std::string path;
    char32_t code = 0;
    bool valid = true;
    for (size_t i = 0; i < units.size();)
    {
        const size_t taken = DecodeUtf16(units.data() + i, units.size() - i, code, valid);
        if (!valid && CarriesByte(units[i]))
            path += static_cast<char>(units[i] - kByteUnits);
        else
            AppendUtf8(code, path);
        i += taken;
    }
    return path;
}
