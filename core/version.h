// The program's version, given by the build (the project version in CMake)
// to the code and to the window program's version resource alike.
#pragma once

#ifndef KV_VERSION_MAJOR
#error "KV_VERSION_MAJOR, KV_VERSION_MINOR and KV_VERSION_PATCH come from the build"
#endif

#define KV_VERSION_STRINGIFY2(x) #x
#define KV_VERSION_STRINGIFY(x) KV_VERSION_STRINGIFY2(x)
#define KV_VERSION_TEXT                                                                      \
    KV_VERSION_STRINGIFY(KV_VERSION_MAJOR) "." KV_VERSION_STRINGIFY(KV_VERSION_MINOR) "." \
        KV_VERSION_STRINGIFY(KV_VERSION_PATCH)
