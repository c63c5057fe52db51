// Test fixture helper: pins the user's date and time pictures for the length of
// a test through the platform's own setter, and puts the previous values back.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class PinnedRegionalSettings {
public:
    PinnedRegionalSettings() = default;
    PinnedRegionalSettings(const PinnedRegionalSettings&) = delete;
    PinnedRegionalSettings& operator=(const PinnedRegionalSettings&) = delete;
    ~PinnedRegionalSettings() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            SetLocaleInfoA(LOCALE_USER_DEFAULT, it->first, it->second.c_str());
    }
    // True when the platform reports the new value afterwards.
    bool Set(LCTYPE type, const std::string& value) {
        saved_.emplace_back(type, Get(type));
        if (!SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str())) return false;
        return Get(type) == value;
    }
    bool German() { return Set(LOCALE_SSHORTDATE, "dd.MM.yyyy") && Set(LOCALE_STIMEFORMAT, "HH:mm:ss"); }
    bool Us() {
        return Set(LOCALE_SSHORTDATE, "M/d/yyyy") && Set(LOCALE_STIMEFORMAT, "h:mm:ss tt") && Set(LOCALE_S1159, "AM") &&
               Set(LOCALE_S2359, "PM");
    }
    static std::string Get(LCTYPE type) {
        char buffer[256] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
        return buffer;
    }

private:
    std::vector<std::pair<LCTYPE, std::string>> saved_;
};
