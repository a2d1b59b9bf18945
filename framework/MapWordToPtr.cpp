#include "framework/Collections.h"
#include <new>

CMapWordToPtr::CMapWordToPtr(INT_PTR nBlockSize)
    : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

CMapWordToPtr::~CMapWordToPtr()
{
    RemoveAll();
}

void CMapWordToPtr::InitHashTable(UINT hashSize)
{
    // Only before the first insertion; a live table keeps its size.
    if (m_nCount != 0 || hashSize == 0) return;
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nHashTableSize = hashSize;
}

CMapWordToPtr::CAssoc* CMapWordToPtr::Find(WORD key, UINT& bucket) const
{
    bucket = Hash(key);
    if (m_pHashTable == nullptr) return nullptr;
    for (CAssoc* a = m_pHashTable[bucket]; a; a = a->pNext)
        if (a->key == key) return a;
    return nullptr;
}

BOOL CMapWordToPtr::Lookup(WORD key, void*& value) const
{
    UINT bucket;
    CAssoc* a = Find(key, bucket);
    if (a == nullptr) return FALSE;
    value = a->value;
    return TRUE;
}

CMapWordToPtr::CAssoc* CMapWordToPtr::NewAssoc(WORD key)
{
    if (m_pFreeList == nullptr) {
        // One allocation per block: a header followed by m_nBlockSize nodes.
        size_t bytes = sizeof(CBlock) + sizeof(CAssoc) * static_cast<size_t>(m_nBlockSize);
        auto* block = static_cast<CBlock*>(::operator new(bytes));
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        auto* nodes = reinterpret_cast<CAssoc*>(block + 1);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            nodes[i].pNext = m_pFreeList;
            m_pFreeList = &nodes[i];
        }
    }
    CAssoc* a = m_pFreeList;
    m_pFreeList = a->pNext;
    a->pNext = nullptr;
    a->key = key;
    a->value = nullptr;
    ++m_nCount;
    return a;
}

void CMapWordToPtr::FreeAssoc(CAssoc* a)
{
    a->pNext = m_pFreeList;
    m_pFreeList = a;
    if (--m_nCount == 0) RemoveAll();
}

void*& CMapWordToPtr::operator[](WORD key)
{
    UINT bucket;
    CAssoc* a = Find(key, bucket);
    if (a) return a->value;
    if (m_pHashTable == nullptr) {
        m_pHashTable = new CAssoc*[m_nHashTableSize];
        for (UINT i = 0; i < m_nHashTableSize; ++i) m_pHashTable[i] = nullptr;
    }
    a = NewAssoc(key);
    a->pNext = m_pHashTable[bucket];
    m_pHashTable[bucket] = a;
    return a->value;
}

BOOL CMapWordToPtr::RemoveKey(WORD key)
{
    if (m_pHashTable == nullptr) return FALSE;
    CAssoc** link = &m_pHashTable[Hash(key)];
    for (CAssoc* a = *link; a; link = &a->pNext, a = a->pNext) {
        if (a->key == key) {
            *link = a->pNext;
            FreeAssoc(a);
            return TRUE;
        }
    }
    return FALSE;
}

void CMapWordToPtr::RemoveAll()
{
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
}

void CMapWordToPtr::GetNextAssoc(POSITION& pos, WORD& key, void*& value) const
{
    if (pos == nullptr || m_pHashTable == nullptr) {
        pos = nullptr;
        return;
    }
    CAssoc* a = reinterpret_cast<CAssoc*>(pos);
    if (pos == BEFORE_START_POSITION) {
        a = nullptr;
        for (UINT b = 0; b < m_nHashTableSize && a == nullptr; ++b) a = m_pHashTable[b];
        if (a == nullptr) {
            pos = nullptr;
            return;
        }
    }
    CAssoc* next = a->pNext;
    for (UINT b = Hash(a->key) + 1; next == nullptr && b < m_nHashTableSize; ++b) next = m_pHashTable[b];
    pos = reinterpret_cast<POSITION>(next);
    key = a->key;
    value = a->value;
}
