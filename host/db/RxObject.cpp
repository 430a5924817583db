// Run-time classes, the system registry and its class dictionary.
#include "rxobject.h"

#include <map>
#include <string>

struct AcRxDictionary::Entries {
    std::map<std::string, AcRxObject*> items;
};

AcRxClass* AcRxObject::desc() {
    static AcRxClass cls("AcRxObject", nullptr);
    return &cls;
}

AcRxClass* AcRxObject::isA() const {
    return AcRxObject::desc();
}

AcRxClass::AcRxClass(const char* name, AcRxClass* parent) : name_(name), parent_(parent) {
    // No cast here: the dictionary's own class may be the one being made.
    auto* classes = static_cast<AcRxDictionary*>(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY));
    if (classes != nullptr && name != nullptr) {
        classes->atPut(name, this);
    }
}

AcRxClass* AcRxClass::desc() {
    static AcRxClass cls("AcRxClass", AcRxObject::desc());
    return &cls;
}

AcRxClass* AcRxClass::isA() const {
    return AcRxClass::desc();
}

AcRxClass* AcRxClass::cast(const AcRxObject* p) {
    return (p != nullptr && p->isKindOf(AcRxClass::desc()))
               ? const_cast<AcRxClass*>(static_cast<const AcRxClass*>(p))
               : nullptr;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->parent_) {
        if (cls == other) {
            return true;
        }
    }
    return false;
}

ACRX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject)

AcRxDictionary::AcRxDictionary() : entries_(new Entries) {}

AcRxDictionary::~AcRxDictionary() {
    delete entries_;
}

AcRxObject* AcRxDictionary::at(const char* key) const {
    if (key == nullptr) {
        return nullptr;
    }
    auto found = entries_->items.find(key);
    return found != entries_->items.end() ? found->second : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const char* key, AcRxObject* object) {
    if (key == nullptr) {
        return nullptr;
    }
    AcRxObject*& slot = entries_->items[key];
    AcRxObject* previous = slot;
    slot = object;
    return previous;
}

AcRxObject* AcRxDictionary::remove(const char* key) {
    if (key == nullptr) {
        return nullptr;
    }
    auto found = entries_->items.find(key);
    if (found == entries_->items.end()) {
        return nullptr;
    }
    AcRxObject* previous = found->second;
    entries_->items.erase(found);
    return previous;
}

bool AcRxDictionary::has(const char* key) const {
    return at(key) != nullptr;
}

// The registry and the class dictionary live as long as the process, so classes may register
// from any static initialiser.
AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary* registry = [] {
        auto* reg = new AcRxDictionary;
        static AcRxDictionary classes;
        reg->atPut(ACRX_CLASS_DICTIONARY, &classes);
        return reg;
    }();
    return registry;
}
