// Create/paint/destroy cycles of every control and start-up/tear-down cycles of every service:
// nothing may be kept from one cycle to the next. The probe itself is checked first.
#include "Stress.h"
#include <KestrelDraw.h>
#include <KestrelEdit.h>
#include <KestrelHeader.h>
#include <KestrelScrollBar.h>
#include <KestrelSplitter.h>
#include <KestrelMemDC.h>
#include <KestrelMenu.h>
#include <KestrelNumeric.h>
#include <KestrelOrmProgress.h>
#include <KestrelProgress.h>
#include <KestrelStaticX.h>
#include <KestrelToolTip.h>
#include <memory>

using stress::MeasureCycles;


namespace {

constexpr UINT kCtrlId = 300;

TEST(GdiProbe, SeesADeliberateLeakOfEveryKindAndItsRelease)
{
    const long before = stress::FreeGdiObjects();
    EXPECT_EQ(stress::FreeGdiObjects(), before);  // probing itself keeps nothing

    HDC screen = ::GetDC(nullptr);
    HGDIOBJ leaked[] = {::CreateSolidBrush(RGB(1, 2, 3)), ::CreatePen(PS_SOLID, 1, 0), ::CreateRectRgn(0, 0, 5, 5),
                        ::CreateCompatibleBitmap(screen, 4, 4), ::CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial")};
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(before - stress::FreeGdiObjects(), 6);
    for (HGDIOBJ h : leaked) ::DeleteObject(h);
    ::DeleteDC(memory);
    EXPECT_EQ(stress::FreeGdiObjects(), before);

    // Through the cycle measure: one brush a cycle shows as one per cycle, a window as one.
    std::vector<HBRUSH> brushes;
    const stress::Kept kept = stress::KeptOver(12, [&](int) { brushes.push_back(::CreateSolidBrush(0)); });
    EXPECT_EQ(kept.objects, kept.measured);
    EXPECT_EQ(kept.measured, 9);
    for (HBRUSH b : brushes) ::DeleteObject(b);
    HWND window = nullptr;
    const stress::Kept windows = stress::KeptOver(8, [&](int i) {
        if (i == 7) window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    });
    EXPECT_EQ(windows.windows, 1);
    ::DestroyWindow(window);
}

class Cycles : public stress::StressTest {
protected:
    CRect Where(int i, int w, int h) const
    {
        const int x = 10 + (i * 7) % 200, y = 10 + (i * 13) % 200;
        return CRect(x, y, x + w, y + h);
    }
};

TEST_F(Cycles, ProgressBars)
{
    MeasureCycles("CCoolProgressCtrl", stress::Run().cycles, [&](int i) {
        auto bar = std::make_unique<CCoolProgressCtrl>();
        bar->Create(WS_CHILD | WS_VISIBLE, Where(i, 150 + i % 50, 20), &host, kCtrlId);
        bar->ShowPercent(i & 1);
        bar->SetRange(-i, i % 7 == 0 ? -i : 100 + i);
        bar->SetPos(i % 120);
        bar->UpdateWindow();
        bar->DestroyWindow();
    });
    MeasureCycles("COrmProgressCtrl", stress::Run().cycles, [&](int i) {
        auto bar = std::make_unique<COrmProgressCtrl>();
        bar->Create(WS_CHILD | WS_VISIBLE, Where(i, 150 + i % 50, 14), &host, kCtrlId);
        bar->SetRange(0, 10 + i % 90);
        for (int p = 0; p < 100; p += 25) bar->SetPos(p);
        bar->UpdateWindow();
        bar->DestroyWindow();
    });
}

TEST_F(Cycles, EditBoxes)
{
    MeasureCycles("CEditCtrl", stress::Run().cycles, [&](int i) {
        auto edit = std::make_unique<CEditCtrl>();
        edit->ModifyInputStyle(i % 3 == 0 ? INPUTSTYLE_TEXT : i % 3 == 1 ? INPUTSTYLE_NUMBER : INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
        edit->SetColor(i & 1 ? RGB(10, 20, i % 255) : getdefaultColor(DEFCLR_EDITBK));
        edit->SetText(L"12.5", 8);
        edit->Create(WS_CHILD | WS_VISIBLE, Where(i, 80, 20), &host, kCtrlId);
        edit->SendMessage(WM_CHAR, L'7', 1);
        edit->UpdateWindow();
        // Half end as the user ends them (focus lost: notification, then the box goes),
        // half are destroyed by the host while open.
        if (i & 1) host.SetFocus();
        else edit->DestroyWindow();
    });
    MeasureCycles("CKeyEdit", stress::Run().cycles, [&](int i) {
        auto keys = std::make_unique<CKeyEdit>();
        keys->Create(WS_CHILD | WS_VISIBLE, Where(i, 120, 20), &host, kCtrlId);
        keys->SetHotKey(MAKELONG(MOD_CONTROL, 'A' + i % 26), static_cast<UINT>(i));
        keys->SetFocus();
        keys->SendMessage(WM_KEYDOWN, 'A' + i % 26, 1);
        keys->UpdateWindow();
        host.SetFocus();
        keys->DestroyWindow();
    });
}

TEST_F(Cycles, NumericEditorWithItsEditorDragAndSteps)
{
    MeasureCycles("CNumEdit", stress::Run().cycles, [&](int i) {
        auto edit = std::make_unique<CNumEdit>();
        const DWORD align = static_cast<DWORD>(i % 3);
        edit->Create(Where(i, 90 + i % 40, 18 + i % 10), &host, kCtrlId, WS_CHILD | WS_VISIBLE | align);
        edit->SetNumberMinMax(-500, 500 + i, 0);
        edit->SetDicimalNum(i % 4);
        edit->SetCurValue(static_cast<float>(i % 300) / 3.0f);
        edit->SetBkColor(RGB(i % 255, 40, 40));
        edit->UpdateWindow();
        CRect client, text, step;
        edit->GetClientRect(&client);
        edit->GetRects(&client, &text, &step);
        switch (i % 4) {
        case 0:  // in-place editor opened, then closed by a focus change
            edit->DisplayEditBox();
            host.SetFocus();
            break;
        case 1: {  // a short drag over the digits
            const CPoint p = text.CenterPoint();
            stress::Post(*edit, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(p.x, p.y - 8)),
                                 kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(p.x, p.y - 8))});
            stress::LoopGuard guard("CNumEdit drag cycle");
            edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(p.x, p.y));
            break;
        }
        case 2: {  // a step-button click
            const CPoint p(step.CenterPoint().x, step.top + 3);
            stress::Post(*edit, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(p.x, p.y))});
            stress::LoopGuard guard("CNumEdit step cycle");
            edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(p.x, p.y));
            break;
        }
        default:  // destroyed with its in-place editor still open
            edit->DisplayEditBox();
            break;
        }
        edit->DestroyWindow();
    });
}

