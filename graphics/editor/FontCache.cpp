#include "graphics/editor/FontCache.h"

#include "graphics/raster/LICE_CachedFont.h"

#include "framework/core/CopyText.h"
#include "framework/core/PointerList.h"
#include "platform/PlatformLock.h"
#include "platform/win32/Win32Gdi.h"

#include <cstring>
#include <new>

namespace {

struct FontCacheEntry
{
    int32_t size;
    int32_t orientation;
    int32_t style;
    char face[TextStyle::kFaceSize];
    LICE_CachedFont* font;
};

// The entries and their lock; at exit the fonts go, then the entries.
class FontCacheStore
{
public:
    FontCacheStore() = default;
    FontCacheStore(const FontCacheStore&) = delete;
    FontCacheStore& operator=(const FontCacheStore&) = delete;
    ~FontCacheStore()
    {
        for (int32_t i = 0; i < entries.GetSize(); ++i)
            delete entries.Get(i)->font;
        entries.DeleteAll();
    }

    // face: the style's, cut to 31 characters.
    LICE_CachedFont* Find(const TextStyle& style, const char* face)
    {
        PlatformLockGuard guard(lock);
        for (int32_t i = 0; i < entries.GetSize(); ++i)
        {
            const FontCacheEntry* e = entries.Get(i);
            if (e->size == style.size && e->orientation == style.orientation && e->style == style.style &&
                std::strcmp(e->face, face) == 0)
                return e->font;
        }
        return nullptr;
    }

    // Takes the font; false (nothing kept) when the list cannot grow.
    bool Add(const TextStyle& style, const char* face, LICE_CachedFont* font)
    {
        auto* entry = new (std::nothrow) FontCacheEntry{style.size, style.orientation, style.style, {}, font};
        if (!entry)
            return false;
        CopyText(entry->face, face);
        PlatformLockGuard guard(lock);
        if (entries.Add(entry))
            return true;
        delete entry;
        return false;
    }

private:
    PlatformLock lock;
    PointerList<FontCacheEntry> entries;
};

FontCacheStore& Store()
{
    static FontCacheStore store;
    return store;
}

// Made at start-up, as the editor's other caches are.
FontCacheStore& kStoreAtStartUp = Store();

DWORD QualityOf(int32_t quality)
{
    switch (quality)
    {
    case 0: return DEFAULT_QUALITY;
    case 2: return ANTIALIASED_QUALITY;
    case 3: return CLEARTYPE_QUALITY;
    default: return NONANTIALIASED_QUALITY;
    }
}

}  // namespace

LICE_CachedFont* CacheFont(TextStyle& style)
{
    FontCacheStore& store = Store();
    // The style's face need not end within its field.
    char face[TextStyle::kFaceSize];
    CopyText(face, style.face);
    LICE_CachedFont* font = store.Find(style, face);
    if (!font)
    {
        const HFONT hfont = CreateFontA(style.size, 0, style.orientation * 10, style.orientation * 10,
                                        style.style == 1 ? FW_BOLD : FW_NORMAL, style.style == 2 ? TRUE : FALSE,
                                        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        QualityOf(style.quality), DEFAULT_PITCH | FF_DONTCARE, face);
        if (!hfont)
            return nullptr;
        font = new (std::nothrow) LICE_CachedFont;
        if (!font)
        {
            DeleteObject(hfont);
            return nullptr;
        }
        font->AdoptGdiFont(hfont, kFontOwnsHandle | kFontNativeAllowed);
        if (!store.Add(style, face, font))
        {
            delete font;
            return nullptr;
        }
    }
    style.font = font;
    return font;
}
