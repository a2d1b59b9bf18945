// Random operation sequences with fixed seeds on the models of the scroll bar, the header and
// the menu, checking after every step what each model promises.
#include "Stress.h"
#include <KestrelHeader.h>
#include <KestrelMenu.h>
#include <KestrelScrollBar.h>
#include <algorithm>
#include <climits>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int HostileInt(stress::Rng& rng)
{
    const int edges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 2, 100, INT_MAX - 1, INT_MAX};
    return rng.Chance(25) ? edges[rng.Int(0, 8)] : rng.Int(-1000, 1000);
}

// ---- scroll model ----

class ModelScrollBar : public CStaticScrollBar {
public:
    using CStaticScrollBar::LayoutIn;
};

void CheckScroll(ModelScrollBar& bar, const std::string& at)
{
    const char* row = "CStaticScrollBar model";
    int lo = 0, hi = 0;
    bar.GetScrollRange(&lo, &hi);
    if (lo > hi) std::swap(lo, hi);
    const int pos = bar.GetScrollPos();
    STRESS_CHECK_AT(row, pos >= lo && pos <= hi, "the position lies in the range", at);
    STRESS_CHECK_AT(row, bar.GetPage() >= 1, "the page is never 0", at);
    STRESS_CHECK_AT(row, bar.GetlineStep() >= 1, "the line step is 1 or more", at);
    CRect track, thumb, before, after, client;
    bar.GetPartRect(SBPART_TRACK, track);
    bar.GetPartRect(SBPART_TRACKBOX, thumb);
    bar.GetPartRect(99, client);
    const bool vertical = bar.IsVertScroll();
    const int tStart = vertical ? track.top : track.left, tEnd = vertical ? track.bottom : track.right;
    const int start = vertical ? thumb.top : thumb.left, end = vertical ? thumb.bottom : thumb.right;
    STRESS_CHECK_AT(row, bar.GetThumbLength() >= 0 && bar.GetEndBoxLength() >= 0, "lengths are not negative", at);
    if (bar.GetThumbLength() > 0) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        bar.GetScrollInfo(&si, SIF_ALL);
        const std::string state = at + ": range " + std::to_string(si.nMin) + ".." + std::to_string(si.nMax) + ", page " +
                                  std::to_string(si.nPage) + ", pos " + std::to_string(si.nPos) + ", track " +
                                  std::to_string(tStart) + ".." + std::to_string(tEnd) + ", thumb " +
                                  std::to_string(start) + ".." + std::to_string(end);
        STRESS_CHECK_AT(row, start >= tStart && end <= tEnd, "the thumb stays inside the track", state);
    }
    for (int probe = 0; probe < 4; ++probe) {
        const CPoint p(client.left + (client.Width() * probe) / 4, client.top + (client.Height() * probe) / 4);
        const int part = bar.HitTest(p);
        STRESS_CHECK_AT(row, part >= -1 && part <= SBPART_RTDNMARGIN, "hit tests name a part or none", at);
    }
}

TEST(ControlModels, ScrollModelUnderRandomOperations)
{
    ModelScrollBar bar;
    stress::Rng rng(21);
    const long steps = stress::Run().steps;
    for (long s = 0; s < steps; ++s) {
        switch (rng.Int(0, 8)) {
        case 0: bar.SetScrollRange(HostileInt(rng), HostileInt(rng), FALSE); break;
        case 1: bar.SetScrollPos(HostileInt(rng), FALSE); break;
        case 2: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = static_cast<UINT>(rng.Int(0, 0x1F));
            si.nMin = HostileInt(rng);
            si.nMax = HostileInt(rng);
            si.nPage = rng.Chance(20) ? 0xFFFFFFFFu : static_cast<UINT>(rng.Int(0, 300));
            si.nPos = HostileInt(rng);
            bar.SetScrollInfo(&si, FALSE);
            bar.SetScrollInfo(nullptr, FALSE);
            break;
        }
        case 3: bar.SetlineStep(rng.Chance(20) ? 0u : static_cast<UINT>(rng.Int(0, 50))); break;
        case 4: {
            // The layout follows a change of orientation only at the next layout.
            CRect client;
            bar.GetPartRect(99, client);
            bar.ModifySBStyle(SBS_VERT, rng.Chance(50) ? SBS_VERT : 0, FALSE);
            bar.LayoutIn(client);
            break;
        }
        case 5: bar.EnableScrollBar(static_cast<UINT>(rng.Int(0, 3))); break;
        case 6: {
            const int x = rng.Int(-50, 50), y = rng.Int(-50, 50);
            // Client rectangles as the system reports them: never inverted.
            bar.LayoutIn(CRect(x, y, x + rng.Int(0, 400), y + rng.Int(0, 400)));
            break;
        }
        case 7: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            bar.GetScrollInfo(&si, static_cast<UINT>(rng.Int(0, 0x1F)));
            bar.GetScrollInfo(nullptr);
            break;
        }
        default: {
            CPoint p(rng.Int(-100, 500), rng.Int(-100, 500));
            bar.src2value(p, rng.Chance(50));
            bar.value2src(HostileInt(rng));
            bar.src2value(HostileInt(rng));
            break;
        }
        }
        CheckScroll(bar, " (step " + std::to_string(s) + ")");
    }
    stress::TableRow("CStaticScrollBar model").steps += steps;
}

