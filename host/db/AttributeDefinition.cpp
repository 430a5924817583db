// AcDbAttributeDefinition: the attribute template of a block.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText)

std::string AcDbAttributeDefinition::tag() const {
    return tag_;
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const char* tag) {
    if (tag == nullptr || *tag == '\0') {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    tag_ = tag;
    return Acad::eOk;
}

std::string AcDbAttributeDefinition::prompt() const {
    return prompt_;
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const char* prompt) {
    VELD_WRITE_OR_RETURN();
    prompt_ = prompt != nullptr ? prompt : "";
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isConstant() const {
    return constant_;
}
bool AcDbAttributeDefinition::isInvisible() const {
    return invisible_;
}
bool AcDbAttributeDefinition::isPreset() const {
    return preset_;
}
bool AcDbAttributeDefinition::isVerifiable() const {
    return verifiable_;
}

#define VELD_SET_FLAG(member, value)                                                               \
    VELD_WRITE_OR_RETURN();                                                                        \
    member = value;                                                                                \
    return Acad::eOk;

Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool on){
    VELD_SET_FLAG(constant_, on)} Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool on){
    VELD_SET_FLAG(invisible_, on)} Acad::ErrorStatus AcDbAttributeDefinition::setPreset(bool on){
    VELD_SET_FLAG(preset_, on)} Acad::ErrorStatus AcDbAttributeDefinition::setVerifiable(bool on){
    VELD_SET_FLAG(verifiable_, on)}

AcDbObject* AcDbAttributeDefinition::cloneState() const {
    auto* copy = new AcDbAttributeDefinition;
    copy->restoreState(*this);
    return copy;
}

void AcDbAttributeDefinition::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbAttributeDefinition&>(saved);
    copyTextState(from);
    tag_ = from.tag_;
    prompt_ = from.prompt_;
    constant_ = from.constant_;
    invisible_ = from.invisible_;
    preset_ = from.preset_;
    verifiable_ = from.verifiable_;
}
