// UNDER_ADDRESS_SANITIZER is 1 in a build with the address sanitizer, from
// GCC (which says so with __SANITIZE_ADDRESS__) or clang (__has_feature).
// Memory readings mean little there: it holds freed memory back.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif
