// Time budgets for tests that time real work: looser under the sanitizers,
// which slow everything down.
#pragma once

namespace tavik::testing {

inline double Budget(double seconds) {
#ifdef __SANITIZE_ADDRESS__
    return 4 * seconds;
#else
    return seconds;
#endif
}

}  // namespace tavik::testing
