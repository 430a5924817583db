// Enters the host's services in the system registry: the command stack under
// "ACAD_REGISTERED_COMMANDS", the dynamic linker under "DynamicLinker", and their classes in the
// class dictionary. Every session does it on creation; doing it again changes nothing.
#pragma once

namespace veld::ed {

class HostRegistry {
public:
    static void install();
};

} // namespace veld::ed
