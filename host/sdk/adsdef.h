// Result buffers, result codes and value types of the command-line interface, with the numbers
// the original SDK uses. Result buffers are C-style chains owned by whoever allocated them.
#pragma once
#include <cstdint>

#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027

#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#define RTINPUTTRUNCATED (-5008)

using ads_real = double;
using ads_point = ads_real[3];
using ads_name = std::int64_t[2];
using ads_pointp = ads_real*;
using ads_namep = std::int64_t*;

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    char* rstring;
    std::int64_t rlname[2];
    std::int32_t rlong;
    std::int64_t mnInt64;
    ads_binary rbinary;
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// A new zeroed buffer of the given type; strings and binaries start as null pointers.
resbuf* acutNewRb(int type);
// Releases a whole chain, strings and binary chunks included. Null is allowed.
int acutRelRb(resbuf* rb);
// A copy of the text allocated the way acutRelRb frees it; `*dest` receives it.
int acutNewString(const char* source, char*& dest);
// Frees a text made by acutNewString.
int acutDelString(char*& text);
// A chain built from (type, value) pairs closed by 0, as acedCommand takes them.
resbuf* acutBuildList(int rtype, ...);

inline void ads_name_set(const ads_name from, ads_name to) {
    to[0] = from[0];
    to[1] = from[1];
}
inline void ads_name_clear(ads_name name) {
    name[0] = name[1] = 0;
}
inline bool ads_name_nil(const ads_name name) {
    return name[0] == 0 && name[1] == 0;
}
inline bool ads_name_equal(const ads_name a, const ads_name b) {
    return a[0] == b[0] && a[1] == b[1];
}
