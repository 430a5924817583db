// The extended data of one registered application, kept as numbered entries: after the 1001
// application-name item, each entry is a 1070 item holding its index followed by exactly one
// value item (1000 text, 1010 point, 1070 integer, or a "{" ... "}" run of 1002-bracketed items).
// Entries stay in the order they were first set. Every record the module stores uses this form.
#pragma once
#include "arxcom/CArxComRbList.h"
#include "dbmain.h"

#include <string>

class CArxComAppXdata {
public:
    // Registers the application in the database (the working one when none is given) unless it
    // is there already; readers register too.
    explicit CArxComAppXdata(const char* appName, AcDbDatabase* database = nullptr);
    virtual ~CArxComAppXdata();
    CArxComAppXdata(const CArxComAppXdata&) = delete;
    CArxComAppXdata& operator=(const CArxComAppXdata&) = delete;

    std::string GetAppName() const;

    // The index item of the entry, or null. Index items inside brackets never match.
    resbuf* FindEntry(int index) const;

    // A new index appends an entry; an existing one has its value replaced in place, unless the
    // value there is of another type, which leaves it unchanged. Integers keep their low 16 bits
    // (as do indices).
    void SetIntEntry(int index, int value);
    void SetStringEntry(int index, const char* text, int restype = 1000);
    void SetPointEntry(int index, const ads_point point, int restype = 1010);
    void SetPointEntry(int index, const AcGePoint3d& point, int restype = 1010);

    // False (and the out value untouched) when the index is absent or holds another type.
    bool GetStringEntry(int index, std::string& text, int restype = 1000) const;
    bool GetPointEntry(int index, ads_point point, int restype = 1010) const;
    bool GetPointEntry(int index, AcGePoint3d& point, int restype = 1010) const;

    // Replaces this application's data on the object (open for write) with the entries.
    Acad::ErrorStatus WriteTo(AcDbObject* object) const;
    // Replaces the entries with the object's data of this application; 21 (eIllegalEntityType)
    // and no entries when it has none.
    Acad::ErrorStatus ReadFrom(const AcDbObject* object);

    // The entries as a chain (the application-name item not included), for inspection.
    const resbuf* Entries() const { return entries_.Head(); }

private:
    resbuf* ValueOf(int index, int restype) const;
    void AppendEntry(int index, resbuf* value);

    CArxComRbList entries_;
    resbuf* appNameItem_ = nullptr;
};
