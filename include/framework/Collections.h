// Containers: CArray (template), CDWordArray, CMapWordToPtr.
#pragma once
#include "../KestrelDefs.h"
#include "Exceptions.h"
#include <new>
#include <cstring>
#include <utility>

#ifndef __AFX_POSITION_DEFINED
#define __AFX_POSITION_DEFINED
struct __POSITION {};
typedef __POSITION* POSITION;
#endif

#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION ((POSITION)-1L)
#endif

// A growable array. Growth: with a grow-by of 0 (the default) the array grows by an
// eighth of its size, at least 4 and at most 1024 elements at a time; a bad index throws
// the invalid-argument exception.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const noexcept { return m_nSize; }
    INT_PTR GetCount() const noexcept { return m_nSize; }
    BOOL IsEmpty() const noexcept { return m_nSize == 0; }
    INT_PTR GetUpperBound() const noexcept { return m_nSize - 1; }
    INT_PTR GetAllocatedSize() const noexcept { return m_nMaxSize; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR i) const { Check(i); return m_pData[i]; }
    TYPE& GetAt(INT_PTR i) { Check(i); return m_pData[i]; }
    void SetAt(INT_PTR i, ARG_TYPE e) { Check(i); m_pData[i] = e; }
    TYPE& ElementAt(INT_PTR i) { Check(i); return m_pData[i]; }
    const TYPE& ElementAt(INT_PTR i) const { Check(i); return m_pData[i]; }
    const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return ElementAt(i); }
    const TYPE* GetData() const noexcept { return m_pData; }
    TYPE* GetData() noexcept { return m_pData; }

    void SetAtGrow(INT_PTR i, ARG_TYPE e);
    INT_PTR Add(ARG_TYPE e) { INT_PTR i = m_nSize; SetAtGrow(i, e); return i; }
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR i, ARG_TYPE e, INT_PTR count = 1);
    void RemoveAt(INT_PTR i, INT_PTR count = 1);

private:
    void Check(INT_PTR i) const { if (i < 0 || i >= m_nSize) AfxThrowInvalidArgException(); }
    static TYPE* Allocate(INT_PTR n) { return static_cast<TYPE*>(::operator new(sizeof(TYPE) * static_cast<size_t>(n))); }
    static void Construct(TYPE* p, INT_PTR n) { for (INT_PTR i = 0; i < n; ++i) ::new (static_cast<void*>(p + i)) TYPE(); }
    static void Destroy(TYPE* p, INT_PTR n) { for (INT_PTR i = 0; i < n; ++i) p[i].~TYPE(); }

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0) AfxThrowInvalidArgException();
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        if (m_pData) {
            Destroy(m_pData, m_nSize);
            ::operator delete(m_pData);
            m_pData = nullptr;
        }
        m_nSize = m_nMaxSize = 0;
    } else if (m_pData == nullptr) {
        INT_PTR nAlloc = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
        m_pData = Allocate(nAlloc);
        Construct(m_pData, nNewSize);
        m_nSize = nNewSize;
        m_nMaxSize = nAlloc;
    } else if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize) Construct(m_pData + m_nSize, nNewSize - m_nSize);
        else if (m_nSize > nNewSize) Destroy(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
    } else {
        INT_PTR grow = m_nGrowBy;
        if (grow == 0) {
            grow = m_nSize / 8;
            grow = grow < 4 ? 4 : (grow > 1024 ? 1024 : grow);
        }
        INT_PTR nNewMax = m_nMaxSize + grow;
        if (nNewMax < nNewSize) nNewMax = nNewSize;
        TYPE* pNew = Allocate(nNewMax);
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new (static_cast<void*>(pNew + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        Construct(pNew + m_nSize, nNewSize - m_nSize);
        ::operator delete(m_pData);
        m_pData = pNew;
        m_nSize = nNewSize;
        m_nMaxSize = nNewMax;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize) return;
    TYPE* pNew = nullptr;
    if (m_nSize != 0) {
        pNew = Allocate(m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new (static_cast<void*>(pNew + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR i, ARG_TYPE e)
{
    if (i < 0) AfxThrowInvalidArgException();
    if (i >= m_nSize) {
        TYPE copy(e);  // e may refer into our own storage
        SetSize(i + 1, -1);
        m_pData[i] = std::move(copy);
    } else {
        m_pData[i] = e;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src) AfxThrowInvalidArgException();
    INT_PTR old = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[old + i] = src.m_pData[i];
    return old;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src) return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR i, ARG_TYPE e, INT_PTR count)
{
    if (i < 0 || count <= 0) AfxThrowInvalidArgException();
    TYPE copy(e);
    if (i >= m_nSize) {
        SetSize(i + count, -1);
    } else {
        INT_PTR old = m_nSize;
        SetSize(m_nSize + count, -1);
        for (INT_PTR k = old - 1; k >= i; --k) m_pData[k + count] = std::move(m_pData[k]);
    }
    for (INT_PTR k = 0; k < count; ++k) m_pData[i + k] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR i, INT_PTR count)
{
    if (i < 0 || count < 0 || i + count > m_nSize) AfxThrowInvalidArgException();
    for (INT_PTR k = i; k + count < m_nSize; ++k) m_pData[k] = std::move(m_pData[k + count]);
    Destroy(m_pData + m_nSize - count, count);
    m_nSize -= count;
}

class CDWordArray : public CArray<DWORD, DWORD> {};

// A hash map from 16-bit keys to pointers. Nodes come from blocks of nBlockSize.
class KESTREL_API CMapWordToPtr {
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10);
    ~CMapWordToPtr();
    CMapWordToPtr(const CMapWordToPtr&) = delete;
    CMapWordToPtr& operator=(const CMapWordToPtr&) = delete;

    INT_PTR GetCount() const noexcept { return m_nCount; }
    INT_PTR GetSize() const noexcept { return m_nCount; }
    BOOL IsEmpty() const noexcept { return m_nCount == 0; }

    BOOL Lookup(WORD key, void*& value) const;
    void*& operator[](WORD key);
    void SetAt(WORD key, void* value) { (*this)[key] = value; }
    BOOL RemoveKey(WORD key);
    void RemoveAll();

    POSITION GetStartPosition() const noexcept { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& pos, WORD& key, void*& value) const;

    UINT GetHashTableSize() const noexcept { return m_nHashTableSize; }
    void InitHashTable(UINT hashSize);

private:
    struct CAssoc {
        CAssoc* pNext;
        WORD key;
        void* value;
    };
    struct CBlock {
        CBlock* pNext;
    };
    CAssoc* NewAssoc(WORD key);
    void FreeAssoc(CAssoc* a);
    CAssoc* Find(WORD key, UINT& bucket) const;
    UINT Hash(WORD key) const noexcept { return static_cast<UINT>(key) % m_nHashTableSize; }

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};
