// The item array and its operations, without any window.
#include "MenuTesting.h"
#include <string>

namespace {

constexpr UINT kNotFound = 0xFFFFFFFF;

// 0 "&Open" id 1 | 1 separator | 2 "Save" id 2 grayed | 3 submenu | 4 "Again" id 1 (duplicate)
struct SampleMenu {
    CFreeMenu menu, sub;
    SampleMenu()
    {
        sub.CreatePopupMenu();
        sub.AppendMenuW(MF_STRING, 7, L"Inner");
        menu.CreatePopupMenu();
        menu.AppendMenuW(MF_STRING, 1, L"&Open");
        menu.AppendMenuW(MF_SEPARATOR);
        menu.AppendMenuW(MF_STRING | MF_GRAYED, 2, L"Save");
        menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"More");
        menu.AppendMenuW(MF_STRING, 1, L"Again");
    }
    const MENUITEM& Item(int i) const { return menu.GetSafeFreeMenu()->GetAt(i); }
};

TEST(MenuModel, LookupsByCommandAndPosition)
{
    SampleMenu s;
    EXPECT_EQ(s.menu.GetMenuItemCount(), 5u);
    EXPECT_EQ(s.menu.GetSafeFreeMenu()->m_pOwner, &s.menu);
    EXPECT_EQ(s.menu.GetSafeFreeMenu()->m_nItemHeight, 20);

    // Ids by position: separator 0, popup item 0xFFFFFFFF, past the end 0xFFFFFFFF.
    const UINT ids[] = {1, 0, 2, kNotFound, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.menu.GetMenuItemID(i), ids[i]) << i;
    EXPECT_EQ(s.menu.GetMenuItemID(5), kNotFound);
    EXPECT_EQ(s.menu.GetMenuItemID(-1), kNotFound);

    // A duplicate id finds the first; id 0 finds the separator; the submenu's ids are not searched.
    CString text;
    EXPECT_EQ(s.menu.GetMenuStringW(1, text, MF_BYCOMMAND), 5);
    EXPECT_EQ(text, CString(L"&Open"));
    EXPECT_EQ(s.menu.GetMenuState(0, MF_BYCOMMAND), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(s.menu.GetMenuState(7, MF_BYCOMMAND), 0u);
    EXPECT_EQ(s.menu.GetMenuStringW(7, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(text, CString(L"&Open"));  // untouched
    EXPECT_FALSE(s.menu.RemoveMenu(7, MF_BYCOMMAND));

    EXPECT_EQ(s.menu.GetSubMenu(3), &s.sub);
    EXPECT_EQ(s.menu.GetSubMenu(0), nullptr);
    EXPECT_EQ(s.menu.GetSubMenu(9), nullptr);

    // Remove by command takes the first of the duplicates; positions move down.
    EXPECT_TRUE(s.menu.RemoveMenu(1, MF_BYCOMMAND));
    EXPECT_EQ(s.menu.GetMenuItemCount(), 4u);
    EXPECT_EQ(s.menu.GetMenuStringW(3, text, MF_BYPOSITION), 5);
    EXPECT_EQ(text, CString(L"Again"));
    EXPECT_FALSE(s.menu.RemoveMenu(4, MF_BYPOSITION));
    EXPECT_EQ(s.sub.GetMenuItemCount(), 1u);  // a removed popup item leaves its submenu alone
}

TEST(MenuModel, InsertAndModifyKeepTheOtherFields)
{
    SampleMenu s;
    // Position == count appends, count + 1 fails; by command inserts before the item.
    EXPECT_TRUE(s.menu.InsertMenuW(5, MF_BYPOSITION | MF_STRING, 9, L"Last"));
    EXPECT_FALSE(s.menu.InsertMenuW(7, MF_BYPOSITION | MF_STRING, 9, L"Nowhere"));
    EXPECT_FALSE(s.menu.InsertMenuW(42, MF_BYCOMMAND, 9, L"Nowhere"));
    EXPECT_TRUE(s.menu.InsertMenuW(2, MF_BYCOMMAND | MF_STRING, 8, L"Before save"));
    EXPECT_EQ(s.menu.GetMenuItemID(2), 8u);
    EXPECT_EQ(s.menu.GetMenuItemID(3), 2u);
    EXPECT_EQ(s.menu.GetMenuItemID(6), 9u);
    EXPECT_EQ(s.Item(6).nFlags, static_cast<UINT>(MF_BYPOSITION | MF_STRING));  // flags stored as passed

    // A popup item modified without MF_POPUP keeps its submenu: still a popup item.
    EXPECT_TRUE(s.menu.ModifyMenuW(4, MF_BYPOSITION | MF_STRING, 5, static_cast<LPCWSTR>(nullptr)));
    EXPECT_EQ(s.Item(4).nID, 5u);
    EXPECT_EQ(s.menu.GetMenuItemID(4), kNotFound);
    EXPECT_EQ(s.menu.GetSubMenu(4), &s.sub);
    EXPECT_STREQ(s.Item(4).szText, L"More");  // NULL text keeps the old one

    // A plain item turned into a popup keeps its command id and takes the new text.
    EXPECT_TRUE(s.menu.ModifyMenuW(1, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(s.sub.GetSafeFreeMenu()), L"Now a popup"));
    EXPECT_EQ(s.Item(0).nID, 1u);
    EXPECT_EQ(s.Item(0).pSubMenu, s.sub.GetSafeFreeMenu());
    EXPECT_STREQ(s.Item(0).szText, L"Now a popup");
    EXPECT_FALSE(s.menu.ModifyMenuW(99, MF_BYPOSITION, 1, L"x"));
}

TEST(MenuModel, TextsAreCutAndCopiedIntoShortBuffers)
{
    CFreeMenu menu;
    menu.CreateMenu();
    const std::wstring longText(300, L'x');
    menu.AppendMenuW(MF_STRING, 1, longText.c_str());
    menu.AppendMenuW(MF_STRING, 2, L"12345678");
    menu.AppendMenuW(MF_STRING, 3);

    CString text;
    EXPECT_EQ(menu.GetMenuStringW(1, text, MF_BYCOMMAND), 259);
    EXPECT_EQ(text, CString(longText.substr(0, 259).c_str()));
    EXPECT_EQ(menu.GetMenuStringW(3, text, MF_BYCOMMAND), 0);

    wchar_t buffer[12];
    wmemset(buffer, L'#', 12);
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 5, MF_BYCOMMAND), 4);
    EXPECT_STREQ(buffer, L"1234");
    EXPECT_EQ(buffer[5], L'#');  // nothing past the buffer
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 8, MF_BYCOMMAND), 7);
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 9, MF_BYCOMMAND), 8);
    EXPECT_STREQ(buffer, L"12345678");
    EXPECT_EQ(buffer[9], L'#');
    wmemset(buffer, L'#', 12);
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 1, MF_BYCOMMAND), 0);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 0, MF_BYCOMMAND), 0);
    EXPECT_EQ(menu.GetMenuStringW(2, nullptr, 5, MF_BYCOMMAND), 0);
    EXPECT_EQ(buffer[1], L'#');
}

