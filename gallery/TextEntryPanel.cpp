// Text entry: a small grid edited in place, a hot-key capture box and the striped progress bar.
#include "Panels.h"
#include <KestrelEdit.h>
#include <KestrelOrmProgress.h>

namespace {

constexpr UINT kEditorId = 7995;
constexpr UINT kHotKeyId = 202;
constexpr UINT kBarId = 203;
constexpr UINT_PTR kBarTimer = 2;
constexpr UINT kBarPeriodMs = 80;
constexpr int kBarStep = 1;
constexpr int kEditLimit = 32;

constexpr int kMargin = 12;
constexpr int kGridTop = 30;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 90;
constexpr int kValueWidth = 150;
constexpr int kHotKeyTop = 150;
constexpr int kBarTop = 225;
constexpr int kBarHeight = 18;

struct Cell {
    const wchar_t* label;
    DWORD inputStyle;
    CString text;
};

class TextEntryPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        m_cells[0] = {L"Name", INPUTSTYLE_TEXT, L"Kestrel"};
        m_cells[1] = {L"Ratio", INPUTSTYLE_NUMBER, L"0.750000"};
        m_cells[2] = {L"Count", INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"12"};
        m_status = L"Double-click a value to edit it; Enter, Tab or Escape commits.";

        const int right = area.Width() - kMargin;
        m_keyEdit.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(right - 160, kHotKeyTop, right, kHotKeyTop + 22), this,
                         kHotKeyId);
        m_keyEdit.SetHotKey(0x004B0006, 0);  // Ctrl+Shift+K
        m_captured = L"Ctrl+Shift+K";

        m_bar.Create(WS_VISIBLE, CRect(kMargin, kBarTop, right, kBarTop + kBarHeight), this, kBarId);
        m_bar.SetRange(0, 100);
        SetTimer(kBarTimer, kBarPeriodMs);
        return true;
    }

protected:
    CRect ValueRect(int row) const
    {
        int top = kGridTop + row * kRowHeight;
        return CRect(kMargin + kLabelWidth, top, kMargin + kLabelWidth + kValueWidth, top + kRowHeight);
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const COLORREF text = getdefaultColor(DEFCLR_TEXT);
        const COLORREF line = getdefaultColor(DEFCLR_BOXSHADOW);
        dc.SetTextColor(text);
        dc.TextOut(kMargin, 8, L"Filtered edit box (in-place grid)", 33);

        for (int row = 0; row < kRows; ++row) {
            CRect value = ValueRect(row);
            CRect label(kMargin, value.top, value.left, value.bottom);
            dc.FillSolidRect(&value, getdefaultColor(DEFCLR_EDITBK));
            dc.Draw3dRect(&label, line, line);
            dc.Draw3dRect(&value, line, line);
            dc.SetTextColor(text);
            CRect inner = label;
            inner.DeflateRect(6, 0);
            dc.DrawText(m_cells[row].label, -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            inner = value;
            inner.DeflateRect(6, 0);
            dc.SetTextColor(getdefaultColor(DEFCLR_EDITTEXT));
            dc.DrawText(m_cells[row].text, -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
        }
        dc.SetTextColor(text);
        CRect status(kMargin, kGridTop + kRows * kRowHeight + 6, 2000, kGridTop + kRows * kRowHeight + 26);
        dc.DrawText(m_status, -1, &status, DT_SINGLELINE | DT_LEFT);

        dc.TextOut(kMargin, kHotKeyTop + 3, L"Hot key (click, then press):", 28);
        CString captured = L"Captured: " + m_captured;
        dc.TextOut(kMargin, kHotKeyTop + 26, captured, captured.GetLength());
        dc.TextOut(kMargin, kBarTop - 20, L"Striped progress bar", 20);
        dc.SelectObject(oldFont);
    }

    void OnLButtonDblClk(UINT, CPoint point)
    {
        for (int row = 0; row < kRows; ++row) {
            CRect cell = ValueRect(row);
            if (!cell.PtInRect(point)) continue;
            if (m_editor.IsWindow()) SetFocus();  // commit the open edit first
            m_editingRow = row;
            m_editor.ModifyInputStyle(m_cells[row].inputStyle);
            m_editor.SetText(m_cells[row].text, kEditLimit);
            m_editor.EnableDblClk(row != 0);
            CRect rcEdit;
            CEditCtrl::GetBestEditRect(this, cell, rcEdit);
            m_editor.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rcEdit, this, kEditorId);
            m_editor.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
            return;
        }
    }

    void OnEditEnd(NMHDR* hdr, LRESULT*)
    {
        const auto* nm = reinterpret_cast<const NMEDITCTRL*>(hdr);
        if (m_editingRow < 0) return;
        Cell& cell = m_cells[m_editingRow];
        cell.text = nm->text;
        m_status.Format(L"%s committed \"%s\", value %g", cell.label, nm->text, static_cast<double>(nm->value));
        m_editingRow = -1;
        Invalidate();
    }

    void OnHotKeyEnd(NMHDR*, LRESULT*)
    {
        UINT user = 0;
        UINT hotKey = m_keyEdit.GetHotKey(user);
        CString shown;
        m_keyEdit.GetWindowText(shown);
        m_captured.Format(L"%s (0x%08X)", shown.GetString(), hotKey);
        m_keyEdit.ShowWindow(SW_SHOWNA);  // stays on the panel for the next capture
        Invalidate();
    }

    void OnTimer(UINT_PTR id)
    {
        if (id != kBarTimer) return;
        int pos = m_bar.GetPos() + kBarStep;
        m_bar.SetPos(pos > 100 ? 0 : pos);
    }

    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    static constexpr int kRows = 3;
    Cell m_cells[kRows];
    int m_editingRow = -1;
    CString m_status;
    CString m_captured;
    CEditCtrl m_editor;
    CKeyEdit m_keyEdit;
    COrmProgressCtrl m_bar;
};

BEGIN_MESSAGE_MAP(TextEntryPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, kEditorId, OnEditEnd)
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, kHotKeyId, OnHotKeyEnd)
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateTextEntryPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<TextEntryPanel>(parent, area);
}
