// The framework layer as a host uses it: handle maps, message maps, reflection,
// pre-translation, containers, strings and exceptions that cross the library boundary.
#include "Harness.h"

namespace {

class ClickRecorder : public CWnd {
public:
    UINT flags = 0;
    CPoint point{-1, -1};
    UINT chars = 0;
    int notifications = 0;
    UINT lastNotifyCode = 0;
    LRESULT customAnswer = 0;

protected:
    void OnLButtonDown(UINT nFlags, CPoint p) { flags = nFlags; point = p; }
    void OnChar(UINT nChar, UINT, UINT) { chars = nChar; }
    LRESULT OnCustom(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam) + customAnswer; }
    LRESULT OnBadIndex(WPARAM, LPARAM)
    {
        CDWordArray empty;
        return static_cast<LRESULT>(empty.GetAt(3));
    }
    void OnChildSaid(NMHDR* hdr, LRESULT* result) { ++notifications; lastNotifyCode = hdr->code; *result = 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickRecorder, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_APP + 1, OnCustom)
    ON_MESSAGE(WM_APP + 2, OnBadIndex)
    ON_NOTIFY(0x300, 7995, OnChildSaid)
END_MESSAGE_MAP()

// An edit box that colours itself through the reflected control-colour message.
class ColouredEdit : public CEdit {
public:
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    int keysSeen = 0;
    ~ColouredEdit() override { ::DeleteObject(brush); }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
            ++keysSeen;
            return TRUE;
        }
        return CEdit::PreTranslateMessage(msg);
    }

protected:
    HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(200, 0, 0));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouredEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    kx::HostWindow host;
};

TEST_F(FrameworkTest, HandlersReceiveUnpackedArguments)
{
    ClickRecorder rec;
    ASSERT_TRUE(rec.Create(nullptr, L"", WS_VISIBLE, CRect(10, 10, 110, 60), &host, 5));
    EXPECT_EQ(CWnd::FromHandlePermanent(rec.m_hWnd), &rec);

    rec.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(-3, 17));
    EXPECT_EQ(rec.flags, static_cast<UINT>(MK_LBUTTON));
    EXPECT_EQ(rec.point, CPoint(-3, 17));

    rec.SendMessage(WM_CHAR, L'q', 1);
    EXPECT_EQ(rec.chars, static_cast<UINT>(L'q'));
    EXPECT_EQ(rec.SendMessage(WM_APP + 1, 40, 2), 42);

    // An exception in a handler fails that message only; the window goes on working.
    EXPECT_EQ(rec.SendMessage(WM_APP + 2), 0);
    EXPECT_EQ(rec.SendMessage(WM_APP + 1, 1, 2), 3);
}

TEST_F(FrameworkTest, NotifyIsRoutedByCodeAndChildId)
{
    ClickRecorder rec;
    ASSERT_TRUE(rec.Create(nullptr, L"", WS_VISIBLE, CRect(10, 10, 110, 60), &host, 5));
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, rec.m_hWnd, nullptr, nullptr, nullptr);

    NMHDR hdr{child, 7995, 0x300};
    EXPECT_EQ(rec.SendMessage(WM_NOTIFY, 7995, reinterpret_cast<LPARAM>(&hdr)), 7);
    NMHDR otherId{child, 7996, 0x300};
    rec.SendMessage(WM_NOTIFY, 7996, reinterpret_cast<LPARAM>(&otherId));
    NMHDR otherCode{child, 7995, 0x301};
    rec.SendMessage(WM_NOTIFY, 7995, reinterpret_cast<LPARAM>(&otherCode));
    EXPECT_EQ(rec.notifications, 1);
    EXPECT_EQ(rec.lastNotifyCode, 0x300u);
}

TEST_F(FrameworkTest, ControlColourIsReflectedToTheChild)
{
    ColouredEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &host, 9));
    HDC dc = ::GetDC(edit.m_hWnd);
    LRESULT brush = host.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit.brush);
    EXPECT_EQ(::GetTextColor(dc), RGB(200, 0, 0));
    ::ReleaseDC(edit.m_hWnd, dc);
}

TEST_F(FrameworkTest, PreTranslationWalksFromTheTargetUpToItsParents)
{
    ColouredEdit outer;
    ASSERT_TRUE(outer.Create(WS_VISIBLE, CRect(10, 10, 200, 34), &host, 9));
    HWND inner = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, outer.m_hWnd, nullptr, nullptr, nullptr);

    MSG msg = kx::Msg(WM_KEYDOWN, VK_F5, 0);
    msg.hwnd = inner;
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    msg.wParam = VK_F6;
    EXPECT_FALSE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(outer.keysSeen, 1);
}

TEST_F(FrameworkTest, SubclassingRoutesAWindowAndUnsubclassingGivesItBack)
{
    HWND raw = ::CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, host.m_hWnd, nullptr, nullptr, nullptr);
    auto original = ::GetWindowLongPtrW(raw, GWLP_WNDPROC);
    {
        ClickRecorder rec;
        ASSERT_TRUE(rec.SubclassWindow(raw));
        CWnd second;
        EXPECT_FALSE(second.SubclassWindow(raw));  // one object per window
        rec.SendMessage(WM_CHAR, L'z', 1);
        EXPECT_EQ(rec.chars, static_cast<UINT>(L'z'));
        CString text;
        rec.GetWindowText(text);
        EXPECT_EQ(text, L"abc");  // unhandled messages reach the system edit
        EXPECT_EQ(rec.UnsubclassWindow(), raw);
    }
    EXPECT_TRUE(::IsWindow(raw));
    EXPECT_EQ(::GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
}

