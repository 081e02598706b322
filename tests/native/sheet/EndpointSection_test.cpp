#include <gtest/gtest.h>

#include "prefs/DefaultPreferences.h"
#include "sheet/EndpointSection.h"

namespace {

const EndpointSection& Rdfizer() { return EndpointSection::Rdfizer(); }
const EndpointSection& Sparql() { return EndpointSection::Sparql(); }

std::wstring Host() { return DefaultServiceHost; }

}  // namespace

TEST(EndpointComposition, RdfizerAddressLeavesOutOnlyTheSchemesOwnPort) {
    const std::wstring old = L"old";
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L"", old), L"http://h/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L"80", old), L"http://h/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L"8080", old), L"http://h:8080/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L"443", old), L"http://h:443/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(1, L"h", L"", old), L"https://h/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(1, L"h", L"443", old), L"https://h/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(1, L"h", L"80", old), L"https://h:80/about/?url=");
}

TEST(EndpointComposition, SparqlAddressEndsInSparqlInEveryForm) {
    const std::wstring old = L"old";
    EXPECT_EQ(Sparql().ComposeUrl(0, L"h", L"", old), L"http://h/sparql");
    EXPECT_EQ(Sparql().ComposeUrl(0, L"h", L"80", old), L"http://h/sparql");
    EXPECT_EQ(Sparql().ComposeUrl(0, L"h", L"8890", old), L"http://h:8890/sparql");
    EXPECT_EQ(Sparql().ComposeUrl(1, L"h", L"443", old), L"https://h/sparql");
    EXPECT_EQ(Sparql().ComposeUrl(1, L"h", L"8443", old), L"https://h:8443/sparql");
}

TEST(EndpointComposition, PortAndHostAreTakenExactlyAsTyped) {
    // Only the exact texts "80" and "443" count as the standard ports.
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L"080", L""), L"http://h:080/about/?url=");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"h", L" 80", L""), L"http://h: 80/about/?url=");
    EXPECT_EQ(Sparql().ComposeUrl(1, L"h", L"0443", L""), L"https://h:0443/sparql");
    EXPECT_EQ(Sparql().ComposeUrl(0, L"h", L"abc", L""), L"http://h:abc/sparql");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L"", L"", L""), L"http:///about/?url=");
    EXPECT_EQ(Sparql().ComposeUrl(1, L"", L"444", L""), L"https://:444/sparql");
    EXPECT_EQ(Rdfizer().ComposeUrl(0, L" h ", L"", L""), L"http:// h /about/?url=");
}

TEST(EndpointComposition, TypesWithoutCompositionKeepTheHeldAddress) {
    const std::wstring held = L"http://typed.example/x";
    for (int position : {-1, 2, 3, 4, 100})
        EXPECT_EQ(Rdfizer().ComposeUrl(position, L"h", L"81", held), held) << position;
    for (int position : {-1, 2, 3})
        EXPECT_EQ(Sparql().ComposeUrl(position, L"h", L"81", held), held) << position;
}

TEST(EndpointChoices, PositionsAndValuesMapBothWays) {
    const wchar_t* rdfizer[] = {L"corvessa", L"corvessa-ssl", L"triplr", L"custom"};
    ASSERT_EQ(Rdfizer().Types().Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(Rdfizer().Types().ValueAt(i), rdfizer[i]);
        EXPECT_EQ(Rdfizer().Types().PositionOf(rdfizer[i]), i);
    }
    const wchar_t* sparql[] = {L"corvessa", L"corvessa-ssl", L"custom"};
    ASSERT_EQ(Sparql().Types().Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(Sparql().Types().ValueAt(i), sparql[i]);
        EXPECT_EQ(Sparql().Types().PositionOf(sparql[i]), i);
    }
    EXPECT_EQ(Sparql().Types().PositionOf(L"triplr"), -1);
    EXPECT_EQ(Rdfizer().Types().PositionOf(L"Corvessa"), -1);
    EXPECT_EQ(Rdfizer().Types().PositionOf(L""), -1);
    EXPECT_EQ(Rdfizer().Types().ValueAt(-1), nullptr);
    EXPECT_EQ(Rdfizer().Types().ValueAt(4), nullptr);
    EXPECT_EQ(Sparql().Types().At(3), nullptr);
}

