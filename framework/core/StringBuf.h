#pragma once
// NUL-terminated UTF-8 text on a GrowBuf of granularity 128. The size counts
// the terminating NUL ("abc" has size 4); size 0 is the empty string with no
// block. No operation throws: one that cannot get the memory it needs leaves
// the old text as it was (Assign empties the string instead).
// Every text argument may point into this string's own block.

#include "framework/core/GrowBuf.h"

#include <cstdint>

class StringBuf
{
public:
    // A non-null text is set with Set(text, maxLen).
    explicit StringBuf(const char* text = nullptr, int32_t maxLen = 0);
    StringBuf(const StringBuf& other);
    StringBuf& operator=(const StringBuf&) = delete;  // Assign says what happens on failure

    // The text; an empty text (never null, never allocating) when the size is 0.
    const char* Get() const;
    // Bytes before the terminating NUL.
    int32_t GetLength() const;
    // Bytes in use, the NUL included (0 for a string that never held text).
    int32_t GetSize() const { return buf.GetSize(); }

    // Copies at most maxLen bytes of text (maxLen < 1: the whole text). A null
    // or empty text leaves the empty string (size 1).
    void Set(const char* text, int32_t maxLen = 0);

    // The first pos bytes, then len bytes of text, then the tailLen bytes that
    // stood at pos, then a NUL. pos = length, tailLen = 0 appends; tailLen =
    // length - pos inserts. Does nothing when pos, len or tailLen is negative,
    // pos lies beyond the text, pos + tailLen passes its end, or len is 0
    // (except that pos, len and tailLen all 0 empty the string).
    void InsertAt(int32_t pos, const char* text, int32_t len, int32_t tailLen);

    // Appends text (InsertAt at the end); nothing for a null text.
    void Append(const char* text);

    // printf-style formatting, cut to maxLen bytes; an argument may point
    // into this string's own text. Nothing changes when memory runs out.
    void SetFormatted(int32_t maxLen, const char* format, ...) __attribute__((format(printf, 3, 4)));

    // Copies the other's bytes and size exactly; empty when the block cannot be had.
    void Assign(const StringBuf& other);

    // A text longer than maxLen characters is cut at the last blank in
    // [max(minPos, 0), maxLen - 4] and ended with "..." there; without such a
    // blank it keeps maxLen - 4 characters and "...". Nothing when maxLen < 4.
    void Ellipsize(int32_t minPos, int32_t maxLen);

    // The text after the last "\" or "/" (the whole text when there is none).
    const char* FilePart() const;

    // Cuts the text at the last "." that follows the last "\" or "/";
    // false (text unchanged) when there is none.
    bool StripExtension();

private:
    char* Data() const { return static_cast<char*>(buf.Get()); }
    // Offset of text inside this string's block, -1 when it lies outside.
    int64_t OffsetInBlock(const char* text) const;
    // Sets the size to n (no shrink) after a NUL was stored at n - 1.
    void CutTo(int32_t n);

    GrowBuf buf{128};
};
