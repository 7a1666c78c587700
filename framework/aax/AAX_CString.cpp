#include "framework/aax/AAX_CString.h"

#include <cassert>
#include <cstring>
#include <ios>
#include <locale>
#include <sstream>

AAX_CString::AAX_CString(const char* text) : text(text ? text : "") {}

AAX_CString::AAX_CString(const AAX_IString& other) : text(other.Get()) {}

uint32_t AAX_CString::Length() const { return static_cast<uint32_t>(text.size()); }

void AAX_CString::Set(const char* newText)
{
    if (newText != text.c_str())
        text.assign(newText ? newText : "");
}

AAX_IString& AAX_CString::operator=(const char* newText)
{
    Set(newText);
    return *this;
}

AAX_IString& AAX_CString::operator=(const AAX_IString& other)
{
    if (&other != this)
        Set(other.Get());
    return *this;
}

AAX_CString& AAX_CString::operator=(const AAX_CString& other)
{
    text = other.text;
    return *this;
}

void AAX_CString::Erase(uint32_t position, uint32_t count)
{
    if (position < text.size())
        text.erase(position, count);
}

char& AAX_CString::CharAt(uint32_t position)
{
    assert(position < text.size());
    return text[position];
}

void AAX_CString::SubString(uint32_t position, uint32_t count, AAX_IString& out) const
{
    if (position >= text.size())
        out.Set("");
    else
        out.Set(text.substr(position, count).c_str());
}

void AAX_CString::Append(const AAX_CString& other)
{
    if (&other == this)
        text.append(std::string(text.c_str()));
    else
        text.append(other.text.c_str());
}

void AAX_CString::AppendNumber(double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << std::fixed;
    stream.precision(precision);
    stream << value;
    text += stream.str();
}

bool AAX_CString::ToDouble(double* out) const
{
    std::istringstream stream(text.c_str());
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
    const bool read = !stream.fail();
    if (out)
        *out = read ? value : 0.0;
    return read;
}

bool AAX_CString::operator==(const AAX_CString& other) const { return std::strcmp(Get(), other.Get()) == 0; }

bool AAX_CString::operator<(const AAX_CString& other) const { return std::strcmp(Get(), other.Get()) < 0; }
