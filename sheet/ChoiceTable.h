#pragma once
#include <cstddef>
#include <string>

// One entry of a list the user chooses from: what the control shows, the
// preference value it stands for and, for service types, how the service
// address follows from it.
struct Choice {
    const wchar_t* Text;
    const wchar_t* Value;
    const wchar_t* ProposedPort = nullptr;  // port field text on choosing; null: emptied
    const wchar_t* Scheme = nullptr;        // address composed with this scheme; null: not composed
    const wchar_t* FixedUrl = nullptr;      // address set on choosing; null: address kept
};

// A fixed, ordered list of choices: the position a control shows and the
// preference value it stands for, both ways. Values compare exactly.
class ChoiceTable {
public:
    template <std::size_t N>
    constexpr explicit ChoiceTable(const Choice (&choices)[N])
        : m_choices(choices), m_count(static_cast<int>(N)) {}

    int Count() const { return m_count; }

    // The choice at a position; null for a position outside the table
    // (including -1, "nothing selected").
    const Choice* At(int position) const;

    // The value at a position, or null outside the table.
    const wchar_t* ValueAt(int position) const;

    // The position whose value equals value, or -1.
    int PositionOf(const std::wstring& value) const;

private:
    const Choice* m_choices;
    int m_count;
};