TEST(MenuModel, CheckEnableAndRadioStates)
{
    SampleMenu s;
    EXPECT_EQ(s.menu.CheckMenuItem(1, MF_CHECKED), 0u);
    EXPECT_EQ(s.menu.CheckMenuItem(0, MF_BYPOSITION | MF_CHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(s.menu.CheckMenuItem(42, MF_CHECKED), kNotFound);

    // Checked wins over grayed in the state; disabling keeps grayed.
    EXPECT_EQ(s.menu.CheckMenuItem(2, MF_CHECKED), 0u);
    EXPECT_EQ(s.menu.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(s.menu.CheckMenuItem(2, MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(s.menu.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_DISABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(s.menu.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_GRAYED), 3u);
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_ENABLED), 3u);
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_ENABLED), 0u);
    EXPECT_EQ(s.menu.EnableMenuItem(42, MF_GRAYED), kNotFound);

    CFreeMenu radio;
    radio.CreateMenu();
    for (UINT id = 1; id <= 2; ++id) radio.AppendMenuW(MF_STRING | (id == 1 ? MF_CHECKED : 0), id, L"r");
    // Command 3 is missing: 1 and 2 are visited first and keep their change.
    EXPECT_FALSE(radio.CheckMenuRadioItem(1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(radio.GetMenuState(1, MF_BYCOMMAND), 0u);
    EXPECT_EQ(radio.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(radio.CheckMenuRadioItem(0, 1, 0, MF_BYPOSITION));
    EXPECT_EQ(radio.GetMenuState(0, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(radio.GetMenuState(1, MF_BYPOSITION), 0u);
    EXPECT_TRUE(radio.CheckMenuRadioItem(3, 1, 1, MF_BYCOMMAND));  // an empty range changes nothing
    EXPECT_EQ(radio.GetMenuState(0, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED));
}

TEST(MenuModel, WithoutDataEveryOperationAnswersItsDefault)
{
    CFreeMenu menu;
    CString text(L"kept");
    wchar_t buffer[4] = L"abc";
    MENUITEMINFOW info{};
    info.cbSize = 0x1234;
    EXPECT_EQ(menu.GetSafeFreeMenu(), nullptr);
    EXPECT_FALSE(menu.AppendMenuW(MF_STRING, 1, L"x"));
    EXPECT_FALSE(menu.InsertMenuW(0, MF_BYPOSITION, 1, L"x"));
    EXPECT_FALSE(menu.ModifyMenuW(0, MF_BYPOSITION, 1, L"x"));
    EXPECT_FALSE(menu.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(menu.CheckMenuItem(0, MF_BYPOSITION), 0u);
    EXPECT_FALSE(menu.CheckMenuRadioItem(0, 1, 0, MF_BYPOSITION));
    EXPECT_EQ(menu.EnableMenuItem(0, MF_BYPOSITION), 0u);
    EXPECT_EQ(menu.GetMenuItemCount(), kNotFound);
    EXPECT_EQ(menu.GetMenuItemID(0), kNotFound);
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION), kNotFound);
    EXPECT_EQ(menu.GetMenuStringW(0, buffer, 4, MF_BYPOSITION), 0);
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(menu.GetMenuStringW(0, text, MF_BYPOSITION), 0);
    EXPECT_EQ(text, CString(L"kept"));
    EXPECT_EQ(menu.GetSubMenu(0), nullptr);
    EXPECT_FALSE(menu.SetDefaultItem(0, TRUE));
    EXPECT_EQ(menu.TrackPopupMenu(0, 10, 10, nullptr), 0);

    // The inert operations answer the same with data.
    menu.CreateMenu();
    menu.AppendMenuW(MF_STRING, 4, L"x");
    EXPECT_TRUE(menu.SetDefaultItem(4));
    EXPECT_FALSE(menu.SetDefaultItem(1, TRUE));
    EXPECT_EQ(menu.GetDefaultItem(0), 0u);
    EXPECT_FALSE(menu.GetMenuItemInfoW(0, &info, TRUE));
    EXPECT_EQ(info.cbSize, 0x1234u);
    EXPECT_FALSE(menu.SetMenuItemBitmaps(0, MF_BYPOSITION, nullptr, nullptr));
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.GetMenuItemCount(), kNotFound);
}

TEST(MenuModel, BitmapsImageListsAndSharedCopies)
{
    HIMAGELIST images = ImageList_Create(24, 26, ILC_COLOR32, 1, 1);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));

    CFreeMenu menu;
    EXPECT_TRUE(menu.SetImageList(images));  // before the data: the height stays 20
    menu.CreateMenu();
    EXPECT_EQ(menu.GetImageList(), images);
    EXPECT_EQ(menu.GetSafeFreeMenu()->m_nItemHeight, 20);
    menu.AppendMenuW(MF_STRING, 1, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(5)));
    menu.AppendMenuW(MF_STRING, 2, &bitmap, L"Pic");
    menu.InsertMenuW(0, MF_BYPOSITION, 3, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(255)));
    menu.ModifyMenuW(2, MF_BYCOMMAND, 2, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(0)));
    const CFreeMenuData& data = *menu.GetSafeFreeMenu();
    EXPECT_EQ(data[0].nBitmap, 255);
    EXPECT_EQ(data[1].nBitmap, 5);
    EXPECT_EQ(data[2].nBitmap, 0);
    EXPECT_STREQ(data[2].szText, L"Pic");
    menu.AppendMenuW(MF_STRING, 4, &bitmap);
    EXPECT_EQ(data[3].nBitmap, static_cast<int>(reinterpret_cast<INT_PTR>(bitmap.m_hObject)));
    EXPECT_STREQ(data[3].szText, L"");

    EXPECT_TRUE(menu.SetImageList(images));
    EXPECT_EQ(data.m_nItemHeight, 26);

    // Copies share one data object; only one may keep it.
    CFreeMenu copy(menu);
    EXPECT_EQ(copy.GetSafeFreeMenu(), menu.GetSafeFreeMenu());
    EXPECT_EQ(copy.GetImageList(), images);
    copy.AppendMenuW(MF_STRING, 5, L"Through the copy");
    EXPECT_EQ(menu.GetMenuItemCount(), 5u);
    CFreeMenu assigned;
    assigned = menu;
    EXPECT_EQ(assigned.GetSafeFreeMenu(), menu.GetSafeFreeMenu());
    copy = CFreeMenu();
    assigned = CFreeMenu();
    EXPECT_EQ(copy.GetSafeFreeMenu(), nullptr);

    // A new menu keeps the image list; destroying it forgets the list.
    menu.CreateMenu();
    EXPECT_EQ(menu.GetMenuItemCount(), 0u);
    EXPECT_EQ(menu.GetImageList(), images);
    menu.DestroyMenu();
    EXPECT_EQ(menu.GetImageList(), nullptr);
    ImageList_Destroy(images);
}

}  // namespace
