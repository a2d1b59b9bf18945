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

// Creates the chain of popup windows menus are shown in (after InitResourcelib); FALSE when the
// window class or a window cannot be made.
KESTREL_API BOOL InitMenu();
// Destroys the chain (before ExitResourcelib); a menu being tracked ends with -1. Always TRUE.
KESTREL_API BOOL ExitMenu();
