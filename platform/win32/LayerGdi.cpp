// Device contexts, GDI objects, DIB sections, blits and colours.

#include "platform/win32/PixelTarget.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int64_t kMostDibPixels = int64_t(1) << 28;

HDC AddDc(std::unique_ptr<DcObject> dc)
{
    LayerState& s = Layer();
    dc->font = s.stockFont;
    return ToHandle<HDC>(AddObject(std::move(dc)));
}

// Deselects everything the DC holds and removes it.
void ReleaseDcObject(HDC hdc, DcObject& dc)
{
    if (auto* bitmap = Find<BitmapObject>(dc.bitmap); bitmap && !bitmap->stock)
        bitmap->selectedInto = nullptr;
    if (auto* font = Find<FontObject>(dc.font))
        --font->selections;
    if (auto* brush = Find<BrushObject>(dc.brush))
        --brush->selections;
    RemoveObject(hdc);
}

LayerObject* FindAny(const void* handle)
{
    auto& objects = Layer().objects;
    const auto it = objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == objects.end() ? nullptr : it->second.get();
}

}  // namespace

bool TargetOf(const DcObject& dc, PixelTarget& t)
{
    t = PixelTarget{};
    if (dc.window)
    {
        WindowObject* w = FindWindowObject(dc.window);
        if (!w)
            return false;
        t.top = w->pixels.data();
        t.stride = w->pixelWidth;
        t.width = w->pixelWidth;
        t.height = w->pixelHeight;
        t.window = dc.window;
        const RECT client = {0, 0, t.width, t.height};
        if (!dc.paint)
            t.clip.push_back(client);
        else
            for (const RECT& r : dc.paintRegion.Rects())
                if (const RECT piece = IntersectRects(r, client); !IsEmptyRect(piece))
                    t.clip.push_back(piece);
        return true;
    }
    BitmapObject* b = Find<BitmapObject>(dc.bitmap);
    if (!b)
        return false;
    t.width = b->width;
    t.height = b->height;
    t.stride = b->bottomUp ? -static_cast<ptrdiff_t>(b->width) : b->width;
    t.top = b->pixels.data() + (b->bottomUp ? static_cast<ptrdiff_t>(b->height - 1) * b->width : 0);
    t.clip.push_back({0, 0, t.width, t.height});
    return true;
}

void ReportChange(const PixelTarget& target, const RECT& changed)
{
    if (target.window && !IsEmptyRect(changed))
        if (DesktopPresenter* presenter = Layer().presenter)
            presenter->PixelsChanged(target.window, changed);
}