TEST_F(FrameworkTest, DestroyingTheWindowDetachesTheObjectAndDeletingTheObjectDestroysTheWindow)
{
    HWND hWnd;
    {
        ClickRecorder rec;
        ASSERT_TRUE(rec.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &host, 3));
        hWnd = rec.m_hWnd;
        EXPECT_EQ(CWnd::FromHandle(hWnd), &rec);
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    ClickRecorder rec;
    ASSERT_TRUE(rec.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &host, 3));
    hWnd = rec.m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(rec.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_TRUE(rec.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &host, 3));  // reusable
}

TEST(Framework, FailedCreationStillGivesTheObjectItsCleanUp)
{
    struct SelfOwned : CWnd {
        bool* cleaned;
        explicit SelfOwned(bool* flag) : cleaned(flag) {}
        void PostNcDestroy() override { *cleaned = true; }
    };
    bool cleaned = false;
    SelfOwned wnd(&cleaned);
    EXPECT_FALSE(wnd.CreateEx(0, L"NoSuchWindowClass", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(cleaned);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(Framework, TemporaryWrappersAreReusedAndNotOwning)
{
    HWND desktop = ::GetDesktopWindow();
    CWnd* a = CWnd::FromHandle(desktop);
    CWnd* b = CWnd::FromHandle(desktop);
    EXPECT_EQ(a, b);
    EXPECT_EQ(CWnd::FromHandlePermanent(desktop), nullptr);
    AfxDeleteTempMap();
    EXPECT_TRUE(::IsWindow(desktop));
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST(Framework, ArrayGrowsByAnEighthWithinFourAnd1024)
{
    CArray<int, int> a;
    a.Add(1);
    EXPECT_EQ(a.GetAllocatedSize(), 1);
    a.Add(2);
    EXPECT_EQ(a.GetAllocatedSize(), 5);  // grows by at least 4
    a.SetSize(80);
    a.Add(0);
    EXPECT_EQ(a.GetAllocatedSize(), 90);  // 80 + 80/8
    a.SetSize(20000);
    a.Add(0);
    EXPECT_EQ(a.GetAllocatedSize(), 20000 + 1024);

    CArray<CString, const CString&> words;
    words.SetSize(0, 3);
    words.Add(L"one");
    EXPECT_EQ(words.GetAllocatedSize(), 3);
    words.InsertAt(0, L"zero");
    words.RemoveAt(1);
    ASSERT_EQ(words.GetSize(), 1);
    EXPECT_EQ(words[0], L"zero");
}

TEST(Framework, BadArrayIndexThrowsInvalidArgumentAcrossTheLibraryBoundary)
{
    CDWordArray a;
    a.Add(7);
    auto expectInvalidArg = [](auto&& action) {
        bool caught = false;
        try {
            action();
        } catch (CInvalidArgException* e) {
            caught = true;
            e->Delete();
        }
        EXPECT_TRUE(caught);
    };
    expectInvalidArg([&] { (void)a.GetAt(1); });
    expectInvalidArg([&] { (void)a.GetAt(-1); });
    expectInvalidArg([&] { a.RemoveAt(0, 2); });
    expectInvalidArg([&] { a.SetSize(-1); });
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a[0], 7u);
}

TEST(Framework, ResourceExceptionThrownInTheLibraryIsCaughtInTheHost)
{
    bool caught = false;
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        caught = dynamic_cast<CResourceException*>(e) != nullptr;
        wchar_t text[64];
        EXPECT_TRUE(e->GetErrorMessage(text, 64));
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

TEST(Framework, MapFindsReplacesRemovesAndVisitsEveryKey)
{
    CMapWordToPtr map(10);
    void* value = nullptr;
    EXPECT_FALSE(map.Lookup(5, value));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    for (WORD k = 0; k < 100; ++k) map[static_cast<WORD>(k * 17)] = reinterpret_cast<void*>(static_cast<UINT_PTR>(k + 1));
    map.SetAt(17, reinterpret_cast<void*>(500));
    EXPECT_EQ(map.GetCount(), 100);
    ASSERT_TRUE(map.Lookup(17, value));
    EXPECT_EQ(value, reinterpret_cast<void*>(500));
    EXPECT_TRUE(map.RemoveKey(34));
    EXPECT_FALSE(map.RemoveKey(34));

    int visited = 0;
    UINT_PTR sum = 0;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        WORD key;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key % 17, 0);
        sum += reinterpret_cast<UINT_PTR>(value);
        ++visited;
    }
    EXPECT_EQ(visited, 99);
    EXPECT_EQ(sum, static_cast<UINT_PTR>(5050 - 2 - 3 + 500));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.Lookup(0, value));
}

TEST(Framework, FormatsFollowTheWindowsRuntime)
{
    CString s;
    s.Format(L"%s|%c|%d|%f|%.01f|%.2f", L"wide", L'\u00BB', -42, 3.5, 2.26, 2.5);
    EXPECT_EQ(s, L"wide|\u00BB|-42|3.500000|2.3|2.50");
    wchar_t buffer[8];
    EXPECT_EQ(AfxFormatW(buffer, 8, L"%d", 1234567890), 7);
    EXPECT_STREQ(buffer, L"1234567");
    EXPECT_EQ(CString(L"abcdef").Mid(2, 3), L"cde");
    EXPECT_EQ(CString(L"abcdef").Left(10), L"abcdef");
}

}  // namespace
