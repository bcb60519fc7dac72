// Converting the platform's file filter lists.
#include "ui/file_filter.h"

#include <vector>

namespace zemtra {
namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::u16string Patterns(std::u16string_view platformPatterns) {
    std::u16string out;
    for (std::u16string_view p : Split(platformPatterns, u';')) {
        if (p.empty()) continue;
        if (!out.empty()) out += u' ';
        out += p == u"*.*" ? std::u16string_view(u"*") : p;
    }
    return out;
}

}  // namespace

std::u16string FileDialogFilter(std::u16string_view platformFilter) {
    // The list ends with "||"; what follows the last pair is empty.
    const std::vector<std::u16string_view> parts = Split(platformFilter, u'|');
    std::u16string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::u16string_view description = parts[i];
        if (description.empty()) break;
        const std::u16string patterns = Patterns(parts[i + 1]);
        if (!out.empty()) out += u";;";
        out += description;
        const std::u16string inBrackets = u"(" + patterns + u")";
        const bool shown = description.size() >= inBrackets.size() &&
                           description.substr(description.size() - inBrackets.size()) == inBrackets;
        if (!shown) out += u" " + inBrackets;
    }
    return out;
}

namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view ending) {
    if (text.size() < ending.size()) return false;
    const std::u16string_view tail = text.substr(text.size() - ending.size());
    for (size_t i = 0; i < ending.size(); ++i) {
        char16_t c = tail[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != ending[i]) return false;
    }
    return true;
}

bool EndsWithAny(std::u16string_view path, std::initializer_list<std::u16string_view> endings) {
    for (std::u16string_view e : endings) {
        if (EndsWithIgnoringCase(path, e)) return true;
    }
    return false;
}

}  // namespace

DroppedKind DroppedFileKind(std::u16string_view path) {
    if (EndsWithAny(path, {u".fprj"})) return DroppedKind::Project;
    if (EndsWithAny(path, {u".bmp", u".jpg", u".jpeg", u".gif", u".png"})) {
        return DroppedKind::Picture;
    }
    if (EndsWithAny(path, {u".ttf", u".otf", u".ttc", u".otc", u".bdf", u".pcf", u".pcf.gz"})) {
        return DroppedKind::Font;
    }
    return DroppedKind::Other;
}

}  // namespace zemtra
