#pragma once
// Every text that crosses the host boundary: names, identifiers and value
// texts. 8-bit text (UTF-8); lengths count bytes. Each side frees only the
// strings it made.

#include <cstdint>

class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    // NUL-terminated; valid until the next change of the string.
    virtual const char* Get() const = 0;
    // Replaces the content with a NUL-terminated text (null: empty).
    virtual void Set(const char* text) = 0;
    virtual AAX_IString& operator=(const char* text) = 0;
    // Copies the other string's Get().
    virtual AAX_IString& operator=(const AAX_IString& other) = 0;

protected:
    AAX_IString() = default;
    AAX_IString(const AAX_IString&) = default;
};