TEST(EndpointChoices, ChoosingATypeProposesItsPortAndTriplrItsAddress) {
    EXPECT_STREQ(Rdfizer().Types().At(0)->ProposedPort, L"80");
    EXPECT_STREQ(Rdfizer().Types().At(1)->ProposedPort, L"443");
    EXPECT_EQ(Rdfizer().Types().At(2)->ProposedPort, nullptr);
    EXPECT_EQ(Rdfizer().Types().At(3)->ProposedPort, nullptr);
    EXPECT_STREQ(Rdfizer().Types().At(2)->FixedUrl, L"http://triplr.org/rdf/");
    EXPECT_EQ(Rdfizer().Types().At(3)->FixedUrl, nullptr);
    EXPECT_STREQ(Sparql().Types().At(0)->ProposedPort, L"80");
    EXPECT_STREQ(Sparql().Types().At(1)->ProposedPort, L"443");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Sparql().Types().At(i)->FixedUrl, nullptr);
}

TEST(EndpointDefaults, SetDefaultValuesPointAtTheDefaultServiceOverPlainHttp) {
    const EndpointValues rdfizer = Rdfizer().Defaults();
    EXPECT_EQ(rdfizer.Type, L"corvessa");
    EXPECT_EQ(rdfizer.Host, Host());
    EXPECT_EQ(rdfizer.Port, L"80");
    EXPECT_EQ(rdfizer.Url, L"http://" + Host() + L"/about/?url=");
    const EndpointValues sparql = Sparql().Defaults();
    EXPECT_EQ(sparql.Type, L"corvessa");
    EXPECT_EQ(sparql.Host, Host());
    EXPECT_EQ(sparql.Port, L"80");
    EXPECT_EQ(sparql.Url, L"http://" + Host() + L"/sparql");
}

TEST(EndpointDefaults, GenericEndpointsAndKeysAreTheStoredOnes) {
    EXPECT_EQ(std::wstring(Rdfizer().GenericEndpoint()), L"http://" + Host() + L"/about?url=");
    EXPECT_EQ(std::wstring(Sparql().GenericEndpoint()), L"http://" + Host() + L"/sparql");
    EXPECT_STREQ(Rdfizer().Keys().Type, L"proxyservice");
    EXPECT_STREQ(Rdfizer().Keys().CustomEndpoint, L"proxycustendpoint");
    EXPECT_STREQ(Rdfizer().Keys().GenericEndpoint, L"proxygenendpoint");
    EXPECT_STREQ(Sparql().Keys().Host, L"sparqlhost");
    EXPECT_STREQ(Sparql().Keys().Port, L"sparqlport");
    EXPECT_STREQ(Sparql().Keys().GenericEndpoint, L"sparqlgenendpoint");
}

TEST(EndpointEnabling, DataServerTypesTakeHostAndPortOthersTheAddress) {
    for (const wchar_t* type : {L"corvessa", L"corvessa-ssl"}) {
        const SectionEnabling e = Rdfizer().EnablingFor(type, true);
        EXPECT_TRUE(e.TypeCombo && e.Host && e.Port && e.SetDefault) << type;
        EXPECT_FALSE(e.Url) << type;
    }
    // Unknown values, other letter case and the empty text behave as custom.
    for (const wchar_t* type : {L"triplr", L"custom", L"Corvessa", L"", L"corvessa "}) {
        const SectionEnabling e = Rdfizer().EnablingFor(type, true);
        EXPECT_TRUE(e.TypeCombo && e.Url && e.SetDefault) << type;
        EXPECT_FALSE(e.Host || e.Port) << type;
    }
    // "triplr" is not a SPARQL data-server type either.
    EXPECT_TRUE(Sparql().EnablingFor(L"triplr", true).Url);
    EXPECT_TRUE(Sparql().EnablingFor(L"corvessa-ssl", true).Host);
}

TEST(EndpointEnabling, UnusableSectionHasEveryControlDisabled) {
    for (const wchar_t* type : {L"corvessa", L"custom", L"other"}) {
        const SectionEnabling e = Sparql().EnablingFor(type, false);
        EXPECT_FALSE(e.TypeCombo || e.Host || e.Port || e.Url || e.SetDefault) << type;
    }
}
