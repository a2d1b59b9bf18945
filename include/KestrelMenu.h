// Menus: CFreeMenu, an owner-implemented popup menu. It keeps its items in its own data object
// (no Win32 menu handle), paints them with its virtual DrawItem/MeasureItem and shows them in a
// process-wide chain of library popup windows created by InitMenu.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"

class CFreeMenu;
class CFreeMenuData;

// Characters of an item text, terminator included: longer texts are cut to one less.
constexpr int FREEMENU_TEXT_MAX = 260;
// Height of every non-separator item of a new menu, and the least height of an owner-drawn one.
constexpr int FREEMENU_ITEM_HEIGHT = 20;
// Height of an item whose flags are exactly MF_SEPARATOR.
constexpr int FREEMENU_SEPARATOR_HEIGHT = 8;
// Levels shown at once: the top menu and four submenu levels.
constexpr int FREEMENU_DEPTH = 5;

// One menu item, copied by value into the menu's array.
struct MENUITEM {
    UINT nFlags;                     // MF_ flags exactly as passed
    int nBitmap;                     // image-list index (0 to 254) or bitmap handle (above 255)
    UINT nID;                        // command id; 0 unless written
    CFreeMenuData* pSubMenu;         // data of the submenu, not owned; NULL for a plain item
    WCHAR szText[FREEMENU_TEXT_MAX];
};

// The items of one menu, plus the menu that created them and the common item height.
// Destroying it frees the item array only, never a submenu.
class CFreeMenuData : public CArray<MENUITEM, MENUITEM&> {
public:
    explicit CFreeMenuData(CFreeMenu* pOwner) : m_pOwner(pOwner) {}
    CFreeMenu* m_pOwner;
    int m_nItemHeight = FREEMENU_ITEM_HEIGHT;
};

// An MFC CMenu look-alike whose items live in a CFreeMenuData. Items are addressed by command
// (MF_BYCOMMAND, the first item with that id, this menu only) or by position (MF_BYPOSITION).
// Copies share the data object: only one of them may still hold it when it is destroyed.
class KESTREL_API CFreeMenu {
public:
    CFreeMenu();
    CFreeMenu(const CFreeMenu& src);
    CFreeMenu& operator=(const CFreeMenu& src);

    // Paints the background (itemAction 1, rcItem the area) or item itemID (itemAction 0).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Asked for the height of items with MF_OWNERDRAW; itemID is the item's index.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // Forgets the image list and deletes the data.
    virtual ~CFreeMenu();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    CFreeMenuData* GetSafeFreeMenu() const { return m_pData; }

    // With MF_POPUP, nIDNewItem is the submenu's GetSafeFreeMenu(). A bitmap pointer whose
    // value is 255 or less is an image-list index, not a CBitmap.
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp, LPCWSTR lpszNewItem);
    BOOL InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL ModifyMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    BOOL ModifyMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);

    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuStringW(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuStringW(UINT nIDItem, CString& rString, UINT nFlags) const;
    CFreeMenu* GetSubMenu(int nPos) const;

    BOOL SetImageList(HIMAGELIST himl);
    HIMAGELIST GetImageList() const { return m_hImageList; }

    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);
    // Present for CMenu compatibility; they do nothing and answer FALSE.
    BOOL GetMenuItemInfoW(UINT uItem, LPMENUITEMINFOW lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);

    // Shows the menu with its top-left corner at the screen point (x, y) and tracks it until
    // an item is chosen or the menu is dismissed. nFlags, pWnd and lpRect are ignored and no
    // WM_COMMAND is sent. Returns the chosen command id, -1 when dismissed, 0 without data,
    // items or InitMenu, 1 when a menu is already being tracked.
    int TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Index of the item an operation's (item, flags) pair names, or -1.
    int FindItem(UINT nItem, UINT nFlags) const;

protected:
    CFreeMenuData* m_pData;      // owned
    HIMAGELIST m_hImageList;     // not owned
};

// Answers of CFreeMenuWnd::ItemAt besides an item index.
constexpr int FREEMENU_HIT_NONE = -1;
constexpr int FREEMENU_HIT_SEPARATOR = -2;

