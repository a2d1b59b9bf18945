// The hot-key box: texts of shortcuts, chords pressed by a user, growth to the left and the
// notification when the user moves on.
#include "Keyboard.h"
#include <KestrelEdit.h>

using namespace kx;

namespace {

constexpr UINT kBoxId = 42;

class KeyEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }

    void OpenBox(const CRect& rect)
    {
        EXPECT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, rect, &host, kBoxId));
        ASSERT_TRUE(box.IsWindow());
        PumpMessages();
        host.Clear();
    }

    CRect BoxRect() const
    {
        CRect r;
        box.GetWindowRect(&r);
        host.ScreenToClient(&r);
        return r;
    }

    HostWindow host;
    CKeyEdit box;
};

TEST_F(KeyEditTest, ShortcutTexts)
{
    OpenBox(CRect(20, 20, 420, 44));
    struct Case {
        UINT hotKey;
        const wchar_t* text;
    } cases[] = {
        {0x00410002, L"Ctrl+A"},
        {0x000F0000, L"\x000F"},
        {0x00220007, L"Ctrl+Shift+Alt+Page Down"},
        {0x0022000E, L"Ctrl+Shift+Win+Page Down"},
        {0x00700000, L"p"},        // F1 has no name: the character of its code
        {0x00BB0000, L"\x00BB"},   // codes above 127 too
        {0x00250001, L"Alt+\x2190"},
        {0x003B0002, L"Ctrl++"},
        {0x003D0000, L"-"},
        {0x00390000, L"9"},
        {0x00000000, L""},
    };
    for (const Case& c : cases) {
        box.SetHotKey(c.hotKey, 7);
        EXPECT_EQ(c.text, WindowText(box)) << std::hex << c.hotKey;
    }
    // Showing a hot key keeps the user value but does not capture the key.
    UINT user = 0;
    EXPECT_EQ(0u, box.GetHotKey(user));
    EXPECT_EQ(7u, user);
}

TEST_F(KeyEditTest, PressedChordBecomesTheHotKeyAndFocusLossReportsIt)
{
    OpenBox(CRect(20, 20, 220, 44));
    box.SetHotKey(0, 5);
    {
        HeldKeys held{VK_CONTROL, VK_SHIFT};
        PressKey('K');
    }
    UINT user = 0;
    EXPECT_EQ(0x004B0006u, box.GetHotKey(user));
    EXPECT_EQ(5u, user);
    EXPECT_EQ(L"Ctrl+Shift+K", WindowText(box));

    PressKey(VK_F1);  // a finished chord starts over
    EXPECT_EQ(0x00700000u, box.GetHotKey(user));
    EXPECT_EQ(L"p", WindowText(box));

    {
        HeldKeys held{VK_MENU};
        box.SendMessage(WM_KEYDOWN, VK_NEXT, KeyParam(VK_NEXT, false));
    }
    EXPECT_EQ(0x00220001u, box.GetHotKey(user));
    EXPECT_EQ(L"Alt+Page Down", WindowText(box));

    host.SetFocus();
    EXPECT_TRUE(box.IsWindow());
    EXPECT_FALSE(box.IsWindowVisible());
    ASSERT_EQ(std::vector<UINT>{EDITCTRL_NOTIFY_HIDE}, host.NotifyCodes());
    const LoggedMessage& m = host.log.back();
    EXPECT_EQ(kBoxId, m.wParam);
    EXPECT_EQ(box.m_hWnd, m.hdr.hwndFrom);
    EXPECT_EQ(kBoxId, m.hdr.idFrom);
    EXPECT_EQ(0x00220001u, box.GetHotKey(user));
}

TEST_F(KeyEditTest, LongTextGrowsLeftButNotPastTheParent)
{
    OpenBox(CRect(200, 20, 230, 44));
    box.SetHotKey(0x00410000, 0);  // "A" fits
    EXPECT_EQ(CRect(200, 20, 230, 44), BoxRect());
    box.SetHotKey(0x0022000F, 0);
    CRect r = BoxRect();
    EXPECT_LT(r.left, 200);
    EXPECT_GE(r.left, 0);
    EXPECT_EQ(CRect(r.left, 20, 230, 44), r);
    box.DestroyWindow();

    OpenBox(CRect(4, 60, 34, 84));
    box.SetHotKey(0x0022000F, 0);
    EXPECT_EQ(CRect(0, 60, 34, 84), BoxRect());
}

TEST_F(KeyEditTest, BadInputIsHarmless)
{
    EXPECT_TRUE(box.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), nullptr, kBoxId));
    EXPECT_FALSE(box.IsWindow());
    box.SetHotKey(0x00410002, 9);  // nothing to show it in; the user value is still kept
    UINT user = 0;
    EXPECT_EQ(0u, box.GetHotKey(user));
    EXPECT_EQ(9u, user);
    box.Translate(L'A', nullptr);

    OpenBox(CRect(20, 20, 120, 44));
    EXPECT_EQ(reinterpret_cast<LRESULT>(getdefaultHBrush()),
              host.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(box.m_hWnd)));
}

}  // namespace
