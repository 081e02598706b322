#pragma once
#include <string>

#include "sheet/ChoiceTable.h"

// What the RDF Data Access page holds for one service section.
struct EndpointValues {
    std::wstring Type;
    std::wstring Url;
    std::wstring Host;
    std::wstring Port;
};

// Which controls of a section are usable.
struct SectionEnabling {
    bool TypeCombo;
    bool Host;
    bool Port;
    bool Url;
    bool SetDefault;
};

// The preference keys one section reads and stores.
struct SectionKeys {
    const wchar_t* Type;
    const wchar_t* Host;
    const wchar_t* Port;
    const wchar_t* CustomEndpoint;
    const wchar_t* GenericEndpoint;
};

// One service section of the RDF Data Access page (the RDFizer service or
// the SPARQL endpoint): its type choices, its preference keys and how its
// address follows from type, host and port.
class EndpointSection {
public:
    static const EndpointSection& Rdfizer();
    static const EndpointSection& Sparql();

    const ChoiceTable& Types() const { return m_types; }
    const SectionKeys& Keys() const { return m_keys; }

    // The value stored for the generic endpoint key whenever the page stores.
    const wchar_t* GenericEndpoint() const { return m_genericEndpoint; }

    // The address for the type at a combo position, from host and port used
    // exactly as typed. A port equal to the scheme's standard one, or empty,
    // is left out. Positions whose type is not composed (and -1) keep url.
    std::wstring ComposeUrl(int position, const std::wstring& host, const std::wstring& port,
                            const std::wstring& url) const;

    // The default service: first type, default host, port "80" and its address.
    EndpointValues Defaults() const;

    // Host and port make the address only for the data-server types; any
    // other type text (custom, fixed, unknown) takes the address as typed.
    // A section that is not usable has every control disabled.
    SectionEnabling EnablingFor(const std::wstring& type, bool usable) const;

    // True when the type text is one whose address is composed.
    bool IsComposedType(const std::wstring& type) const;

private:
    EndpointSection(const ChoiceTable& types, const wchar_t* path, const SectionKeys& keys,
                    const wchar_t* genericEndpoint);

    ChoiceTable m_types;
    const wchar_t* m_path;
    SectionKeys m_keys;
    const wchar_t* m_genericEndpoint;
};