TEST_F(Cycles, DividerStatics)
{
    MeasureCycles("CxSpltStatic/CySpltStatic", stress::Run().cycles, [&](int i) {
        const CRect r = Where(i, 100, 40);
        HWND a = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(), host,
                                   nullptr, nullptr, nullptr);
        HWND b = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(), host,
                                   nullptr, nullptr, nullptr);
        CxSpltStatic x;
        CySpltStatic y;
        x.SubclassWindow(a);
        y.SubclassWindow(b);
        x.UpdateWindow();
        y.UpdateWindow();
        ::SendMessageW(a, WM_ACTIVATE, WA_ACTIVE, 0);
        x.DestroyWindow();
        y.DestroyWindow();
    });
}

TEST_F(Cycles, SharedServices)
{
    MeasureCycles("tooltip", stress::Run().cycles, [&](int i) {
        BeginToolTip(i & 1 ? 0 : RGB(i % 255, 200, 200));
        const wchar_t* texts[] = {L"a", L"a longer tip", L"", L"0123456789"};
        tooltip_string(texts[(i + 4) % 4], CPoint(100 + i % 50, 100));
        tooltip_string(texts[(i + 1) % 4], CPoint(100, 120));
        EndToolTip();
    });
    kx::Canvas canvas(200, 100, RGB(0, 0, 0));
    MeasureCycles("drawing primitives", stress::Run().cycles, [&](int i) {
        CRect r(5, 5, 5 + i % 90, 5 + i % 60);
        DrawArrowInRect(canvas.dc(), r, static_cast<ENUMARROWFACE2>(i % 4), RGB(255, 0, 0));
        DrawSign(canvas.dc(), r, static_cast<ENUMSIGN>(i % 2), RGB(0, 255, 0));
        draw3Dborder(canvas.cdc(), r, RGB(100, 100, 100), i % 3 - 1);
        OnNcEdit(canvas.cdc(), r, KESTREL_DEFAULT_COLOR, RGB(1, 1, 1));
        MakeShortString(canvas.dc(), L"a text that is too long to fit", i % 80);
        DrawImg(canvas.dc(), static_cast<int>(reinterpret_cast<INT_PTR>(GetHBmp(10001))), nullptr, r);
        CMemDCHelper mem(canvas.dc(), r);
        if (CDC* dc = mem.GetDC()) dc->FillSolidRect(&r, RGB(9, 9, 9));
    });
}

