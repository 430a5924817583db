// A typed, non-owning list of layer records.
#include "arxcom/CArxComLayerDataList.h"

CArxComLayerDataList::CArxComLayerDataList(int blockSize)
    : blockSize_(blockSize > 0 ? blockSize : 10) {}

CArxComLayerDataList::~CArxComLayerDataList() = default;

void CArxComLayerDataList::AddTail(CArxComLayerData* record) {
    if (records_.size() == records_.capacity()) {
        records_.reserve(records_.size() + static_cast<std::size_t>(blockSize_));
    }
    records_.push_back(record);
}

void CArxComLayerDataList::RemoveAll() {
    records_.clear();
}

int CArxComLayerDataList::GetCount() const {
    return static_cast<int>(records_.size());
}

bool CArxComLayerDataList::IsEmpty() const {
    return records_.empty();
}

CArxComLayerData* CArxComLayerDataList::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return records_[static_cast<std::size_t>(index)];
}
