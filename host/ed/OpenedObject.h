// One open database object held for a scope: closed when the scope ends or another object is
// opened into the same holder.
#pragma once
#include "dbmain.h"

namespace veld::ed {

template <class T> class Opened {
public:
    Opened() = default;
    ~Opened() { close(); }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    T*& slot() {
        close();
        return object_;
    }
    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode) {
        return acdbOpenObject(slot(), id, mode);
    }
    void close() {
        if (object_ != nullptr) {
            object_->close();
            object_ = nullptr;
        }
    }
    T* operator->() const { return object_; }
    T* get() const { return object_; }

private:
    T* object_ = nullptr;
};

} // namespace veld::ed