// ---- header items and order ----

void CheckHeader(CHeadWnd& head, int expectedCount, const std::string& at)
{
    const char* row = "CHeadWnd items and order";
    const int n = head.GetItemCount();
    STRESS_CHECK_AT(row, n == expectedCount, "the item count follows inserts and deletes", at);
    std::vector<int> order(static_cast<size_t>(n) + 1, -7);
    head.GetOrderArray(order.data(), n);
    std::vector<int> seen(order.begin(), order.begin() + n);
    std::sort(seen.begin(), seen.end());
    bool permutation = true;
    for (int i = 0; i < n; ++i) permutation = permutation && seen[static_cast<size_t>(i)] == i;
    STRESS_CHECK_AT(row, permutation, "positions are 0 to count - 1 once each", at);
    STRESS_CHECK_AT(row, order[static_cast<size_t>(n)] == -7, "GetOrderArray writes only the entries asked for", at);
    bool mapped = true;
    for (int p = 0; p < n; ++p) mapped = mapped && head.OrderToIndex(p) == order[static_cast<size_t>(p)];
    STRESS_CHECK_AT(row, mapped && head.OrderToIndex(n) == -1 && head.OrderToIndex(-1) == -1,
                    "OrderToIndex agrees with the order array", at);
    for (int p = 0; p < n; ++p) {
        wchar_t text[64];
        std::wmemset(text, L'#', 64);
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_ORDER;
        item.pszText = text;
        item.cchTextMax = 40;
        head.GetItem(p, &item);
        STRESS_CHECK_AT(row, std::wcslen(text) <= static_cast<size_t>(CHeadWnd::kTextMax) && text[40] == L'#',
                        "captions keep to 31 characters and the caller's buffer", at);
        STRESS_CHECK_AT(row, item.iOrder == p, "an item reports its own position", at);
    }
}

TEST(ControlModels, HeaderItemsAndOrderUnderRandomOperations)
{
    CHeadWnd head;
    stress::Rng rng(31);
    int count = 0;
    const long steps = stress::Run().steps;
    const std::wstring longText(300, L'x');
    for (long s = 0; s < steps; ++s) {
        const int n = head.GetItemCount();
        switch (rng.Int(0, 7)) {
        case 0:
        case 1: {
            if (n > 40) break;
            HDITEMW item{};
            item.mask = static_cast<UINT>(rng.Int(0, 0xFF));
            item.cxy = HostileInt(rng);
            item.pszText = const_cast<wchar_t*>(longText.c_str() + rng.Int(0, 300));
            item.cchTextMax = HostileInt(rng);
            item.fmt = HostileInt(rng);
            item.iOrder = rng.Int(-3, n + 3);
            if (head.InsertItem(rng.Int(-3, n + 3), rng.Chance(5) ? nullptr : &item) >= 0) ++count;
            break;
        }
        case 2:
            if (head.DeleteItem(rng.Int(-2, n + 2))) --count;
            break;
        case 3: head.SwitchOrder(rng.Int(-2, n + 2), rng.Int(-2, n + 2)); break;
        case 4: {
            // A partial order naming each index at most once.
            std::vector<int> order(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
            for (int i = n - 1; i > 0; --i) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(rng.Int(0, i))]);
            head.SetOrderArray(rng.Int(0, n + 3), order.data());
            head.SetOrderArray(3, nullptr);
            break;
        }
        case 5: {
            HDITEMW item{};
            item.mask = static_cast<UINT>(rng.Int(0, 0xFF));
            item.cxy = HostileInt(rng);
            item.pszText = rng.Chance(20) ? nullptr : const_cast<wchar_t*>(longText.c_str());
            item.cchTextMax = HostileInt(rng);
            item.iOrder = rng.Int(-3, n + 3);
            head.SetItem(rng.Int(-2, n + 2), rng.Chance(5) ? nullptr : &item);
            break;
        }
        case 6: {
            RECT r{};
            head.GetItemRect(rng.Int(-2, n + 2), rng.Chance(10) ? nullptr : &r);
            CPoint p(HostileInt(rng), 5);
            head.HitTest(p);
            break;
        }
        default: head.SetAppendInfo(rng.Chance(20) ? longText.c_str() : L"sum"); break;
        }
        CheckHeader(head, count, " (step " + std::to_string(s) + ")");
    }
    stress::TableRow("CHeadWnd items and order").steps += steps;
}

