// Run-time classes of the SDK: every object can say which class it is and whether it is of a
// class or derived from it. Classes are registered by name in the class dictionary.
#pragma once

class AcRxClass;

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* cls) const;
    static AcRxObject* cast(const AcRxObject* p) { return const_cast<AcRxObject*>(p); }
};

class AcRxClass : public AcRxObject {
public:
    // Classes made here are also entered in the class dictionary under their name.
    AcRxClass(const char* name, AcRxClass* parent);
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    static AcRxClass* cast(const AcRxObject* p);

    const char* name() const { return name_; }
    AcRxClass* myParent() const { return parent_; }
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    const char* name_;
    AcRxClass* parent_;
};

inline bool AcRxObject::isKindOf(const AcRxClass* cls) const {
    return cls != nullptr && isA()->isDerivedFrom(cls);
}

#define ACRX_DECLARE_MEMBERS(CLASS)                                                                \
    static AcRxClass* desc();                                                                      \
    AcRxClass* isA() const override;                                                               \
    static CLASS* cast(const AcRxObject* p) {                                                      \
        return (p != nullptr && p->isKindOf(CLASS::desc()))                                        \
                   ? const_cast<CLASS*>(static_cast<const CLASS*>(p))                              \
                   : nullptr;                                                                      \
    }

#define ACRX_DEFINE_MEMBERS(CLASS, PARENT)                                                         \
    AcRxClass* CLASS::desc() {                                                                     \
        static AcRxClass cls(#CLASS, PARENT::desc());                                              \
        return &cls;                                                                               \
    }                                                                                              \
    AcRxClass* CLASS::isA() const {                                                                \
        return CLASS::desc();                                                                      \
    }

// A dictionary of named objects: the system registry and the class dictionary are two of them.
// It does not own what it holds.
class AcRxDictionary : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary)
    AcRxDictionary();
    ~AcRxDictionary() override;
    AcRxObject* at(const char* key) const;
    // Stores `object` under `key`; returns what was stored there before, or null.
    AcRxObject* atPut(const char* key, AcRxObject* object);
    AcRxObject* remove(const char* key);
    bool has(const char* key) const;

private:
    struct Entries;
    Entries* entries_;
};

AcRxDictionary* acrxSysRegistry();
#define acrxClassDictionary AcRxDictionary::cast(acrxSysRegistry()->at("ClassDictionary"))
#define ACRX_CLASS_DICTIONARY "ClassDictionary"
#define ACRX_DYNAMIC_LINKER "DynamicLinker"
#define ACRX_COMMAND_DOCK "ACAD_REGISTERED_COMMANDS"
