// Settings of the executable's allocator, read by jemalloc at start when the build links it
// (elsewhere this is an unused variable).
extern "C" {
// Heap and allocator metadata in transparent huge pages: reading a drawing of a million objects
// then costs a few thousand page faults instead of a few hundred thousand.
extern const char* malloc_conf;
const char* malloc_conf = "thp:always,metadata_thp:auto";
}
