// The item array and its operations, without any window.
#include "MenuTesting.h"
#include <string>

namespace {

constexpr UINT kNotFound = 0xFFFFFFFF;
UINT_PTR SubmenuId(const CFreeMenu& m) { return reinterpret_cast<UINT_PTR>(m.GetSafeFreeMenu()); }
const CBitmap* ImageIndex(UINT_PTR i) { return reinterpret_cast<const CBitmap*>(i); }

// 0 "&Open" id 1 | 1 separator | 2 "Save" id 2 grayed | 3 submenu "More" | 4 "Again" id 1
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
        menu.AppendMenuW(MF_POPUP, SubmenuId(sub), L"More");
        menu.AppendMenuW(MF_STRING, 1, L"Again");
    }
    const MENUITEM& Item(int i) const { return menu.GetSafeFreeMenu()->GetAt(i); }
};

TEST(MenuModel, LookupsInsertsAndModifications)
{
    SampleMenu s;
    const UINT ids[] = {1, 0, 2, kNotFound, 1, kNotFound};  // separator 0, popup and past the end -1
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.menu.GetMenuItemID(i), ids[i]) << i;
    // The first of duplicate ids; id 0 names the separator; a submenu's ids are not searched.
    CString text;
    EXPECT_EQ(s.menu.GetMenuStringW(1, text, MF_BYCOMMAND), 5);
    EXPECT_EQ(text, CString(L"&Open"));
    EXPECT_EQ(s.menu.GetMenuState(0, MF_BYCOMMAND), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(s.menu.GetMenuStringW(7, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(s.menu.GetSubMenu(3), &s.sub);
    EXPECT_EQ(s.menu.GetSubMenu(0), nullptr);

    // Position == count appends, count + 1 fails; by command inserts before the item.
    EXPECT_TRUE(s.menu.InsertMenuW(5, MF_BYPOSITION, 9, L"Last"));
    EXPECT_FALSE(s.menu.InsertMenuW(7, MF_BYPOSITION, 9, L"Nowhere"));
    EXPECT_TRUE(s.menu.InsertMenuW(2, MF_BYCOMMAND, 8, L"Before save"));
    EXPECT_EQ(s.menu.GetMenuItemID(2), 8u);
    EXPECT_EQ(s.Item(6).nFlags, static_cast<UINT>(MF_BYPOSITION));  // stored as passed

    // A popup item modified without MF_POPUP keeps its submenu and, with a NULL text, its text.
    EXPECT_TRUE(s.menu.ModifyMenuW(4, MF_BYPOSITION, 5, static_cast<LPCWSTR>(nullptr)));
    EXPECT_EQ(s.menu.GetMenuItemID(4), kNotFound);
    EXPECT_EQ(s.menu.GetSubMenu(4), &s.sub);
    EXPECT_STREQ(s.Item(4).szText, L"More");
    // A plain item made a popup keeps its command id.
    EXPECT_TRUE(s.menu.ModifyMenuW(1, MF_POPUP, SubmenuId(s.sub), L"Now a popup"));
    EXPECT_EQ(s.Item(0).nID, 1u);
    EXPECT_EQ(s.menu.GetSubMenu(0), &s.sub);

    // Removing the first duplicate moves the rest down and leaves submenus alone.
    EXPECT_TRUE(s.menu.RemoveMenu(1, MF_BYCOMMAND));
    EXPECT_STREQ(s.Item(4).szText, L"Again");
    EXPECT_FALSE(s.menu.RemoveMenu(7, MF_BYPOSITION));
    EXPECT_EQ(s.sub.GetMenuItemCount(), 1u);
}

TEST(MenuModel, TextsAreCutAndCopiedIntoShortBuffers)
{
    CFreeMenu menu;
    menu.CreateMenu();
    const std::wstring longText(300, L'x');
    menu.AppendMenuW(MF_STRING, 1, longText.c_str());
    menu.AppendMenuW(MF_STRING, 2, L"12345678");
    CString text;
    EXPECT_EQ(menu.GetMenuStringW(1, text, MF_BYCOMMAND), 259);
    EXPECT_EQ(text, CString(longText.substr(0, 259).c_str()));

    wchar_t buffer[12];
    wmemset(buffer, L'#', 12);
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 5, MF_BYCOMMAND), 4);
    EXPECT_STREQ(buffer, L"1234");
    EXPECT_EQ(buffer[5], L'#');  // nothing past the buffer
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 9, MF_BYCOMMAND), 8);
    EXPECT_EQ(buffer[9], L'#');
    EXPECT_EQ(menu.GetMenuStringW(2, buffer, 0, MF_BYCOMMAND), 0);
    EXPECT_EQ(menu.GetMenuStringW(2, nullptr, 5, MF_BYCOMMAND), 0);
    EXPECT_EQ(buffer[0], L'1');
}

