// A typed list of layer records that refers to records without owning them; the caller keeps
// each record alive while it is listed and deletes it.
#pragma once
#include "arxcom/CArxComLayerData.h"

#include <vector>

class CArxComLayerDataList {
public:
    // The block size is the number of places the list grows by.
    explicit CArxComLayerDataList(int blockSize = 10);
    virtual ~CArxComLayerDataList();
    CArxComLayerDataList(const CArxComLayerDataList&) = delete;
    CArxComLayerDataList& operator=(const CArxComLayerDataList&) = delete;

    void AddTail(CArxComLayerData* record);
    void RemoveAll();
    int GetCount() const;
    bool IsEmpty() const;
    CArxComLayerData* GetAt(int index) const;
    int GetBlockSize() const { return blockSize_; }

private:
    int blockSize_;
    std::vector<CArxComLayerData*> records_;
};
