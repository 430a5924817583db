// How a property page shows the parameter slots: one table per page names the control that
// shows each slot and how the slot's text is exchanged with it. The settings' fill and take
// steps and the page's own control ids are read from that one table.
#pragma once
#include "settings/FoundationParameterSet.h"

#include <string_view>

enum class PageControl {
    Edit,  // the slot is the edit's text
    List,  // the slot is the text of the drop-down list's selected entry
    Check, // "1"/"0": the state of a check box, held by the page in an int
};

template <class Page> struct PageField {
    FoundationSlot slot;
    int controlId;
    PageControl control;
    int Page::*checkState = nullptr; // Check: the page's int that holds the box's state

    std::string_view key() const { return FoundationParameterSet::key(slot); }
};
