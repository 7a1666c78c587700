#pragma once
// The module's AAX_IString: an owned, growable 8-bit text. The content may
// hold NUL bytes but is always handed out NUL-terminated; Length counts them.

#include "platform/AAX_IString.h"

#include <cstdint>
#include <string>

class AAX_CString : public AAX_IString
{
public:
    static constexpr uint32_t kMaxLength = 4294967294u;

    AAX_CString() = default;
    AAX_CString(const char* text);  // null: empty
    AAX_CString(const AAX_CString& other) = default;
    explicit AAX_CString(const AAX_IString& other);
    ~AAX_CString() override = default;

    uint32_t Length() const override;
    uint32_t MaxLength() const override { return kMaxLength; }
    const char* Get() const override { return text.c_str(); }
    void Set(const char* newText) override;
    AAX_IString& operator=(const char* newText) override;
    AAX_IString& operator=(const AAX_IString& other) override;
    AAX_CString& operator=(const AAX_CString& other);

    void Clear() { text.clear(); }
    // Removes count bytes from position, cut at the end; a position past the end removes nothing.
    void Erase(uint32_t position, uint32_t count);
    // position must lie inside the text.
    char& CharAt(uint32_t position);
    // out = the count bytes from position (fewer where the text ends; none past the end).
    void SubString(uint32_t position, uint32_t count, AAX_IString& out) const;
    // Appends the other text up to its first NUL byte.
    void Append(const AAX_CString& other);
    // Appends value in fixed notation with precision decimals, "." as the point, no grouping.
    void AppendNumber(double value, int32_t precision);
    // Reads a number from the start as a formatted stream does (leading white
    // space skipped, the rest after the number ignored). No number: out = 0.0, false.
    bool ToDouble(double* out) const;

    // Byte-wise as NUL-terminated texts, bytes unsigned; a prefix is smaller.
    bool operator==(const AAX_CString& other) const;
    bool operator!=(const AAX_CString& other) const { return !(*this == other); }
    bool operator<(const AAX_CString& other) const;

private:
    std::string text;
};
