#pragma once
// The host's own AAX_IString, for texts the module writes or reads across
// the boundary.

#include "platform/AAX_IString.h"

#include <string>

class HostString final : public AAX_IString
{
public:
    HostString() = default;
    explicit HostString(const char* text) { Set(text); }
    HostString(const HostString& other) = default;
    HostString& operator=(const HostString& other)
    {
        text = other.text;
        return *this;
    }

    uint32_t Length() const override { return static_cast<uint32_t>(text.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return text.c_str(); }
    void Set(const char* newText) override { text = newText ? newText : ""; }
    AAX_IString& operator=(const char* newText) override
    {
        Set(newText);
        return *this;
    }
    AAX_IString& operator=(const AAX_IString& other) override
    {
        Set(other.Get());
        return *this;
    }

    const std::string& Text() const { return text; }

private:
    std::string text;
};
