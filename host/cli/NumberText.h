#pragma once
// The texts the host program takes for a number parameter. The module's own
// parsing reads a leading number and ignores what follows ("-16junk" reads
// -16, "0x10" reads 0), so the host checks the whole text first.

#include <string>

// The length of the decimal number at the start of text ("-16", "+0.5",
// ".5", "2.", "1e-3"), or 0 when there is none. No hexadecimal, no digit
// grouping, no "inf" or "nan".
size_t NumberLength(const std::string& text, size_t start = 0);

// Whether text is one decimal number, blanks (spaces, tabs) around it, and
// after it nothing but unit (when unit is not empty) and blanks.
bool IsNumberText(const std::string& text, const std::string& unit);
