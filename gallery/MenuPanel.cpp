// The owner-implemented popup menu: a button opens a menu with every kind of item (mnemonics,
// separators, checks and radio checks, grayed items, bitmaps, image-list images, an owner-drawn
// row, submenus three levels deep); a line shows the last command chosen.
#include "Panels.h"
#include <KestrelMenu.h>
#include <string>

namespace {

constexpr UINT kOpenButtonId = 301;
constexpr int kMargin = 12;
constexpr int kImageSize = 16;
constexpr int kImageCount = 4;
constexpr UINT kOwnerDrawnHeight = 28;
constexpr UINT kScriptActionMessage = WM_APP + 31;

enum : UINT {
    ID_NEW = 1, ID_OPEN, ID_SAVE, ID_PRINT, ID_WRAP, ID_SMALL, ID_MEDIUM, ID_LARGE, ID_PALETTE,
    ID_RED, ID_GREEN, ID_BLUE, ID_YELLOW, ID_FIRST_LEVEL, ID_SECOND_LEVEL, ID_THIRD_LEVEL, ID_THIRD_GRAYED,
};

const wchar_t* CommandName(int id)
{
    static const wchar_t* const kNames[] = {L"", L"New", L"Open", L"Save", L"Print", L"Word wrap", L"Small",
                                            L"Medium", L"Large", L"Palette", L"Red", L"Green", L"Blue",
                                            L"Yellow", L"First level", L"Second level", L"Third level"};
    return id > 0 && id < static_cast<int>(sizeof(kNames) / sizeof(kNames[0])) ? kNames[id] : L"?";
}

const COLORREF kSwatches[kImageCount] = {RGB(200, 60, 60), RGB(70, 170, 90), RGB(70, 110, 210), RGB(220, 190, 60)};

// A menu whose owner-drawn row paints a strip of colour swatches.
class GalleryMenu : public CFreeMenu {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        if (dis->itemAction != 0 || !(m_pData->GetAt(static_cast<int>(dis->itemID)).nFlags & MF_OWNERDRAW)) {
            CFreeMenu::DrawItem(dis);
            return;
        }
        CRect row(dis->rcItem);
        row.DeflateRect(2, 0);
        CDC dc;
        dc.Attach(dis->hDC);
        dc.FillSolidRect(&row, (dis->itemState & ODS_SELECTED) ? RGB(69, 93, 141) : getdefaultColor(DEFCLR_BK));
        const int size = row.Height() - 8;
        for (int i = 0; i < kImageCount; ++i)
            dc.FillSolidRect(row.left + 6 + i * (size + 4), row.top + 4, size, size, kSwatches[i]);
        dc.SetTextColor(RGB(173, 187, 210));
        CRect text(row.left + 6 + kImageCount * (size + 4) + 6, row.top, row.right, row.bottom);
        dc.DrawText(L"Palette", -1, &text, DT_SINGLELINE | DT_VCENTER);
        dc.Detach();
    }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        CFreeMenu::MeasureItem(mis);
        mis->itemHeight = kOwnerDrawnHeight;
    }
};

class MenuPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        m_button.Create(L"BUTTON", L"Open the menu", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                        CRect(kMargin, 34, kMargin + 160, 60), this, kOpenButtonId);
        m_button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), FALSE);
        BuildMenus();
        s_panel = this;
        return true;
    }

    // Opens the menu with two submenu levels showing and calls capture while they are on
    // screen; the menu is then dismissed.
    static bool ShowForScreenshot(const std::function<bool()>& capture)
    {
        if (!s_panel) return false;
        MenuPanel& p = *s_panel;
        bool saved = false;
        p.m_script = [&saved, &capture] {
            for (CFreeMenuWnd* w = CFreeMenuWnd::GetHead(); w && w->IsWindowVisible(); w = w->m_pNextPopup) w->UpdateWindow();
            saved = capture();
        };
        // "More levels" by its mnemonic, then down to "Next level", open it and highlight its
        // first row. The real pointer is kept off the menu so that it moves nothing.
        ::SetCursorPos(0, 0);
        for (UINT key : {UINT('M'), UINT(VK_DOWN), UINT(VK_DOWN), UINT(VK_RIGHT), UINT(VK_DOWN)})
            p.PostMessage(WM_KEYDOWN, key, 0);
        p.PostMessage(kScriptActionMessage);
        p.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        p.OpenMenu();
        p.m_script = nullptr;
        return saved;
    }

