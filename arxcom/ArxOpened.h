// Holds one open database object and closes it when the scope ends, so every path out of a
// toolkit operation closes what that operation opened. A new object not yet in a database is
// deleted by its close, so the same holder also serves entities the operation has just created.
#pragma once
#include "dbmain.h"

template <class T> class ArxOpened {
public:
    ArxOpened() = default;
    explicit ArxOpened(T* object) : object_(object) {}
    ~ArxOpened() { close(); }
    ArxOpened(const ArxOpened&) = delete;
    ArxOpened& operator=(const ArxOpened&) = delete;

    // Opens the object with that id (checking its class); whatever was held is closed first.
    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
        close();
        return acdbOpenObject(object_, id, mode, openErased);
    }
    // The pointer slot for the host calls that open through an out parameter
    // (getBlockTable, getAt, getGroupDictionary ...); whatever was held is closed first.
    T*& receive() {
        close();
        return object_;
    }

    Acad::ErrorStatus close() {
        if (object_ == nullptr) {
            return Acad::eOk;
        }
        T* object = object_;
        object_ = nullptr;
        return object->close();
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};