// Every service torn down and started again, with controls made and painted in between.
TEST_F(Cycles, StartUpAndTearDown)
{
    auto exitAll = [] {
        ExitToolTip();
        ExitMenu();
        ExitResourcelib();
        ExitCommonFunc();
    };
    exitAll();
    MeasureCycles("start-up/tear-down", stress::Run().serviceCycles, [&](int i) {
        InitCommonFunc();
        InitResourcelib();
        InitMenu();
        InitToolTip();
        {
            CNumEdit edit;
            edit.Create(CRect(10, 10, 110, 30), &host, kCtrlId, WS_CHILD | WS_VISIBLE | ES_RIGHT);
            COrmProgressCtrl orm;
            orm.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 160, 54), &host, kCtrlId + 1);
            CCoolProgressCtrl cool;
            cool.Create(WS_CHILD | WS_VISIBLE, CRect(10, 60, 160, 80), &host, kCtrlId + 2);
            CStaticScrollBar bar;
            bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(200, 10, 217, 200), &host, kCtrlId + 3);
            CHeadWnd head;
            head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 90, 300, 110), &host, kCtrlId + 4);
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_TEXT;
            item.cxy = 60;
            item.pszText = const_cast<wchar_t*>(L"caption");
            head.InsertItem(0, &item);
            CNumStatic label;
            label.Create(L"1", WS_CHILD | WS_VISIBLE, CRect(10, 120, 90, 140), &host, kCtrlId + 5, INPUTSTYLE_NUMBER);
            CFreeMenu menu;
            menu.CreatePopupMenu();
            menu.AppendMenuW(MF_STRING, 1, L"item");
            stress::Post(host, {kx::Msg(WM_KEYDOWN, VK_ESCAPE)});
            {
                stress::LoopGuard guard("menu in start-up cycle");
                menu.TrackPopupMenu(TPM_LEFTALIGN, 60, 60, &host);
            }
            BeginToolTip(0);
            tooltip_string(i & 1 ? L"tip" : L"another tip", CPoint(50, 50));
            host.UpdateWindow();
            EndToolTip();
        }
        exitAll();
    });
    InitCommonFunc();
    InitResourcelib();
    InitMenu();
    InitToolTip();
}

TEST_F(Cycles, ScrollBarsAndHeaders)
{
    MeasureCycles("CStaticScrollBar", stress::Run().cycles, [&](int i) {
        auto bar = std::make_unique<CStaticScrollBar>();
        const bool vertical = i & 1;
        bar->Create(WS_CHILD | WS_VISIBLE | (vertical ? SBS_VERT : 0),
                    vertical ? Where(i, 17, 100 + i % 100) : Where(i, 100 + i % 100, 17), &host, kCtrlId);
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMax = 10 + i % 300;
        si.nPage = static_cast<UINT>(1 + i % 20);
        si.nPos = i % 50;
        bar->SetScrollInfo(&si, TRUE);
        bar->EnableScrollBar(i % 7 == 0 ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        bar->UpdateWindow();
        // A click on the far arrow: the arrow loop runs once.
        CRect box;
        bar->GetPartRect(SBPART_RTDNENDBOX, box);
        const CPoint p = box.CenterPoint();
        stress::Post(*bar, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(p.x, p.y))});
        {
            stress::LoopGuard guard("CStaticScrollBar cycle");
            bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(p.x, p.y));
        }
        bar->DestroyWindow();
    });
    MeasureCycles("CHeadWnd", stress::Run().cycles, [&](int i) {
        auto head = std::make_unique<CHeadWnd>();
        head->Create(WS_CHILD | WS_VISIBLE, Where(i, 300, 22), &host, kCtrlId);
        for (int k = 0; k < 1 + i % 6; ++k) {
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
            item.cxy = 30 + k * 7;
            item.fmt = k % 3;
            item.pszText = const_cast<wchar_t*>(L"a caption");
            head->InsertItem(k, &item);
        }
        head->SetAppendInfo(L"more");
        if (i % 3 == 0) head->SetBkBrush(GetHBmp(10001));
        head->SetBkColor(RGB(i % 255, 30, 30));
        head->UpdateWindow();
        // A divider drag of a few pixels.
        stress::Post(*head, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(36, 5)), kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(36, 5))});
        {
            stress::LoopGuard guard("CHeadWnd cycle");
            head->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(30, 5));
        }
        head->DestroyWindow();
    });
}

