#pragma once

class PreferenceSet;

// Host of the default Linked Data service that the default viewer,
// RDFizer and SPARQL addresses point to (a reserved example domain).
inline constexpr wchar_t DefaultServiceHost[] = L"lod.brackwyn.example";

// The default addresses on that host. The two generic endpoints are what
// the RDF Data Access page always stores for sparqlgenendpoint and
// proxygenendpoint.
inline constexpr wchar_t DefaultViewerEndpoint[] = L"http://lod.brackwyn.example/vtl/?uri[]=";
inline constexpr wchar_t DefaultSparqlEndpoint[] = L"http://lod.brackwyn.example/sparql";
inline constexpr wchar_t DefaultProxyEndpoint[] = L"http://lod.brackwyn.example/about?url=";

// Appends the fourteen default pairs, in the order the pages and the file
// expect them, to the set.
void AddDefaultPreferences(PreferenceSet& set);
