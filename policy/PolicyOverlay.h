#pragma once
#include "policy/PolicyLevel.h"

class PreferenceSet;

// How policies enter a preference set. A sheet's set is built as
//   defaults, BeforeFile(recommended), the file, AfterFile(policies)
// so that a mandatory value beats the file, the file beats a recommended
// value and a recommended value beats the default.
class PolicyOverlay {
public:
    // Recommended values take the place of the defaults.
    static void BeforeFile(const PolicyLevel& recommended, PreferenceSet& set);
    // The recommended header list when the file brought no header pair,
    // then every mandatory value and the mandatory header list.
    static void AfterFile(const Policies& policies, PreferenceSet& set);

    // Every mandatory value and header list into the set: a key it holds
    // keeps its place, a missing key is appended; the header pairs are
    // replaced by the list's.
    static void Impose(const PolicyLevel& mandatory, PreferenceSet& set);
    // True when the set already holds every mandatory value and header row.
    static bool Holds(const PolicyLevel& mandatory, const PreferenceSet& set);

private:
    static void SetValues(const PolicyLevel& level, PreferenceSet& set);
};