RECT FillTarget(const PixelTarget& target, const RECT& r, COLORREF colour)
{
    const uint32_t rgb = PixelOf(colour);
    RECT changed = {0, 0, 0, 0};
    for (const RECT& clip : target.clip)
    {
        const RECT area = IntersectRects(r, clip);
        if (IsEmptyRect(area))
            continue;
        for (int y = area.top; y < area.bottom; ++y)
        {
            uint32_t* row = target.Row(y);
            for (int x = area.left; x < area.right; ++x)
                row[x] = (row[x] & 0xFF000000u) | rgb;
        }
        changed = UnionRects(changed, area);
    }
    return changed;
}

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !Find<DcObject>(hdc))
        return nullptr;
    auto dc = std::make_unique<DcObject>();
    dc->bitmap = Layer().stockBitmap;
    return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC hdc)
{
    DcObject* dc = Find<DcObject>(hdc);
    if (!dc || dc->window)
        return FALSE;
    ReleaseDcObject(hdc, *dc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object)
{
    DcObject* dc = Find<DcObject>(hdc);
    LayerObject* any = FindAny(object);
    if (!dc || !any)
        return nullptr;
    switch (any->kind)
    {
    case ObjectKind::Bitmap:
    {
        auto* bitmap = static_cast<BitmapObject*>(any);
        if (dc->window || (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != hdc))
            return nullptr;
        HBITMAP previous = dc->bitmap;
        if (auto* old = Find<BitmapObject>(previous); old && !old->stock)
            old->selectedInto = nullptr;
        if (!bitmap->stock)
            bitmap->selectedInto = hdc;
        dc->bitmap = static_cast<HBITMAP>(object);
        return previous;
    }
    case ObjectKind::Font:
    {
        HFONT previous = dc->font;
        if (auto* old = Find<FontObject>(previous))
            --old->selections;
        ++static_cast<FontObject*>(any)->selections;
        dc->font = static_cast<HFONT>(object);
        return previous;
    }
    case ObjectKind::Brush:
    {
        HBRUSH previous = dc->brush;
        if (auto* old = Find<BrushObject>(previous))
            --old->selections;
        ++static_cast<BrushObject*>(any)->selections;
        dc->brush = static_cast<HBRUSH>(object);
        return previous;
    }
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object)
{
    LayerObject* any = FindAny(object);
    if (!any)
        return FALSE;
    if (any->stock)
        return any->kind == ObjectKind::Bitmap || any->kind == ObjectKind::Font || any->kind == ObjectKind::Brush;
    switch (any->kind)
    {
    case ObjectKind::Bitmap:
        if (static_cast<BitmapObject*>(any)->selectedInto)
            return FALSE;
        break;
    case ObjectKind::Font:
        if (static_cast<FontObject*>(any)->selections > 0)
            return FALSE;
        break;
    case ObjectKind::Brush:
        if (static_cast<BrushObject*>(any)->selections > 0)
            return FALSE;
        break;
    default:
        return FALSE;
    }
    RemoveObject(object);
    return TRUE;
}

HGDIOBJ GetStockObject(int index) { return index == DC_BRUSH ? Layer().stockDcBrush : nullptr; }

HBRUSH CreateSolidBrush(COLORREF colour)
{
    auto brush = std::make_unique<BrushObject>();
    brush->colour = colour & 0x00FFFFFF;
    return ToHandle<HBRUSH>(AddObject(std::move(brush)));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    if (bits)
        *bits = nullptr;
    if ((hdc && !Find<DcObject>(hdc)) || !info || usage != DIB_RGB_COLORS || section || offset)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth < 1 || h.biHeight == 0 || h.biPlanes != 1 ||
        h.biBitCount != 32 || h.biCompression != BI_RGB)
        return nullptr;
    const int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
    if (static_cast<int64_t>(h.biWidth) * height > kMostDibPixels)
        return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = h.biWidth;
    bitmap->height = static_cast<int>(height);
    bitmap->bottomUp = h.biHeight > 0;
    try
    {
        bitmap->pixels.assign(static_cast<size_t>(h.biWidth) * static_cast<size_t>(height), 0);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    if (bits)
        *bits = bitmap->pixels.data();
    return ToHandle<HBITMAP>(AddObject(std::move(bitmap)));
}

HDC GetDC(HWND hwnd)
{
    if (!FindWindowObject(hwnd))
        return nullptr;
    auto dc = std::make_unique<DcObject>();
    dc->window = hwnd;
    return AddDc(std::move(dc));
}

int ReleaseDC(HWND hwnd, HDC hdc)
{
    DcObject* dc = Find<DcObject>(hdc);
    if (!dc || !hwnd || dc->window != hwnd || dc->paint)
        return 0;
    ReleaseDcObject(hdc, *dc);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !paint)
        return nullptr;
    auto dc = std::make_unique<DcObject>();
    dc->window = hwnd;
    dc->paint = true;
    dc->paintRegion = w->update;
    dc->paintRegion.Clip({0, 0, w->Width(), w->Height()});
    w->update.Clear();
    *paint = PAINTSTRUCT{};
    paint->rcPaint = dc->paintRegion.Bounds();
    paint->hdc = AddDc(std::move(dc));
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
    if (!paint || !hwnd)
        return FALSE;
    DcObject* dc = Find<DcObject>(paint->hdc);
    if (!dc || !dc->paint || dc->window != hwnd)
        return FALSE;
    ReleaseDcObject(paint->hdc, *dc);
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop)
{
    DcObject* to = Find<DcObject>(dest);
    DcObject* from = Find<DcObject>(source);
    PixelTarget d, s;
    if (rop != SRCCOPY || !to || !from || !TargetOf(*to, d) || !TargetOf(*from, s))
        return FALSE;
    // The source rectangle inside the source, the destination moved along.
    int64_t sx = xSrc, sy = ySrc, dx = x, dy = y, w = width, h = height;
    if (sx < 0)
        w += sx, dx -= sx, sx = 0;
    if (sy < 0)
        h += sy, dy -= sy, sy = 0;
    w = std::min<int64_t>(w, s.width - sx);
    h = std::min<int64_t>(h, s.height - sy);
    if (w <= 0 || h <= 0)
        return TRUE;
    const RECT wanted = {static_cast<LONG>(std::clamp<int64_t>(dx, INT32_MIN, INT32_MAX)),
                         static_cast<LONG>(std::clamp<int64_t>(dy, INT32_MIN, INT32_MAX)),
                         static_cast<LONG>(std::clamp<int64_t>(dx + w, INT32_MIN, INT32_MAX)),
                         static_cast<LONG>(std::clamp<int64_t>(dy + h, INT32_MIN, INT32_MAX))};
    // A copy within one pixel store reads from a snapshot of the source rows.
    const bool samePixels = d.top == s.top;
    std::vector<uint32_t> snapshot;
    if (samePixels)
    {
        snapshot.resize(static_cast<size_t>(w) * h);
        for (int64_t r = 0; r < h; ++r)
            std::memcpy(&snapshot[r * w], s.Row(static_cast<int>(sy + r)) + sx, w * sizeof(uint32_t));
    }
    RECT changed = {0, 0, 0, 0};
    for (const RECT& clip : d.clip)
    {
        const RECT area = IntersectRects(wanted, clip);
        if (IsEmptyRect(area))
            continue;
        const size_t count = static_cast<size_t>(area.right - area.left);
        for (int row = area.top; row < area.bottom; ++row)
        {
            const int64_t srcRow = sy + (row - dy), srcCol = sx + (area.left - dx);
            const uint32_t* pixels =
                samePixels ? &snapshot[(srcRow - sy) * w + (srcCol - sx)] : s.Row(static_cast<int>(srcRow)) + srcCol;
            std::memcpy(d.Row(row) + area.left, pixels, count * sizeof(uint32_t));
        }
        changed = UnionRects(changed, area);
    }
    ReportChange(d, changed);
    return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour)
{
    DcObject* dc = Find<DcObject>(hdc);
    if (!dc)
        return CLR_INVALID;
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0x00FFFFFF;
    return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF colour)
{
    DcObject* dc = Find<DcObject>(hdc);
    if (!dc)
        return CLR_INVALID;
    const COLORREF previous = dc->bkColour;
    dc->bkColour = colour & 0x00FFFFFF;
    return previous;
}

int SetBkMode(HDC hdc, int mode)
{
    DcObject* dc = Find<DcObject>(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD, DWORD, DWORD, DWORD quality, DWORD, LPCSTR face)
{
    if (width != 0 || escapement != 0 || orientation != 0 || underline || strikeOut || height < -kMostFontHeight ||
        height > kMostFontHeight)
        return nullptr;
    auto font = std::make_unique<FontObject>();
    font->request.height = height;
    font->request.weight = weight <= 0 ? FW_NORMAL : weight;
    font->request.italic = italic != 0;
    font->request.hardEdges = quality == NONANTIALIASED_QUALITY;
    if (face)
        font->request.face.assign(face, strnlen(face, 31));
    return ToHandle<HFONT>(AddObject(std::move(font)));
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics)
{
    DcObject* dc = Find<DcObject>(hdc);
    FontObject* font = dc ? Find<FontObject>(dc->font) : nullptr;
    if (!font || !metrics)
        return FALSE;
    *metrics = FaceOf(*font).Metrics();
    return TRUE;
}