// One window of the popup chain: shows one menu level. InitMenu creates FREEMENU_DEPTH of them,
// each owned by the one before; TrackPopupMenu fills, places and shows them and runs the loop.
class KESTREL_API CFreeMenuWnd : public CWnd {
public:
    // Tracking flags.
    static constexpr DWORD TRACK_REQUESTED = 0x1;      // leave and hover tracking requested
    static constexpr DWORD TRACK_HOVERED = 0x4;        // a hover arrived since the window was shown
    static constexpr DWORD TRACK_SKIP_MASK = 0x07000000;
    static constexpr int TRACK_SKIP_SHIFT = 24;        // mouse moves still to ignore, plus one
    // Hot state: low half index + 1 of the hot item, high half the one before; this value
    // leaves no item highlighted.
    static constexpr DWORD HOT_NONE = 0xFFFFFFFF;

    CFreeMenuWnd();
    ~CFreeMenuWnd() override;

    CFreeMenuWnd* m_pNextPopup = nullptr;   // owned
    CFreeMenuData* m_pShownMenu = nullptr;  // not owned; NULL while hidden
    DWORD m_dwTrackFlags = 0;
    DWORD m_dwHotState = HOT_NONE;

    // The chain's first window; NULL before InitMenu and after ExitMenu.
    static CFreeMenuWnd* GetHead();
    // The last window of the unbroken run of visible windows from the head, or NULL.
    static CFreeMenuWnd* GetDeepestVisible();
    static BOOL IsChainWindow(HWND hWnd);
    // Command id chosen in the current or last tracking run; -1 when none was.
    static int GetMenuResult();
    // While set, submenus open to the right of their item.
    static BOOL IsOpenToRight();

    // Layout of a menu: item heights (owner-drawn ones asked of the owner's MeasureItem) and
    // the outer window size measured with the default font in pDC.
    static int ItemHeight(const CFreeMenuData* pMenu, int index);
    static CSize PopupSize(const CFreeMenuData* pMenu, CDC* pDC);
    // The full-screen work area from the origin that popups are kept inside.
    static CRect ScreenRect();
    // Where the head window goes for a menu of size at (x, y).
    static CRect HeadRect(int x, int y, CSize size, const CRect& screen);
    // Where a submenu of size goes beside its item (screen coordinates); may clear bOpenToRight.
    static CRect SubmenuRect(const CRect& itemOnScreen, CSize size, const CRect& screen, BOOL& bOpenToRight);

    // Geometry of the shown menu in client coordinates.
    BOOL GetItemRect(int index, CRect& rect) const;
    // Only y counts; shared boundaries belong to the upper item. An index, FREEMENU_HIT_NONE
    // or FREEMENU_HIT_SEPARATOR.
    int ItemAt(int y, CRect* pRect = nullptr) const;
    // Index of the hot item, or -1.
    int GetHotItem() const;

    // Fills the head window with pMenu and shows it at (x, y) kept on screen.
    void ShowHead(CFreeMenuData* pMenu, int x, int y);
    // Shows the submenu of item index in the next window of the chain.
    void OpenSubMenu(int index);
    // Hides every window after this one.
    void CloseAfter();
    // Hides this window and every window after it.
    void CloseFromHere();
    static void CloseAll();
    // Chooses the enabled plain command item at the point: result set, all closed, TRUE.
    BOOL ChooseAt(CPoint point);
    // Makes index the hot item and repaints it and the one before.
    void SetHotItem(int index);
    // The next mouse move this window receives is ignored.
    void SkipNextMouseMove();

protected:
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Fill(CFreeMenuData* pMenu);
    void InvalidateItem(int index);
    void ActivateItem(int index);
    void Choose(int index);
    void RequestTracking(DWORD flags, DWORD hoverTime);
};

// Creates the chain of popup windows menus are shown in (after InitResourcelib); FALSE when the
// window class or a window cannot be made.
KESTREL_API BOOL InitMenu();
// Destroys the chain (before ExitResourcelib); a menu being tracked ends with -1. Always TRUE.
KESTREL_API BOOL ExitMenu();
