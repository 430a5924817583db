// An owning chain of host result buffers: the list keeps the first and the last item so items
// can be appended in constant time, and releases the whole chain with acutRelRb.
#pragma once
#include "adsdef.h"

class CArxComRbList {
public:
    // Takes ownership of the chain (which may be null).
    explicit CArxComRbList(resbuf* chain = nullptr);
    virtual ~CArxComRbList();
    CArxComRbList(const CArxComRbList&) = delete;
    CArxComRbList& operator=(const CArxComRbList&) = delete;

    // Takes ownership of a single item and links it behind the last one.
    void Append(resbuf* item);
    // Releases the chain; the list is empty afterwards.
    void Clear();
    // Releases the chain and takes ownership of another one.
    void Assign(resbuf* chain);

    resbuf* Head() const { return head_; }
    resbuf* Tail() const { return tail_; }

private:
    resbuf* head_ = nullptr;
    resbuf* tail_ = nullptr;
};

// The last item of a chain, null for a null chain.
resbuf* LastItem(resbuf* chain);
