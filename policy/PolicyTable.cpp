#include "policy/PolicyTable.h"

#include "sheet/EndpointSection.h"
#include "sheet/ViewerRules.h"

const std::vector<PolicyEntry>& PolicyTable::Entries() {
    const ChoiceTable* const rdfizerTypes = &EndpointSection::Rdfizer().Types();
    const ChoiceTable* const sparqlTypes = &EndpointSection::Sparql().Types();
    static const std::vector<PolicyEntry> entries = {
        {L"viewertype", L"Viewer", PolicyKind::Choice, &ViewerRules::ViewerTypes()},
        {L"viewerendpoint", L"Viewer URL (custom viewer)", PolicyKind::Text, nullptr},
        {L"openingbehavior", L"When invoked on page", PolicyKind::Choice,
         &ViewerRules::OpeningBehaviors()},
        {L"openingmode", L"Open viewer in", PolicyKind::Choice, &ViewerRules::OpeningModes()},
        {L"sparqltype", L"SPARQL Endpoint: Type", PolicyKind::Choice, sparqlTypes},
        {L"sparqlhost", L"SPARQL Endpoint: Host", PolicyKind::Text, nullptr},
        {L"sparqlport", L"SPARQL Endpoint: Port", PolicyKind::Port, nullptr},
        {L"sparqlcustendpoint", L"SPARQL Endpoint: URL", PolicyKind::Text, nullptr},
        {L"proxyservice", L"RDFizer Service: Type", PolicyKind::Choice, rdfizerTypes},
        {L"proxyhost", L"RDFizer Service: Host", PolicyKind::Text, nullptr},
        {L"proxyport", L"RDFizer Service: Port", PolicyKind::Port, nullptr},
        {L"proxycustendpoint", L"RDFizer Service: URL", PolicyKind::Text, nullptr},
    };
    return entries;
}

const PolicyEntry* PolicyTable::Find(const std::wstring& key) {
    for (const PolicyEntry& entry : Entries())
        if (key == entry.Key) return &entry;
    return nullptr;
}

bool PolicyTable::Accepts(const PolicyEntry& entry, const std::wstring& value) {
    if (value.size() > MaxValueLength) return false;
    return entry.Kind != PolicyKind::Port || IsPort(value);
}

// An empty port is what the pages store for "the scheme's own port".
bool PolicyTable::IsPort(const std::wstring& value) {
    if (value.empty()) return true;
    if (value.size() > 5) return false;
    long number = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return false;
        number = number * 10 + (c - L'0');
    }
    return number >= 1 && number <= 65535;
}
