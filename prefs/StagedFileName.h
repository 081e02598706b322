#pragma once
#include <optional>
#include <string>
#include <string_view>

// The names of the temporary files a save writes beside its target:
// "<target>.<machine>.<process>-<tick>-<n>.tmp", a tag of the writing
// machine's name (16 lowercase hex digits), the id of the writing process
// there, the tick count when it was named and a number counting that
// process's saves. Older versions wrote "<target>.<process>-<tick>-<n>.tmp",
// which names no machine. Telling them apart from every other name lets a
// later save remove what an interrupted one left behind, and nothing else.
class StagedFileName {
public:
    struct Writer {
        std::optional<unsigned long long> Machine;  // none in the older names
        unsigned long Process;
    };

    // The tag of a computer name: a 64-bit FNV-1a hash of its code units.
    static unsigned long long MachineTag(std::wstring_view computerName);
    // Without a machine, the name takes the older form.
    static std::wstring Make(const std::wstring& target, std::optional<unsigned long long> machine,
                             unsigned long process, unsigned long tick, unsigned long number);

    // The writer of a temporary file of the target (both plain file names,
    // no folder), or nothing for any name Make does not form.
    static std::optional<Writer> WriterOf(std::wstring_view targetName, std::wstring_view fileName);

private:
    // A decimal number as to_wstring writes one, 32 bits at most; the text
    // is consumed up to the byte after it, which must be `end`.
    static std::optional<unsigned long> TakeNumber(std::wstring_view& text, wchar_t end);
    // The machine tag and its dot, when the text starts with them.
    static std::optional<unsigned long long> TakeMachine(std::wstring_view& text);
};
