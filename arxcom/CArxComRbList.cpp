// An owning chain of host result buffers.
#include "arxcom/CArxComRbList.h"

resbuf* LastItem(resbuf* chain) {
    if (chain == nullptr) {
        return nullptr;
    }
    while (chain->rbnext != nullptr) {
        chain = chain->rbnext;
    }
    return chain;
}

CArxComRbList::CArxComRbList(resbuf* chain) : head_(chain), tail_(LastItem(chain)) {}

CArxComRbList::~CArxComRbList() {
    Clear();
}

void CArxComRbList::Append(resbuf* item) {
    if (item == nullptr) {
        return;
    }
    if (head_ == nullptr) {
        head_ = item;
    } else {
        tail_->rbnext = item;
    }
    // An item that brings followers along keeps them: the tail is the chain's true end.
    tail_ = LastItem(item);
}

void CArxComRbList::Clear() {
    if (head_ != nullptr) {
        acutRelRb(head_);
    }
    head_ = tail_ = nullptr;
}

void CArxComRbList::Assign(resbuf* chain) {
    if (chain == head_) {
        return;
    }
    Clear();
    head_ = chain;
    tail_ = LastItem(chain);
}
