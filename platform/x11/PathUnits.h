#pragma once
// A path's bytes as the UTF-16 units of a dialog's field, and back. A file
// name need not be UTF-8: each byte that is not part of a UTF-8 character
// travels as a lone low surrogate, U+DC80 to U+DCFF, which typing can never
// produce, and comes back as the same byte; it draws as a stand-in glyph.
// Only for paths: other text keeps the layer's conversions. [any thread]

#include <string>

std::u16string PathToUnits(const std::string& path);
// Lone surrogates other than those carrying a byte become U+FFFD.
std::string PathFromUnits(const std::u16string& units);
