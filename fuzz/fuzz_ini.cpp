// libFuzzer target over the private-profile reader and writer and the settings read from it.
// The input is a settings or song file as it may lie on disk. Every check below is a property
// the program relies on; a violated one aborts, so that libFuzzer keeps the input as a crash.

#include "settings/preferences.h"
#include "settings/privateprofile.h"
#include "settings/scrambling.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using sarvo::settings::PrivateProfile;

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool sameAsciiName(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

constexpr std::u16string_view kSections[] = {u"曲情報", u"設定", u"メイル", u"s"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PrivateProfile profile(bytes);

    // Writing the file out and reading it again changes nothing more.
    const std::string written = profile.bytes();
    check(PrivateProfile(written).bytes() == written);

    for (std::u16string_view section : kSections) {
        for (const auto& [key, value] : profile.entries(section)) {
            // What the entries show is what a reader of the key gets. Names are matched as code
            // page 932 bytes, and some characters have two byte forms there (NEC and IBM
            // extensions), so only ASCII names are sure to be found by their text.
            if (!std::ranges::all_of(key, [](char16_t c) { return c < 0x80; }))
                continue;
            check(profile.find(section, key) == value);
            // A reader with a small buffer gets the start of the value.
            check(value.starts_with(profile.value(section, key, u"?", 255)));
        }
    }

    // A written key reads back as written and leaves every other key of the file as it was.
    PrivateProfile changed = profile;
    const std::u16string value = u"v" + std::u16string(bytes.size() % 7, u'音') + u"w";
    check(changed.setValue(u"曲情報", u"FuzzKey", value));
    check(changed.find(u"曲情報", u"FuzzKey") == value);
    for (std::u16string_view section : kSections) {
        for (const auto& entry : profile.entries(section)) {
            if (section == u"曲情報" && sameAsciiName(entry.first, u"FuzzKey"))
                continue;
            check(changed.find(section, entry.first) == profile.find(section, entry.first));
        }
    }

    // The settings and secrets read from any file.
    const sarvo::settings::Preferences preferences = sarvo::settings::readPreferences(profile);
    check(preferences.tempo > 0);
    const std::u16string stored = profile.value(u"設定", u"音の状態");
    (void)sarvo::settings::revealPassword(stored);
    if (auto disguised = sarvo::settings::disguisePassword(stored.substr(0, 120)))
        check(sarvo::settings::revealPassword(*disguised) == stored.substr(0, 120));
    return 0;
}
