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
