#include "sheet/EndpointSection.h"

#include "prefs/DefaultPreferences.h"

namespace {

const wchar_t kHttp[] = L"http";
const wchar_t kHttps[] = L"https";

const Choice kRdfizerTypes[] = {
    {L"Brackwyn Corvessa (Drusker)", L"corvessa", L"80", kHttp},
    {L"Brackwyn Corvessa (SSL Drusker)", L"corvessa-ssl", L"443", kHttps},
    {L"Triplr", L"triplr", nullptr, nullptr, L"http://triplr.org/rdf/"},
    {L"Custom (URL)", L"custom"},
};

const Choice kSparqlTypes[] = {
    {L"Corvessa default", L"corvessa", L"80", kHttp},
    {L"Corvessa SSL", L"corvessa-ssl", L"443", kHttps},
    {L"Custom (URL)", L"custom"},
};

const SectionKeys kRdfizerKeys = {L"proxyservice", L"proxyhost", L"proxyport",
                                  L"proxycustendpoint", L"proxygenendpoint"};
const SectionKeys kSparqlKeys = {L"sparqltype", L"sparqlhost", L"sparqlport",
                                 L"sparqlcustendpoint", L"sparqlgenendpoint"};

const wchar_t* StandardPortOf(const std::wstring& scheme) {
    return scheme == kHttps ? L"443" : L"80";
}

}  // namespace

const EndpointSection& EndpointSection::Rdfizer() {
    static const EndpointSection section(ChoiceTable(kRdfizerTypes), L"/about/?url=",
                                         kRdfizerKeys, DefaultProxyEndpoint);
    return section;
}

const EndpointSection& EndpointSection::Sparql() {
    // Every form of the SPARQL address ends in "/sparql", like its default.
    static const EndpointSection section(ChoiceTable(kSparqlTypes), L"/sparql", kSparqlKeys,
                                         DefaultSparqlEndpoint);
    return section;
}

EndpointSection::EndpointSection(const ChoiceTable& types, const wchar_t* path,
                                 const SectionKeys& keys, const wchar_t* genericEndpoint)
    : m_types(types), m_path(path), m_keys(keys), m_genericEndpoint(genericEndpoint) {}

std::wstring EndpointSection::ComposeUrl(int position, const std::wstring& host,
                                         const std::wstring& port,
                                         const std::wstring& url) const {
    const Choice* pChoice = m_types.At(position);
    if (pChoice == nullptr || pChoice->Scheme == nullptr) return url;
    std::wstring composed = pChoice->Scheme;
    composed += L"://";
    composed += host;
    if (!port.empty() && port != StandardPortOf(pChoice->Scheme)) {
        composed += L':';
        composed += port;
    }
    composed += m_path;
    return composed;
}

EndpointValues EndpointSection::Defaults() const {
    EndpointValues values;
    values.Type = m_types.ValueAt(0);
    values.Host = DefaultServiceHost;
    values.Port = m_types.At(0)->ProposedPort;
    values.Url = ComposeUrl(0, values.Host, values.Port, std::wstring());
    return values;
}

bool EndpointSection::IsComposedType(const std::wstring& type) const {
    const Choice* pChoice = m_types.At(m_types.PositionOf(type));
    return pChoice != nullptr && pChoice->Scheme != nullptr;
}

SectionEnabling EndpointSection::EnablingFor(const std::wstring& type, bool usable) const {
    const bool composed = IsComposedType(type);
    return SectionEnabling{usable, usable && composed, usable && composed, usable && !composed,
                           usable};
}
