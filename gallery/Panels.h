// Each panel is a child window of the gallery that owns its demo controls and handles their
// notifications. The gallery lays the panels out; a panel fills the area it is given.
#pragma once
#include <Kestrel.h>
#include <functional>
#include <string>

CWnd* CreateProgressPanel(CWnd* parent, const CRect& area);
CWnd* CreatePrimitivesPanel(CWnd* parent, const CRect& area);
CWnd* CreateTextEntryPanel(CWnd* parent, const CRect& area);
CWnd* CreateNumericPanel(CWnd* parent, const CRect& area);
CWnd* CreateMenuPanel(CWnd* parent, const CRect& area);
// Opens the menu panel's menu with two submenu levels and calls capture while they show.
bool ShowMenuForScreenshot(const std::function<bool()>& capture);
CWnd* CreateScrollPanel(CWnd* parent, const CRect& area);
CWnd* CreateHeaderPanel(CWnd* parent, const CRect& area);
CWnd* CreateLabelPanel(CWnd* parent, const CRect& area);

// The class every panel window uses: plain, dark background, double clicks.
LPCWSTR GalleryPanelClass();

// Makes a panel that lives as long as its window: it deletes itself after WM_NCDESTROY, and
// a window that could not be made gives it the same clean-up.
template <class Panel> CWnd* OpenPanel(CWnd* parent, const CRect& area)
{
    auto* panel = new Panel;
    return panel->Open(parent, area) ? panel : nullptr;
}

// Writes where each kind of control sits in the gallery window ("name x y w h" per line, in
// window coordinates); WriteMenuRect appends the open menu popups' area in screen coordinates.
bool WriteControlRects(HWND gallery, const std::wstring& path);
bool WriteMenuRect(const std::wstring& path);
