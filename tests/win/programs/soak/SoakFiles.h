#pragma once
#include <optional>
#include <string>

// The two preferences files as the soak leaves them: where they are (from
// the environment, as the component finds them) and whether they hold what
// the last OK run stored.
class SoakFiles {
public:
    // Points LOCALAPPDATA and ALLUSERSPROFILE at fresh folders below the
    // given one; false when they cannot be made.
    static bool PlaceUnder(const std::wstring& folder);

    // What is wrong with the local copy after the given OK run, one line
    // each, or empty.
    static std::string CheckValues(int run);
    // What is wrong with the pair of files after the given last OK run:
    // either missing, not identical, not complete (reading and writing the
    // text again does not give the same bytes), or not holding its values.
    static std::string CheckBoth(int lastOkRun);

private:
    static std::optional<std::string> ReadBytes(const std::wstring& path);
};