TEST_F(Cycles, MenusSplittersAndLabels)
{
    MeasureCycles("CFreeMenu", stress::Run().cycles, [&](int i) {
        CFreeMenu menu, sub;
        menu.CreatePopupMenu();
        sub.CreatePopupMenu();
        sub.AppendMenuW(MF_STRING, 20, L"inner");
        for (int k = 0; k < 1 + i % 8; ++k) menu.AppendMenuW(k == 2 ? MF_SEPARATOR : MF_STRING | (k & 1 ? MF_CHECKED : 0), 10 + k, L"item");
        menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"more");
        // Opened, walked into its submenu, and closed with Escape or a choice.
        stress::Post(host, {kx::Msg(WM_KEYDOWN, VK_UP), kx::Msg(WM_KEYDOWN, VK_RIGHT),
                            kx::Msg(WM_KEYDOWN, i & 1 ? VK_RETURN : VK_ESCAPE), kx::Msg(WM_KEYDOWN, VK_ESCAPE)});
        {
            stress::LoopGuard guard("CFreeMenu cycle");
            menu.TrackPopupMenu(TPM_LEFTALIGN, 50 + i % 100, 50, &host);
        }
        stress::DrainQueue();
    });
    MeasureCycles("CxSpltWnd/CySpltWnd", stress::Run().cycles, [&](int i) {
        auto child = [&](UINT id, int x, int y, int w, int h) {
            return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, x, y, w, h, host,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
        };
        HWND panes[] = {child(51, 10, 10, 100, 100), child(52, 116, 10, 100, 100), child(53, 230, 10, 100, 50),
                        child(54, 230, 64, 100, 50)};
        child(55, 110, 10, 6, 100);
        child(56, 230, 60, 100, 4);
        {
            CxSpltWnd x;
            CySpltWnd y;
            x.BindWithControl(&host, 55);
            x.AttachAsLeftPane(51);
            x.AttachAsRightPane(52);
            y.BindWithControl(&host, 56);
            y.AttachAsAbovePane(53);
            y.AttachAsBelowPane(54);
            x.SetBkColor(RGB(i % 255, 0, 0));
            x.MoveToBoarder(i & 1);
            y.MoveToBoarder(i & 2);
            x.RecalcLayout();
            host.UpdateWindow();
            x.DestroyWindow();
            y.DestroyWindow();
        }
        for (HWND p : panes) ::DestroyWindow(p);
    });
    MeasureCycles("CNumStatic", stress::Run().cycles, [&](int i) {
        auto label = std::make_unique<CNumStatic>();
        label->Create(L"5", WS_CHILD | WS_VISIBLE | SS_NOTIFY, Where(i, 80, 20), &host, kCtrlId,
                      i % 3 == 0 ? INPUTSTYLE_TEXT : INPUTSTYLE_NUMBER);
        label->SetNumberMinMax(-100, 100 + i, 0);
        label->SetDicimalNum(i % 4);
        label->SetText(static_cast<float>(i % 200) - 100.0f);
        label->UpdateWindow();
        if (i % 2 == 0) {
            // The in-place editor, opened by a double click on the text and closed by the focus.
            label->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, kx::PointParam(10, 10));
            host.SetFocus();
        } else {
            stress::Post(*label, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(10, 0)),
                                  kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(10, 0))});
            stress::LoopGuard guard("CNumStatic cycle");
            label->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(10, 10));
        }
        label->DestroyWindow();
    });
}

}  // namespace
