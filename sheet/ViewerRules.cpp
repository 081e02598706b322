#include "sheet/ViewerRules.h"

namespace {

const wchar_t kBuiltin[] = L"builtin";
const wchar_t kCustom[] = L"custom";

const Choice kViewerTypes[] = {
    {L"Vantrel (default)", kBuiltin},
    {L"Zitgist Data Viewer", L"zitgist"},
    {L"Marbles", L"marbles"},
    {L"DISCO", L"disco"},
    {L"Tabulator", L"tabulator"},
    {L"Custom (URL)", kCustom},
};

const Choice kOpeningBehaviors[] = {
    {L"Reuse viewer, keep already cached triples", L"add"},
    {L"Reuse viewer, but purge old cache", L"replace"},
    {L"Create a fresh viewer", L"new"},
};

const Choice kOpeningModes[] = {
    {L"New Window", L"win"},
    {L"New Tab", L"tab"},
};

}  // namespace

const ChoiceTable& ViewerRules::ViewerTypes() {
    static const ChoiceTable table(kViewerTypes);
    return table;
}

const ChoiceTable& ViewerRules::OpeningBehaviors() {
    static const ChoiceTable table(kOpeningBehaviors);
    return table;
}

const ChoiceTable& ViewerRules::OpeningModes() {
    static const ChoiceTable table(kOpeningModes);
    return table;
}

ViewerEnabling ViewerRules::EnablingFor(const std::wstring& viewerType) {
    const bool builtin = viewerType == kBuiltin;
    return ViewerEnabling{builtin, viewerType == kCustom, builtin};
}