protected:
    void BuildMenus()
    {
        m_images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24, kImageCount, 0);
        CClientDC screen(this);
        for (int i = 0; i < kImageCount; ++i) {
            CBitmap image;
            image.CreateCompatibleBitmap(&screen, kImageSize, kImageSize);
            CDC mem;
            mem.CreateCompatibleDC(&screen);
            CGdiObject* old = mem.SelectObject(&image);
            mem.FillSolidRect(0, 0, kImageSize, kImageSize, RGB(30, 30, 30));
            mem.FillSolidRect(2, 2, kImageSize - 4, kImageSize - 4, kSwatches[i]);
            mem.SelectObject(old);
            ImageList_Add(m_images, image, nullptr);
        }
        m_bitmap.CreateCompatibleBitmap(&screen, 8, 8);
        {
            CDC mem;
            mem.CreateCompatibleDC(&screen);
            CGdiObject* old = mem.SelectObject(&m_bitmap);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) mem.SetPixel(x, y, ((x / 2 + y / 2) % 2) ? RGB(230, 230, 230) : RGB(90, 130, 200));
            mem.SelectObject(old);
        }

        m_third.CreatePopupMenu();
        m_third.AppendMenuW(MF_STRING, ID_THIRD_LEVEL, L"&Third level");
        m_third.AppendMenuW(MF_STRING | MF_GRAYED, ID_THIRD_GRAYED, L"Out of reach");
        m_second.CreatePopupMenu();
        m_second.AppendMenuW(MF_STRING, ID_SECOND_LEVEL, L"&Second level");
        m_second.AppendMenuW(MF_SEPARATOR);
        m_second.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(m_third.GetSafeFreeMenu()), L"&Deeper");
        m_first.CreatePopupMenu();
        m_first.AppendMenuW(MF_STRING, ID_FIRST_LEVEL, L"&First level");
        m_first.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(m_second.GetSafeFreeMenu()), L"&Next level");

        m_colours.CreatePopupMenu();
        m_colours.SetImageList(m_images);
        const wchar_t* const colourNames[kImageCount] = {L"&Red", L"&Green", L"&Blue", L"&Yellow"};
        for (int i = 0; i < kImageCount; ++i)
            m_colours.AppendMenuW(MF_STRING, ID_RED + i, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(i)), colourNames[i]);
        m_colours.AppendMenuW(MF_SEPARATOR);
        m_colours.AppendMenuW(MF_STRING, ID_OPEN, &m_bitmap, L"&Open (a bitmap)");

        m_menu.CreatePopupMenu();
        m_menu.AppendMenuW(MF_STRING, ID_NEW, L"&New");
        m_menu.AppendMenuW(MF_STRING, ID_OPEN, L"&Open");
        m_menu.AppendMenuW(MF_STRING | MF_GRAYED, ID_SAVE, L"&Save (grayed)");
        m_menu.AppendMenuW(MF_STRING | MF_DISABLED, ID_PRINT, L"&Print (disabled)");
        m_menu.AppendMenuW(MF_SEPARATOR);
        m_menu.AppendMenuW(MF_STRING | MF_CHECKED, ID_WRAP, L"&Word wrap");
        m_menu.AppendMenuW(MF_STRING, ID_SMALL, L"&1 Small");
        m_menu.AppendMenuW(MF_STRING, ID_MEDIUM, L"&2 Medium");
        m_menu.AppendMenuW(MF_STRING, ID_LARGE, L"&3 Large");
        m_menu.CheckMenuRadioItem(ID_SMALL, ID_LARGE, ID_MEDIUM, MF_BYCOMMAND);
        m_menu.AppendMenuW(MF_SEPARATOR);
        m_menu.AppendMenuW(MF_OWNERDRAW, ID_PALETTE, L"Owner-drawn palette");
        m_menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(m_colours.GetSafeFreeMenu()), L"&Pictures (image list)");
        m_menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(m_first.GetSafeFreeMenu()), L"&More levels");
    }

    void OpenMenu()
    {
        CRect button;
        m_button.GetWindowRect(&button);
        const int id = m_menu.TrackPopupMenu(TPM_LEFTALIGN, button.left, button.bottom + 2, this);
        if (id == ID_WRAP)
            m_menu.CheckMenuItem(ID_WRAP, (m_menu.GetMenuState(ID_WRAP, MF_BYCOMMAND) & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED);
        else if (id >= static_cast<int>(ID_SMALL) && id <= static_cast<int>(ID_LARGE))
            m_menu.CheckMenuRadioItem(ID_SMALL, ID_LARGE, static_cast<UINT>(id), MF_BYCOMMAND);
        m_last = id > 0 ? std::wstring(L"Last command: ") + CommandName(id) + L" (id " + std::to_wstring(id) + L")"
                        : std::wstring(L"Last command: none (menu dismissed)");
        Invalidate();
    }

    void OnOpenClicked() { OpenMenu(); }

    LRESULT OnScriptAction(WPARAM, LPARAM)
    {
        if (m_script) m_script();
        return 0;
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        dc.TextOut(kMargin, 10, L"Owner-implemented popup menu", 28);
        dc.TextOut(kMargin, 72, m_last.c_str(), static_cast<int>(m_last.size()));
        dc.SelectObject(oldFont);
    }

    void OnDestroy()
    {
        if (s_panel == this) s_panel = nullptr;
        CWnd::OnDestroy();
    }

    void PostNcDestroy() override
    {
        m_colours.SetImageList(nullptr);
        if (m_images) ImageList_Destroy(m_images);
        delete this;
    }
    DECLARE_MESSAGE_MAP()

private:
    static MenuPanel* s_panel;
    CWnd m_button;
    GalleryMenu m_menu;
    CFreeMenu m_colours, m_first, m_second, m_third;
    CBitmap m_bitmap;
    HIMAGELIST m_images = nullptr;
    std::wstring m_last = L"Last command: none yet";
    std::function<void()> m_script;
};

MenuPanel* MenuPanel::s_panel = nullptr;

BEGIN_MESSAGE_MAP(MenuPanel, CWnd)
    ON_COMMAND(kOpenButtonId, OnOpenClicked)
    ON_MESSAGE(kScriptActionMessage, OnScriptAction)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateMenuPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<MenuPanel>(parent, area);
}

bool ShowMenuForScreenshot(const std::function<bool()>& capture)
{
    return MenuPanel::ShowForScreenshot(capture);
}
