#include "prefs/DefaultPreferences.h"

#include "prefs/PreferenceSet.h"

void AddDefaultPreferences(PreferenceSet& set) {
    struct Default {
        const wchar_t* key;
        const wchar_t* value;
    };
    static const Default defaults[] = {
        {L"viewertype", L"builtin"},
        {L"viewerendpoint", DefaultViewerEndpoint},
        {L"openingbehavior", L"new"},
        {L"openingmode", L"win"},
        {L"sparqltype", L"corvessa"},
        {L"sparqlhost", DefaultServiceHost},
        {L"sparqlport", L""},
        {L"sparqlgenendpoint", DefaultSparqlEndpoint},
        {L"sparqlcustendpoint", DefaultSparqlEndpoint},
        {L"proxyservice", L"corvessa"},
        {L"proxyhost", DefaultServiceHost},
        {L"proxyport", L""},
        {L"proxygenendpoint", DefaultProxyEndpoint},
        {L"proxycustendpoint", DefaultProxyEndpoint},
    };
    // A pair that cannot be added is simply missing, as with the file's pairs.
    for (const Default& d : defaults)
        set.Add(d.key, d.value);
}