TEST(MenuModel, CheckEnableAndRadioStates)
{
    SampleMenu s;
    EXPECT_EQ(s.menu.CheckMenuItem(2, MF_CHECKED), 0u);
    EXPECT_EQ(s.menu.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));  // wins over grayed
    EXPECT_EQ(s.menu.CheckMenuItem(2, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(s.menu.CheckMenuItem(42, MF_CHECKED), kNotFound);
    // Setting one disabling bit keeps the other; enabling clears both.
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_DISABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_GRAYED), 3u);
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_ENABLED), 3u);
    EXPECT_EQ(s.menu.EnableMenuItem(2, MF_ENABLED), 0u);
    EXPECT_EQ(s.menu.EnableMenuItem(42, MF_GRAYED), kNotFound);

    CFreeMenu radio;
    radio.CreateMenu();
    radio.AppendMenuW(MF_STRING | MF_CHECKED, 1, L"one");
    radio.AppendMenuW(MF_STRING, 2, L"two");
    // Command 3 is missing: 1 and 2 were visited first and keep their change.
    EXPECT_FALSE(radio.CheckMenuRadioItem(1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(radio.GetMenuState(1, MF_BYCOMMAND), 0u);
    EXPECT_EQ(radio.GetMenuState(2, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(radio.CheckMenuRadioItem(3, 1, 1, MF_BYCOMMAND));  // an empty range
    EXPECT_EQ(radio.GetMenuState(1, MF_BYCOMMAND), 0u);
}

TEST(MenuModel, WithoutDataEveryOperationAnswersItsDefault)
{
    CFreeMenu menu;
    CString text(L"kept");
    MENUITEMINFOW info{};
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
    EXPECT_EQ(menu.GetMenuStringW(0, text, MF_BYPOSITION), 0);
    EXPECT_EQ(text, CString(L"kept"));
    EXPECT_EQ(menu.GetSubMenu(0), nullptr);
    EXPECT_FALSE(menu.SetDefaultItem(0, TRUE));
    EXPECT_EQ(menu.TrackPopupMenu(0, 10, 10, nullptr), 0);

    // The inert operations answer the same with data.
    menu.CreateMenu();
    menu.AppendMenuW(MF_STRING, 4, L"x");
    EXPECT_TRUE(menu.SetDefaultItem(4));
    EXPECT_EQ(menu.GetDefaultItem(0), 0u);
    info.cbSize = 0x1234;
    EXPECT_FALSE(menu.GetMenuItemInfoW(0, &info, TRUE));
    EXPECT_EQ(info.cbSize, 0x1234u);
    EXPECT_FALSE(menu.SetMenuItemBitmaps(0, MF_BYPOSITION, nullptr, nullptr));
}

TEST(MenuModel, BitmapsImageListsAndSharedCopies)
{
    HIMAGELIST images = ImageList_Create(24, 26, ILC_COLOR24, 1, 1);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
    CFreeMenu menu;
    menu.SetImageList(images);  // before the data: the height stays 20
    menu.CreateMenu();
    EXPECT_EQ(menu.GetSafeFreeMenu()->m_nItemHeight, 20);
    menu.AppendMenuW(MF_STRING, 1, ImageIndex(255));
    menu.AppendMenuW(MF_STRING, 2, &bitmap, L"Pic");
    menu.ModifyMenuW(2, MF_BYCOMMAND, 2, ImageIndex(5));
    const CFreeMenuData& data = *menu.GetSafeFreeMenu();
    EXPECT_EQ(data[0].nBitmap, 255);
    EXPECT_EQ(data[1].nBitmap, 5);
    EXPECT_STREQ(data[1].szText, L"Pic");
    menu.InsertMenuW(0, MF_BYPOSITION, 3, &bitmap);
    EXPECT_EQ(data[0].nBitmap, static_cast<int>(reinterpret_cast<INT_PTR>(bitmap.m_hObject)));
    menu.SetImageList(images);
    EXPECT_EQ(data.m_nItemHeight, 26);

    // Copies share one data object; only one of them may keep it.
    CFreeMenu copy(menu), assigned;
    assigned = menu;
    copy.AppendMenuW(MF_STRING, 5, L"Through the copy");
    EXPECT_EQ(assigned.GetMenuItemCount(), 4u);
    EXPECT_EQ(copy.GetImageList(), images);
    copy = assigned = CFreeMenu();
    // A new menu keeps the image list; destroying it forgets the list.
    menu.CreateMenu();
    EXPECT_EQ(menu.GetMenuItemCount(), 0u);
    EXPECT_EQ(menu.GetImageList(), images);
    menu.DestroyMenu();
    EXPECT_EQ(menu.GetImageList(), nullptr);
    EXPECT_EQ(menu.GetMenuItemCount(), kNotFound);
    ImageList_Destroy(images);
}

}  // namespace
