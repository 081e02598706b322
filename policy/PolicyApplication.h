#pragma once

class PolicySource;
class PrefsFile;

// Writes the mandatory policies into the current user's two copies of the
// preferences file without the sheet (rundll32 BrackwynVTL.dll,ApplyPolicy,
// from a logon script). Nothing is written when no mandatory policy is set
// or the local copy already holds every mandatory value; a local copy that
// exists but cannot be read is left alone.
class PolicyApplication {
public:
    // What the run ends with, as the process's exit code.
    enum Result {
        Applied = 0,       // written, or nothing to write
        Unreadable = 1,    // the local copy exists but could not be read
        NotWritten = 2,    // neither copy could be written
        CommonNotWritten = 3,  // the local copy was written, the common one not
    };

    static Result Run(const PolicySource& source, const PrefsFile& file);
};
