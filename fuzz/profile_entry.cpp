// Fuzzing the profile layer: any bytes load, lookups agree with what was set, and writing keeps
// every other value and reads back what was set.
#include <array>
#include <optional>
#include <stdexcept>
#include <string>

#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"
#include "project/profile.h"
#include "project/profile_detail.h"

namespace zemtra::fuzz {
namespace {

// The ANSI code pages a file without a mark may be read in; the input's length picks one, so
// that seed files stay plain files.
constexpr std::array<int, 5> kProfileCodePages{1252, 936, 950, 932, 1251};

struct Probe {
    std::u16string_view section;
    std::u16string_view key;
};
constexpr std::array<Probe, 8> kProbes{{
    {u"Project", u"Version"},
    {u"Project", u"TEXT"},
    {u"project", u"pic"},
    {u"FONT", u"FaceName"},
    {u"Setting", u"Language"},
    {u"SPECIAL_STRINGS", u"IDS_CLIP_SUCCESS"},
    {u"", u""},
    {u"IDD_102", u"IDD_102_1"},
}};

// What a Get gives for a value that Set wrote.
std::u16string AsRead(std::u16string_view written) {
    return std::u16string(profile_detail::StripQuotes(profile_detail::Trim(written)));
}

// A value from the input's last units: any text Set takes, line breaks left out.
std::u16string ValueFrom(std::string_view data, size_t units) {
    const std::u16string all =
        Utf16Units(data.substr(data.size() > units * 2 ? data.size() - units * 2 : 0));
    std::u16string value;
    for (char16_t c : all) {
        if (c != u'\r' && c != u'\n') value += c;
    }
    return value;
}

}  // namespace

void FuzzProfile(std::string_view data) {
    const int codePage = kProfileCodePages[data.size() % kProfileCodePages.size()];
    const Profile original = Profile::FromBytes(std::string(data), codePage);
    std::array<std::optional<std::u16string>, kProbes.size()> before;
    for (size_t i = 0; i < kProbes.size(); ++i) {
        before[i] = original.Get(kProbes[i].section, kProbes[i].key);
        Check(original.GetString(kProbes[i].section, kProbes[i].key, u"-") ==
                  (before[i] ? *before[i] : u"-"),
              "GetString agrees with Get");
    }
    const auto many = original.GetMany(u"Project", {u"Version", u"TEXT", u"Version"});
    Check(many[0] == before[0] && many[1] == before[1] && many[2] == before[0],
          "GetMany agrees with Get");

    // Two keys set: one that may exist (a probe) and one that is new, with a fuzzed value.
    Profile edited = original;
    const Probe& target = kProbes[data.size() % 6];
    const std::u16string value = ValueFrom(data, 24);
    edited.Set(target.section, target.key, value);
    edited.Set(u"Zemtra Fuzz", u"Added", EncodeValue(value));
    Check(edited.Get(target.section, target.key) == AsRead(profile_detail::TrimLeft(value)),
          "Get gives what Set wrote");

    const std::string bytes = edited.ToBytes();
    const Profile reread = Profile::FromBytes(bytes, codePage);
    Check(reread.Get(target.section, target.key) == AsRead(profile_detail::TrimLeft(value)),
          "a written key reads back");
    Check(reread.Get(u"zemtra fuzz", u"ADDED").has_value() &&
              DecodeValue(*reread.Get(u"zemtra fuzz", u"ADDED")) == value,
          "an escaped value reads back exactly");
    for (size_t i = 0; i < kProbes.size(); ++i) {
        const bool touched = profile_detail::NamesEqual(kProbes[i].section, target.section) &&
                             profile_detail::NamesEqual(kProbes[i].key, target.key);
        if (!touched)
            Check(reread.Get(kProbes[i].section, kProbes[i].key) == before[i],
                  "writing keeps the other keys");
    }
    // A second write of the same keys changes nothing.
    Profile again = reread;
    again.Set(target.section, target.key, value);
    again.Set(u"Zemtra Fuzz", u"Added", EncodeValue(value));
    Check(again.ToBytes() == bytes, "rewriting the same keys gives the same bytes");

    // Names that cannot stand on one line are refused, never written.
    try {
        edited.Set(u"a]b", u"k", u"v");
        Check(false, "a section name with ] is refused");
    } catch (const std::invalid_argument&) {
    }
}

}  // namespace zemtra::fuzz
