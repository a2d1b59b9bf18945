// Resource registry: bitmaps, pattern brushes and cursors made once from the library's own
// resources and looked up by id; and the numeric controls' cursor table.
#include "KestrelTheme.h"
#include "KestrelFramework.h"

namespace {

constexpr INT_PTR kRegistryBlockSize = 10;

// Load orders matter only for which entry wins on a duplicate id; there is none.
const WORD kBrushIds[] = {
    10000, 10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10011, 10012, 10013,
    10014, 10015, 10016, 10017, 10018, 10019, 10020, 10032, 10031, 10059, 10060, 10061,
};

const WORD kBitmapIds[] = {
    10001, 10002, 10021, 10022, 10023, 10024, 10033,
    10034, 10035, 10036, 10037, 10038, 10039, 10040, 10041, 10042,
    10043, 10044, 10045, 10046, 10047, 10048, 10049, 10050, 10051,
    10052, 10053, 10054, 10055, 10056, 10057, 10058, 10062, 10063,
    10064, 10065, 10066, 10067, 10068, 10069,
    10070, 10071, 10075, 10074, 10072, 10073,
    10076, 10077, 10078, 10079, 10080, 10081, 10082,
};

constexpr WORD kMoveCursorId = 10025;

const WORD kNumCursorIds[NUMCURSOR_COUNT] = {1014, 1015, 1016, 1017, 1018, 1019};

CMapWordToPtr g_brushes(kRegistryBlockSize);
CMapWordToPtr g_bitmaps(kRegistryBlockSize);
CMapWordToPtr g_cursors(kRegistryBlockSize);

// Lives until the library unloads; the cursors it loaded go with it.
struct NumCursorTable {
    HCURSOR slots[NUMCURSOR_COUNT] = {};
    ~NumCursorTable()
    {
        for (HCURSOR& c : slots) {
            if (c) ::DestroyCursor(c);
            c = nullptr;
        }
    }
};
NumCursorTable g_numCursors;

HBITMAP LoadRegistryBitmap(WORD id)
{
    return ::LoadBitmapW(getHResource(), MAKEINTRESOURCEW(id));
}

void* Find(const CMapWordToPtr& map, unsigned int id)
{
    void* value = nullptr;
    if (!map.Lookup(static_cast<WORD>(id & 0xFFFF), value)) return nullptr;
    return value;
}

template <class Free>
void Empty(CMapWordToPtr& map, Free freeValue)
{
    POSITION pos = map.GetStartPosition();
    while (pos) {
        WORD key = 0;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        if (value) freeValue(value);
    }
    map.RemoveAll();
}

}  // namespace

int InitResourcelib(void)
{
    for (WORD id : kBrushIds) {
        HBITMAP bmp = LoadRegistryBitmap(id);
        HBRUSH brush = bmp ? ::CreatePatternBrush(bmp) : nullptr;
        g_brushes.SetAt(id, brush);
        if (bmp) ::DeleteObject(bmp);
    }
    for (WORD id : kBitmapIds) g_bitmaps.SetAt(id, LoadRegistryBitmap(id));
    g_cursors.SetAt(kMoveCursorId, ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(kMoveCursorId)));
    return 1;
}

int ExitResourcelib(void)
{
    Empty(g_brushes, [](void* v) { ::DeleteObject(static_cast<HGDIOBJ>(v)); });
    Empty(g_bitmaps, [](void* v) { ::DeleteObject(static_cast<HGDIOBJ>(v)); });
    Empty(g_cursors, [](void* v) { ::DestroyCursor(static_cast<HCURSOR>(v)); });
    return 1;
}

HBITMAP GetHBmp(unsigned int id)
{
    return static_cast<HBITMAP>(Find(g_bitmaps, id));
}

HBRUSH GetHBrush(unsigned int id)
{
    return static_cast<HBRUSH>(Find(g_brushes, id));
}

HCURSOR GetHCursor(unsigned int id)
{
    return static_cast<HCURSOR>(Find(g_cursors, id));
}

HCURSOR LoadCursorW(NUMCURSOR n)
{
    HCURSOR* slots = g_numCursors.slots;
    // Slot 0 doubles as the loaded flag: a failed first load is retried on the next call.
    if (slots[0] == nullptr) {
        for (int i = 0; i < NUMCURSOR_COUNT; ++i)
            slots[i] = ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(kNumCursorIds[i]));
    }
    if (static_cast<unsigned>(n) >= NUMCURSOR_COUNT) return nullptr;
    return slots[n];
}
