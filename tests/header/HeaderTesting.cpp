#include "HeaderTesting.h"
#include <ostream>

namespace headtest {

namespace {
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 9;
constexpr UINT kGuardMs = 5000;
bool g_guardFired = false;

void CALLBACK GuardExpired(HWND, UINT, UINT_PTR, DWORD)
{
    g_guardFired = true;
    ::PostQuitMessage(0);
}
}  // namespace

void PrintTo(const Note& n, std::ostream* os)
{
    *os << "{code " << static_cast<int>(n.code) << ", item " << n.iItem << ", button " << n.iButton << ", width "
        << n.width << ", \"" << std::string(n.text.begin(), n.text.end()) << "\"}";
}

LRESULT HeaderHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam != 0) {
        const auto* nm = reinterpret_cast<const NMHEADERW*>(lParam);
        if (nm->hdr.code >= HDN_LAST && nm->hdr.code <= HDN_FIRST) {
            headers.push_back(nm->hdr);
            Note note{nm->hdr.code, nm->iItem, nm->iButton, -1, L""};
            if (nm->pitem != nullptr) {
                items.push_back(*nm->pitem);
                note.width = nm->pitem->cxy;
                if (nm->pitem->pszText != nullptr) note.text = nm->pitem->pszText;
            }
            notes.push_back(note);
            if (onNotify) onNotify(*nm);
        }
    }
    return kx::HostWindow::WindowProc(message, wParam, lParam);
}

MSG TestHeadWnd::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

void TestHeadWnd::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    draws.push_back({lpDrawItemStruct->itemID, lpDrawItemStruct->rcItem, lpDrawItemStruct->itemData != 0});
    CHeadWnd::DrawItem(lpDrawItemStruct);
}

LRESULT TestHeadWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        const size_t index = static_cast<size_t>(lParam);
        if (index < actions_.size()) actions_[index]();
        return 0;
    }
    if (message == WM_KEYDOWN) keysSeen.push_back(wParam);
    if (message == WM_PAINT) {
        RECT r{};
        if (::GetUpdateRect(m_hWnd, &r, FALSE)) paintedRects.push_back(r);
    }
    return CHeadWnd::WindowProc(message, wParam, lParam);
}

int Add(CHeadWnd& head, const wchar_t* text, int width, int format, int nPos)
{
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<LPWSTR>(text);
    item.cchTextMax = 32;
    item.cxy = width;
    item.fmt = format;
    return head.InsertItem(nPos, &item);
}

std::wstring TextAt(CHeadWnd& head, int nPos)
{
    wchar_t text[32] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    return head.GetItem(nPos, &item) ? std::wstring(text) : std::wstring(L"?");
}

std::wstring Row(CHeadWnd& head)
{
    std::wstring row;
    for (int p = 0; p < head.GetItemCount(); ++p) row += TextAt(head, p);
    return row;
}

void HeaderTest::SetUp()
{
    ASSERT_TRUE(host.Open());
    Add(head, L"A", 100);
    Add(head, L"B", 50, HDF_RIGHT);
    Add(head, L"C", 80, HDF_CENTER);
    ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kHeaderWidth, 10 + kHeaderHeight), &host,
                            kHeaderId));
    // Nothing of a real pointer may land in the header during a scripted drag.
    ::SetCursorPos(0, 0);
    kx::PumpMessages();
    host.Clear();
}

void HeaderTest::TearDown()
{
    if (::GetCapture() != nullptr) ::ReleaseCapture();
    head.DestroyWindow();
    host.Close();
}

void HeaderTest::PressAt(int x)
{
    g_guardFired = false;
    const UINT_PTR guard = ::SetTimer(nullptr, 0, kGuardMs, GuardExpired);
    head.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, kHeaderHeight / 2));
    ::KillTimer(nullptr, guard);
    EXPECT_FALSE(g_guardFired) << "the drag loop did not end by itself";
    MSG quit;
    EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a WM_QUIT was left behind";
}

int HeaderTest::WidthAt(int nPos)
{
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    return head.GetItem(nPos, &item) ? item.cxy : -1;
}

}  // namespace headtest
