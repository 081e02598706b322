// The Group Policy templates as the build wrote them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "policy/PolicyTable.h"
#include "policy/PolicyTemplates.h"
#include "sheet/ChoiceTable.h"
#include "XmlTree.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class PolicyTemplatesFiles : public testing::Test {
protected:
    void SetUp() override {
        const std::string folder = VTL_POLICY_TEMPLATES_DIR;
        std::string error;
        m_admx = XmlTree::Parse(ReadFile(folder + "/" + PolicyTemplates::AdmxName), error);
        ASSERT_NE(m_admx, nullptr) << "ADMX: " << error;
        m_adml = XmlTree::Parse(ReadFile(folder + "/" + PolicyTemplates::AdmlName), error);
        ASSERT_NE(m_adml, nullptr) << "ADML: " << error;
        for (const XmlElement* string : m_adml->All("string")) m_strings[string->Attribute("id")] = string->Text;
        for (const XmlElement* presentation : m_adml->All("presentation"))
            m_presentations[presentation->Attribute("id")] = presentation;
        for (const XmlElement* policy : m_admx->All("policy")) m_policies[policy->Attribute("name")] = policy;
    }

    // The text of a "$(string.id)" reference; "<missing>" when the ADML has none.
    std::string StringOf(const std::string& reference) const {
        const std::string prefix = "$(string.";
        if (reference.compare(0, prefix.size(), prefix) != 0 || reference.back() != ')') return "<not a reference>";
        const auto found = m_strings.find(reference.substr(prefix.size(), reference.size() - prefix.size() - 1));
        return found == m_strings.end() ? "<missing>" : found->second;
    }

    std::unique_ptr<XmlElement> m_admx, m_adml;
    std::map<std::string, std::string> m_strings;
    std::map<std::string, const XmlElement*> m_presentations;
    std::map<std::string, const XmlElement*> m_policies;
};

const std::string kKey = "Software\\Policies\\Brackwyn Software\\Vantrel";

}  // namespace

TEST(PolicyTemplatesXml, TheReaderRejectsWhatIsNotWellFormed) {
    const char* bad[] = {"<a><b></a></b>", "<a x=1/>", "<a>&bogus;</a>", "<a/><b/>", "<a x='1' x='2'/>", "<a>"};
    for (const char* text : bad) {
        std::string error;
        EXPECT_EQ(XmlTree::Parse(text, error), nullptr) << text;
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_NE(XmlTree::Parse("<?xml version=\"1.0\"?>\n<a x=\"&amp;\"><!-- c --><b/>t</a>\n", error), nullptr) << error;
}

TEST_F(PolicyTemplatesFiles, EveryKeyHasAMandatoryAndARecommendedPolicyForComputerAndUser) {
    ASSERT_EQ(m_policies.size(), 2 * (PolicyTable::Entries().size() + 1));
    for (const PolicyEntry& entry : PolicyTable::Entries()) {
        const std::string key = Narrow(entry.Key);
        for (bool recommended : {false, true}) {
            SCOPED_TRACE(key + (recommended ? " recommended" : " mandatory"));
            const auto found = m_policies.find(recommended ? key + "_Recommended" : key);
            ASSERT_NE(found, m_policies.end());
            const XmlElement& policy = *found->second;
            EXPECT_EQ(policy.Attribute("class"), "Both");
            EXPECT_EQ(policy.Attribute("key"), recommended ? kKey + "\\Recommended" : kKey);
            EXPECT_EQ(StringOf(policy.Attribute("displayName")), Narrow(entry.Title));
            EXPECT_NE(StringOf(policy.Attribute("explainText")).find(key), std::string::npos);
            const auto category = policy.All("parentCategory");
            ASSERT_EQ(category.size(), 1u);
            EXPECT_EQ(category[0]->Attribute("ref"), recommended ? "Vantrel_Recommended" : "Vantrel");

            const auto enums = policy.All("enum");
            const auto texts = policy.All("text");
            ASSERT_EQ(enums.size() + texts.size(), 1u);
            const XmlElement& element = enums.empty() ? *texts[0] : *enums[0];
            EXPECT_EQ(element.Attribute("valueName"), key);
            EXPECT_EQ(enums.size(), entry.Kind == PolicyKind::Choice ? 1u : 0u);
            if (entry.Kind != PolicyKind::Choice) continue;
            // The page's own choices, with the page's own texts, in its order.
            const auto items = element.All("item");
            ASSERT_EQ(static_cast<int>(items.size()), entry.Choices->Count());
            for (int i = 0; i < entry.Choices->Count(); ++i) {
                const auto values = items[i]->All("string");
                ASSERT_EQ(values.size(), 1u);
                EXPECT_EQ(values[0]->Text, Narrow(entry.Choices->ValueAt(i)));
                EXPECT_EQ(StringOf(items[i]->Attribute("displayName")), Narrow(entry.Choices->At(i)->Text));
            }
        }
    }
}

TEST_F(PolicyTemplatesFiles, TheHeaderListWritesNumberedEntriesUnderItsSubkey) {
    for (bool recommended : {false, true}) {
        const auto found = m_policies.find(recommended ? "AdditionalHeaders_Recommended" : "AdditionalHeaders");
        ASSERT_NE(found, m_policies.end());
        const auto lists = found->second->All("list");
        ASSERT_EQ(lists.size(), 1u);
        const std::string key = kKey + (recommended ? "\\Recommended" : "") + "\\AdditionalHeaders";
        EXPECT_EQ(lists[0]->Attribute("key"), key);
        EXPECT_EQ(lists[0]->Attribute("valuePrefix"), "");
        EXPECT_EQ(found->second->Attribute("class"), "Both");
    }
}

TEST_F(PolicyTemplatesFiles, EveryStringAndPresentationTheAdmxNamesIsInTheAdml) {
    std::set<std::string> categories;
    for (const XmlElement* category : m_admx->All("category")) {
        categories.insert(category->Attribute("name"));
        EXPECT_NE(StringOf(category->Attribute("displayName")), "<missing>");
    }
    for (const XmlElement* definition : m_admx->All("definition"))
        EXPECT_NE(StringOf(definition->Attribute("displayName")), "<missing>");
    for (const auto& named : m_policies) {
        SCOPED_TRACE(named.first);
        const XmlElement& policy = *named.second;
        for (const char* attribute : {"displayName", "explainText"})
            EXPECT_NE(StringOf(policy.Attribute(attribute)), "<missing>") << attribute;
        for (const XmlElement* item : policy.All("item"))
            EXPECT_NE(StringOf(item->Attribute("displayName")), "<missing>");
        for (const XmlElement* parent : policy.All("parentCategory"))
            EXPECT_EQ(categories.count(parent->Attribute("ref")), 1u);

        // The presentation exists, and each of its controls refers to an
        // element of the policy.
        const std::string reference = policy.Attribute("presentation");
        const std::string prefix = "$(presentation.";
        ASSERT_EQ(reference.compare(0, prefix.size(), prefix), 0);
        const auto presentation = m_presentations.find(reference.substr(prefix.size(), reference.size() - prefix.size() - 1));
        ASSERT_NE(presentation, m_presentations.end());
        std::set<std::string> ids;
        for (const char* kind : {"enum", "text", "list"})
            for (const XmlElement* element : policy.All(kind)) ids.insert(element->Attribute("id"));
        ASSERT_EQ(presentation->second->Children.size(), 1u);
        for (const auto& control : presentation->second->Children)
            EXPECT_EQ(ids.count(control->Attribute("refId")), 1u) << control->Name;
    }
}
