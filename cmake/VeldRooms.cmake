# Every room's sources are picked up by globbing, so adding a file to a room needs no edit here.
function(veld_add_room_sources target dir)
    file(GLOB room_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*/*.cpp)
    list(FILTER room_sources EXCLUDE REGEX ".*/module_stub\\.cpp$")
    if(room_sources)
        target_sources(${target} PRIVATE ${room_sources})
    endif()
endfunction()

# Gives `target` an include root in the build tree that links to the named rooms only, so that
# "room/File.h" resolves for those rooms and nothing else of the source tree is reachable.
function(veld_module_include_root target)
    set(root ${CMAKE_BINARY_DIR}/module-include)
    file(MAKE_DIRECTORY ${root})
    foreach(room ${ARGN})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${room} ${root}/${room} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
