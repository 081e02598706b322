#include "policy/PolicyApplication.h"

#include "policy/PolicyOverlay.h"
#include "policy/PolicyReader.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"

PolicyApplication::Result PolicyApplication::Run(const PolicySource& source, const PrefsFile& file) {
    const Policies policies = PolicyReader::Read(source);
    if (policies.Mandatory.IsEmpty()) return Applied;

    // An existing file keeps all its pairs in their order, only the
    // mandatory values change; without one, the file is what a sheet
    // opened and closed with OK would write.
    PreferenceSet set;
    switch (file.Load(set)) {
        case PrefsFile::LoadResult::Unreadable:
            return Unreadable;
        case PrefsFile::LoadResult::Read:
            if (PolicyOverlay::Holds(policies.Mandatory, set)) return Applied;
            PolicyOverlay::Impose(policies.Mandatory, set);
            break;
        case PrefsFile::LoadResult::NoLocalCopy:
            AddDefaultPreferences(set);
            PolicyOverlay::BeforeFile(policies.Recommended, set);
            PolicyOverlay::AfterFile(policies, set);
            break;
    }
    switch (file.Write(set)) {
        case PrefsFile::WriteResult::Both:
            return Applied;
        case PrefsFile::WriteResult::LocalOnly:
            return CommonNotWritten;
        case PrefsFile::WriteResult::Neither:
            break;
    }
    return NotWritten;
}
