#pragma once
#include "prefs/AnsiCodePage.h"

// The ANSI code page of the calling thread (CP_THREAD_ACP), through which
// older files' raw bytes 0x80-0xFF and the keys are converted.
class ThreadAnsiCodePage : public AnsiCodePage {
public:
    void AppendDecoded(std::string_view bytes, std::wstring& text) const override;
    std::string Encode(std::wstring_view text) const override;
};
