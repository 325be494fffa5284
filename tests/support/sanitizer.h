// Whether the test runs under AddressSanitizer, whose shadow memory makes
// limits of address space and figures of resident memory meaningless.
#pragma once

namespace tavik::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace tavik::testing
