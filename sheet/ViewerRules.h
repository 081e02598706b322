#pragma once
#include <string>

#include "sheet/ChoiceTable.h"

// Which of the Viewers page's controls a viewer type leaves usable, and
// whether the RDF Data Access page's SPARQL section is usable with it.
struct ViewerEnabling {
    bool BehaviorRadios;
    bool UrlField;
    bool SparqlSection;
};

// The choices of the Viewers page and the rules that follow from the
// chosen viewer.
class ViewerRules {
public:
    static const ChoiceTable& ViewerTypes();
    static const ChoiceTable& OpeningBehaviors();
    static const ChoiceTable& OpeningModes();

    // Only the built-in viewer has opening behaviours and a SPARQL endpoint;
    // only a custom viewer takes an address. Any other text, including a
    // known value in other letter case, enables none of them.
    static ViewerEnabling EnablingFor(const std::wstring& viewerType);
};
