// Where each kind of control sits in the gallery window, for the documentation's cropped
// pictures: one line "name x y width height" per kind, in the window's own coordinates (the
// screenshot's), and the open menu popups in screen coordinates.
#include "Panels.h"
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kMargin = 10;

// The gallery panel a control lives on, or null.
HWND PanelOf(HWND control)
{
    wchar_t className[64];
    for (HWND h = ::GetParent(control); h; h = ::GetParent(h)) {
        ::GetClassNameW(h, className, 64);
        if (wcscmp(className, GalleryPanelClass()) == 0) return h;
    }
    return nullptr;
}

struct Kind {
    const char* name;
    bool (*matches)(CWnd*);
    bool wholePanel;  // the control makes sense only with its panel around it
};

template <class T> bool Is(CWnd* w)
{
    return dynamic_cast<T*>(w) != nullptr;
}

const Kind kKinds[] = {
    {"progress", Is<CCoolProgressCtrl>, false}, {"striped", Is<COrmProgressCtrl>, false},
    {"edit", Is<CKeyEdit>, true},               {"hotkey", Is<CKeyEdit>, false},
    {"numedit", Is<CNumEdit>, false},           {"numlabel", Is<CNumStatic>, false},
    {"header", Is<CHeadWnd>, true},             {"scrollbar", Is<CStaticScrollBar>, true},
    {"splitter", [](CWnd* w) { return Is<CxSpltWnd>(w) || Is<CySpltWnd>(w); }, false},
    {"dividers", [](CWnd* w) { return Is<CxSpltStatic>(w) || Is<CySpltStatic>(w); }, false},
};

struct Collect {
    HWND gallery;
    std::map<std::string, CRect> rects;
};

BOOL CALLBACK CollectOne(HWND h, LPARAM param)
{
    auto& c = *reinterpret_cast<Collect*>(param);
    CWnd* w = CWnd::FromHandlePermanent(h);
    if (!w || !::IsWindowVisible(h)) return TRUE;
    for (const Kind& kind : kKinds) {
        if (!kind.matches(w)) continue;
        HWND panel = kind.wholePanel ? PanelOf(h) : nullptr;
        CRect r;
        ::GetWindowRect(panel ? panel : h, &r);
        if (!panel) r.InflateRect(kMargin, kMargin);
        CRect& all = c.rects[kind.name];
        if (all.IsRectEmpty()) all = r;
        else all.UnionRect(&all, &r);
    }
    return TRUE;
}

}  // namespace

bool WriteControlRects(HWND gallery, const std::wstring& path)
{
    Collect c{gallery, {}};
    ::EnumChildWindows(gallery, CollectOne, reinterpret_cast<LPARAM>(&c));
    CRect window;
    ::GetWindowRect(gallery, &window);
    FILE* f = _wfopen(path.c_str(), L"w");
    if (!f) return false;
    for (auto& [name, r] : c.rects) {
        r.IntersectRect(&r, &window);
        std::fprintf(f, "%s %ld %ld %d %d\n", name.c_str(), r.left - window.left, r.top - window.top, r.Width(),
                     r.Height());
    }
    return std::fclose(f) == 0;
}

bool WriteMenuRect(const std::wstring& path)
{
    CRect all;
    for (HWND h = ::FindWindowW(L"CFreeMenu", nullptr); h; h = ::FindWindowExW(nullptr, h, L"CFreeMenu", nullptr)) {
        if (!::IsWindowVisible(h)) continue;
        CRect r;
        ::GetWindowRect(h, &r);
        if (all.IsRectEmpty()) all = r;
        else all.UnionRect(&all, &r);
    }
    if (all.IsRectEmpty()) return false;
    all.InflateRect(kMargin, kMargin);
    FILE* f = _wfopen(path.c_str(), L"a");
    if (!f) return false;
    std::fprintf(f, "menu %ld %ld %d %d\n", all.left, all.top, all.Width(), all.Height());
    return std::fclose(f) == 0;
}
