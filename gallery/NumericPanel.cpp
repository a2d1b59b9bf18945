// Numeric editors in each alignment, with decimals, read-only and disabled; a line with their
// values and the last change kinds; a button that exchanges values the way a dialog does.
#include "Panels.h"
#include <KestrelNumeric.h>
#include <string>

namespace {

constexpr int kEditorCount = 6;
constexpr int kEditorsPerRow = 2;  // fits a gallery column
constexpr UINT kFirstEditorId = 201;
constexpr UINT kExchangeButtonId = 250;
constexpr int kEditorWidth = 110;
constexpr int kEditorHeight = 22;
constexpr int kMargin = 12;
constexpr int kRowGap = 8;
constexpr size_t kKindsKept = 8;

struct EditorSetup {
    const wchar_t* caption;
    DWORD style;
    double first, second, defValue;
    int decimals;
    float value;
    float gap;
};

const EditorSetup kEditors[kEditorCount] = {
    {L"left", ES_LEFT, 0, 999, 10, 0, 12.0f, 1.0f},
    {L"centre", ES_CENTER, -500, 500, 0, 0, -42.0f, 1.0f},
    {L"right", ES_RIGHT, 0, 100, 50, 0, 75.0f, 1.0f},
    {L"2 decimals", ES_RIGHT, -10, 10, 0, 2, 3.14f, 0.05f},
    {L"read-only", ES_RIGHT | ES_READONLY, 0, 100, 0, 1, 66.6f, 0.5f},
    {L"disabled", ES_RIGHT, 0, 100, 0, 0, 33.0f, 1.0f},
};

class NumericPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        for (int i = 0; i < kEditorCount; ++i) {
            const EditorSetup& setup = kEditors[i];
            CRect r = EditorRect(i);
            m_editors[i].Create(r, this, kFirstEditorId + i, WS_VISIBLE | setup.style);
            m_editors[i].SetNumberMinMax(setup.first, setup.second, setup.defValue);
            m_editors[i].SetDicimalNum(setup.decimals);
            m_editors[i].SetNumberGap(setup.gap);
            m_editors[i].SetCurValue(setup.value);
        }
        m_editors[kEditorCount - 1].EnableWindow(FALSE);
        m_exchange.Create(L"BUTTON", L"Exchange (save, then load +1)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                          CRect(kMargin, StatusTop() + 40, kMargin + 230, StatusTop() + 64), this, kExchangeButtonId);
        m_exchange.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), FALSE);
        return true;
    }

protected:
    static CRect EditorRect(int i)
    {
        const int column = i % kEditorsPerRow, row = i / kEditorsPerRow;
        const int left = kMargin + column * (kEditorWidth + 70) + 70;
        const int top = kMargin + row * (kEditorHeight + kRowGap);
        return CRect(left, top, left + kEditorWidth, top + kEditorHeight);
    }
    static int StatusTop()
    {
        return kMargin + (kEditorCount / kEditorsPerRow) * (kEditorHeight + kRowGap) + 4;
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        for (int i = 0; i < kEditorCount; ++i) {
            CRect r = EditorRect(i);
            dc.TextOut(r.left - 66, r.top + 4, kEditors[i].caption, static_cast<int>(wcslen(kEditors[i].caption)));
        }
        std::wstring values = L"Values:";
        for (auto& editor : m_editors) {
            wchar_t number[32];
            AfxFormatW(number, 32, L" %.2f", static_cast<double>(editor.GetCurValue()));
            values += number;
        }
        dc.TextOut(kMargin, StatusTop(), values.c_str(), static_cast<int>(values.size()));
        std::wstring kinds = L"Last kinds: " + m_kinds;
        dc.TextOut(kMargin, StatusTop() + 18, kinds.c_str(), static_cast<int>(kinds.size()));
        dc.SelectObject(oldFont);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (id >= kFirstEditorId && id < kFirstEditorId + kEditorCount) {
            // Keep the last few kinds, newest last, tagged with the editor.
            wchar_t entry[16];
            AfxFormatW(entry, 16, L"%u:%u ", id - kFirstEditorId, HIWORD(wParam));
            m_kinds += entry;
            while (m_kinds.size() > kKindsKept * 5) m_kinds.erase(0, m_kinds.find(L' ') + 1);
            RedrawStatus();
            return TRUE;
        }
        if (id == kExchangeButtonId) {
            ExchangeBothWays();
            return TRUE;
        }
        return CWnd::OnCommand(wParam, lParam);
    }

    // Reads every editor into variables as a dialog's save would, changes them, writes them back.
    void ExchangeBothWays()
    {
        float values[kEditorCount] = {};
        int whole = 0;
        CDataExchange save(this, TRUE);
        for (int i = 0; i < kEditorCount - 1; ++i) DDX_NumEdit(&save, static_cast<int>(kFirstEditorId + i), values[i]);
        DDX_NumEdit(&save, static_cast<int>(kFirstEditorId + kEditorCount - 1), whole);
        CDataExchange load(this, FALSE);
        for (int i = 0; i < kEditorCount - 1; ++i) {
            values[i] += 1.0f;
            DDX_NumEdit(&load, static_cast<int>(kFirstEditorId + i), values[i]);
        }
        whole += 1;
        DDX_NumEdit(&load, static_cast<int>(kFirstEditorId + kEditorCount - 1), whole);
        RedrawStatus();
    }

    void RedrawStatus()
    {
        CRect client;
        GetClientRect(&client);
        CRect status(0, StatusTop(), client.right, StatusTop() + 36);
        InvalidateRect(&status, TRUE);
    }

    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CNumEdit m_editors[kEditorCount];
    CWnd m_exchange;
    std::wstring m_kinds;
};

BEGIN_MESSAGE_MAP(NumericPanel, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateNumericPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<NumericPanel>(parent, area);
}
