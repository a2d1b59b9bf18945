// Helpers of the header bar tests: items by caption, and the row as the user sees it.
#pragma once
#include "Harness.h"
#include <KestrelHeader.h>
#include <string>

namespace headtest {

inline int Add(CHeadWnd& head, const wchar_t* text, int width, int format = HDF_LEFT, int nPos = -1)
{
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<LPWSTR>(text);
    item.cchTextMax = 32;
    item.cxy = width;
    item.fmt = format;
    return head.InsertItem(nPos, &item);
}

// Captions in display order, each ended by '|': "A|B|C|".
inline std::wstring Row(CHeadWnd& head)
{
    std::wstring row;
    for (int p = 0; p < head.GetItemCount(); ++p) {
        wchar_t text[32] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        head.GetItem(p, &item);
        row += std::wstring(text) + L"|";
    }
    return row;
}

}  // namespace headtest
