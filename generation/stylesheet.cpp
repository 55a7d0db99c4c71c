#include "generation/stylesheet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "generation/colour_slots.h"
#include "shell/program.h"

namespace peiseqi {

const std::string_view StylesheetTemplate =
    ".skin-box-bd{s1}\r\n"
    ".skin-box-bd .menu-list{s1}\r\n"
    ".skin-box-bd .menu-list .menu{s1}\r\n"
    ".skin-box-bd .menu-list .menu .link{s1s2s3}\r\n"
    ".skin-box-bd .menu-list .menu .link:hover{s4s5}\r\n"
    ".skin-box-bd .menu-list .menu .title{s2}\r\n"
    ".skin-box-bd .menu-list .menu .title:hover{s5}\r\n"
    ".all-cats\t{t11}\r\n"
    ".all-cats .link{t11t12}\r\n"
    ".all-cats .link:hover{t13t14}\r\n"
    ".all-cats .link .title{t12}\r\n"
    ".all-cats .link .title:hover{t14}\r\n"
    ".popup-content .popup-inner{s6}\r\n"
    ".popup-content .cat-name{s7s6}\r\n"
    ".popup-content .cat-name:hover{t10s9}\r\n"
    ".popup-inner .cats-tree .fst-cat{s6s8}\r\n"
    ".popup-inner .cats-tree .fst-cat:hover{s9t10}\r\n"
    ".snd-pop-inner {t15}\r\n"
    ".snd-pop-inner .fst-cat-bd .snd-cat-name{t16t15}\r\n"
    ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{t18t17}";

namespace {

constexpr unsigned char fold_ascii_letter(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Only the ASCII letters fold; a GBK byte must be equal as it stands.
bool matches_at(std::string_view text, std::size_t at, std::string_view find) {
    for (std::size_t k = 0; k < find.size(); ++k) {
        if (fold_ascii_letter(static_cast<unsigned char>(text[at + k])) !=
            fold_ascii_letter(static_cast<unsigned char>(find[k]))) {
            return false;
        }
    }
    return true;
}

std::string replace_one(std::string_view text, std::string_view find,
                        std::string_view replacement) {
    if (find.empty() || text.empty()) {
        return std::string(text);
    }
    std::string output;
    output.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t left = text.size() - at;
        if (left < find.size()) {
            output.append(text.substr(at));
            break;
        }
        if (matches_at(text, at, find)) {
            output.append(replacement);
            at += find.size();
            continue;
        }
        // A lead byte takes its second byte along, so no match starts inside
        // a double-byte character. A lead byte with nothing after it is the
        // end of a truncated text: it is kept and the scan ends there.
        const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
        const std::size_t step = (lead && left >= 2) ? 2 : 1;
        output.append(text.substr(at, step));
        at += step;
    }
    return output;
}

}  // namespace

std::string replace_pairs(std::string_view text, std::string_view find1,
                          std::string_view replacement1, std::string_view find2,
                          std::string_view replacement2, std::string_view find3,
                          std::string_view replacement3, std::string_view find4,
                          std::string_view replacement4, std::string_view find5,
                          std::string_view replacement5) {
    const std::array<std::pair<std::string_view, std::string_view>, 5> pairs{{
        {find1, replacement1},
        {find2, replacement2},
        {find3, replacement3},
        {find4, replacement4},
        {find5, replacement5},
    }};
    std::string working(text);
    for (const auto& [find, replacement] : pairs) {
        if (!find.empty()) {
            working = replace_one(working, find, replacement);
        }
    }
    return working;
}

std::string build_stylesheet(Program& program) {
    ProgramState& state = program.state;
    if (state.slot_declarations.size() != static_cast<std::size_t>(slot_count)) {
        state.slot_declarations.resize(slot_count);
    }
    // Every declaration is formed before the first replacement, so a typed
    // text is read as it stands, never after another slot's substitution.
    for (const ColourSlot& slot : SlotTable) {
        const std::size_t index = static_cast<std::size_t>(slot.position - 1);
        std::string value;
        if (index < state.slot_edit_boxes.size()) {
            value = read_text(program.services, state.slot_edit_boxes[index]);
        }
        std::string declaration;
        if (!value.empty()) {
            declaration.reserve(slot.css_prefix.size() + value.size() + 1);
            declaration.append(slot.css_prefix).append(value).push_back(';');
        }
        state.slot_declarations[index] = std::move(declaration);
    }
    std::string working(StylesheetTemplate);
    const std::size_t keyed = std::min(state.slot_keys.size(), state.slot_declarations.size());
    for (std::size_t index = 0; index < keyed; ++index) {
        working = replace_pairs(working, state.slot_keys[index], state.slot_declarations[index]);
    }
    return working;
}

}  // namespace peiseqi
