// "tooltips_class32": tools and texts kept, nothing drawn.

#include "platform/win32/LayerState.h"

#include <algorithm>

namespace {

// The record size callers of the 32-bit layout pass; ours is larger.
constexpr UINT kLeastToolInfoSize = 44;

struct TooltipState : WindowExtra
{
    struct Tool
    {
        HWND window;
        UINT_PTR id;
        std::string text;
    };
    std::vector<Tool> tools;
    bool active = true;
    bool shown = false;
};

const TOOLINFOA* ToolInfo(LPARAM lParam)
{
    const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
    return info && info->cbSize >= kLeastToolInfoSize ? info : nullptr;
}

}  // namespace

LRESULT TooltipProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    if (message == WM_CREATE)
    {
        w->extra = std::make_unique<TooltipState>();
        return 0;
    }
    auto* tips = dynamic_cast<TooltipState*>(w->extra.get());
    if (!tips)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const TOOLINFOA* info = ToolInfo(lParam);
    auto tool = std::find_if(tips->tools.begin(), tips->tools.end(), [info](const TooltipState::Tool& t) {
        return info && t.window == info->hwnd && t.id == info->uId;
    });
    switch (message)
    {
    case TTM_ADDTOOLA:
        if (!info)
            return FALSE;
        if (tool == tips->tools.end())
            tool = tips->tools.insert(tips->tools.end(), {info->hwnd, info->uId, {}});
        tool->text = info->lpszText && !IS_INTRESOURCE(info->lpszText) ? info->lpszText : "";
        return TRUE;
    case TTM_DELTOOLA:
        if (tool != tips->tools.end())
            tips->tools.erase(tool);
        return 0;
    case TTM_UPDATETIPTEXTA:
        if (tool != tips->tools.end())
            tool->text = info->lpszText && !IS_INTRESOURCE(info->lpszText) ? info->lpszText : "";
        return 0;
    case TTM_ACTIVATE:
        tips->active = wParam != 0;
        if (!tips->active)
            tips->shown = false;
        return 0;
    case TTM_POPUP:
        tips->shown = tips->active;
        return 0;
    case TTM_POP:
        tips->shown = false;
        return 0;
    case TTM_GETCURRENTTOOLA:
        return tips->shown ? TRUE : FALSE;
    case TTM_SETMAXTIPWIDTH:
        return -1;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    if (init->dwICC & ICC_BAR_CLASSES)
        RegisterBuiltInClass("tooltips_class32", TooltipProcedure, 0);
    return TRUE;
}
