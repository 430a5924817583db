// Enters the host's services in the system registry: the command stack under
// "ACAD_REGISTERED_COMMANDS", the dynamic linker under "DynamicLinker", and their classes in the
// class dictionary. Done when the host library is loaded and again by every new session; doing
// it again changes nothing.
#pragma once

namespace veld::ed {

class HostRegistry {
public:
    static void install();
};

} // namespace veld::ed