// ---- menu data ----

void CheckMenu(CFreeMenu& menu, int expectedCount, const std::string& at)
{
    const char* row = "CFreeMenu data";
    const int n = static_cast<int>(menu.GetMenuItemCount());
    STRESS_CHECK_AT(row, n == expectedCount, "the item count follows appends, inserts and removals", at);
    STRESS_CHECK_AT(row, menu.GetSafeFreeMenu() && menu.GetSafeFreeMenu()->GetSize() == n, "count and data agree", at);
    STRESS_CHECK_AT(row, menu.GetSubMenu(n) == nullptr && menu.GetSubMenu(-1) == nullptr,
                    "no submenu outside the items", at);
    for (int p = 0; p < n; ++p) {
        wchar_t text[8];
        std::wmemset(text, L'#', 8);
        menu.GetMenuStringW(static_cast<UINT>(p), text, 5, MF_BYPOSITION);
        STRESS_CHECK_AT(row, text[5] == L'#' && std::wmemchr(text, L'\0', 5) != nullptr,
                        "GetMenuStringW keeps to the caller's buffer", at);
    }
}

TEST(ControlModels, MenuDataUnderRandomOperations)
{
    CFreeMenu menu, sub;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenuW(MF_STRING, 900, L"inner");
    stress::Rng rng(41);
    int count = 0;
    const long steps = stress::Run().steps;
    const std::wstring longText(1000, L'm');
    const UINT flags[] = {MF_STRING, MF_SEPARATOR, MF_STRING | MF_CHECKED, MF_STRING | MF_GRAYED, MF_STRING | MF_DISABLED,
                          MF_STRING | MF_MENUBARBREAK, MF_OWNERDRAW};
    for (long s = 0; s < steps; ++s) {
        const int n = static_cast<int>(menu.GetMenuItemCount());
        const UINT flag = flags[rng.Int(0, 6)];
        const UINT id = static_cast<UINT>(rng.Int(0, 50));
        const wchar_t* text = rng.Chance(20) ? longText.c_str() : rng.Chance(10) ? nullptr : L"item";
        switch (rng.Int(0, 8)) {
        case 0:
            if (n < 60 && menu.AppendMenuW(flag, id, text)) ++count;
            break;
        case 1:
            if (n < 60 && menu.InsertMenuW(static_cast<UINT>(rng.Int(0, n + 2)), flag | MF_BYPOSITION, id, text)) ++count;
            break;
        case 2:
            if (menu.RemoveMenu(static_cast<UINT>(rng.Int(0, n + 2)), MF_BYPOSITION)) --count;
            break;
        case 3:
            if (menu.RemoveMenu(id, MF_BYCOMMAND)) --count;
            break;
        case 4: menu.ModifyMenuW(static_cast<UINT>(rng.Int(0, n + 2)), flag | MF_BYPOSITION, id, text); break;
        case 5:
            menu.CheckMenuItem(id, rng.Chance(50) ? MF_CHECKED : MF_UNCHECKED);
            menu.EnableMenuItem(id, rng.Chance(50) ? MF_GRAYED : MF_ENABLED);
            menu.CheckMenuRadioItem(static_cast<UINT>(rng.Int(0, n + 2)), static_cast<UINT>(rng.Int(0, n + 2)),
                                    static_cast<UINT>(rng.Int(0, n + 2)), MF_BYPOSITION);
            break;
        case 6:
            if (n < 60 && rng.Chance(30) &&
                menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"more"))
                ++count;
            break;
        case 7: {
            menu.GetMenuItemID(rng.Int(-2, n + 2));
            menu.GetMenuState(static_cast<UINT>(rng.Int(0, n + 2)), MF_BYPOSITION);
            menu.FindItem(id, MF_BYCOMMAND);
            menu.SetDefaultItem(static_cast<UINT>(rng.Int(-1, n + 2)), TRUE);
            menu.GetDefaultItem(0, TRUE);
            break;
        }
        default: {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
            menu.GetMenuItemInfoW(static_cast<UINT>(rng.Int(0, n + 2)), &info, TRUE);
            break;
        }
        }
        CheckMenu(menu, count, " (step " + std::to_string(s) + ")");
    }
    stress::TableRow("CFreeMenu data").steps += steps;
}

}  // namespace
