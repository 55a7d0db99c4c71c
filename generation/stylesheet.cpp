#include "generation/stylesheet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Where the scan must look: a byte that may begin a match or a lead byte,
// whose second byte is passed over. Every other byte is a character by
// itself that cannot begin a match, so runs of them are copied unread.
// The test is coarse: a byte and the one after it are compared with the
// find text's first two bytes with bit 0x20 set on both sides, which
// catches both cases of a letter and a few bytes besides; matches_at
// decides.
class Sieve {
  public:
    explicit Sieve(std::string_view find)
        : first_(static_cast<unsigned char>(find[0]) | 0x20),
          second_(static_cast<unsigned char>(find.size() >= 2 ? find[1] : find[0]) | 0x20),
          two_bytes_(find.size() >= 2) {}

    // The first position from `at` below `limit` to look at, or `limit`.
    // Every position below `limit` has the find text's length ahead of it.
    std::size_t next_stop(std::string_view text, std::size_t at, std::size_t limit) const {
#if defined(__SSE2__)
        at = two_bytes_ ? scan_blocks<true>(text, at, limit) : scan_blocks<false>(text, at, limit);
#endif
        while (at < limit && !stops_at(text, at)) {
            ++at;
        }
        return std::min(at, limit);
    }

  private:
    bool stops_at(std::string_view text, std::size_t at) const {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80) {
            return true;
        }
        if ((byte | 0x20) != first_) {
            return false;
        }
        return !two_bytes_ || (static_cast<unsigned char>(text[at + 1]) | 0x20) == second_;
    }

#if defined(__SSE2__)
    // Stops at the first block of 16 bytes holding a position to look at,
    // or where too few bytes are left for a whole block and the one after.
    template <bool two_bytes>
    std::size_t scan_blocks(std::string_view text, std::size_t at, std::size_t limit) const {
        const __m128i case_bit = _mm_set1_epi8(0x20);
        const __m128i first = _mm_set1_epi8(static_cast<char>(first_));
        const __m128i second = _mm_set1_epi8(static_cast<char>(second_));
        const char* bytes = text.data();
        const auto block_mask = [&](std::size_t from) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
            __m128i wanted = _mm_cmpeq_epi8(_mm_or_si128(here, case_bit), first);
            if constexpr (two_bytes) {
                const __m128i next =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from + 1));
                wanted =
                    _mm_and_si128(wanted, _mm_cmpeq_epi8(_mm_or_si128(next, case_bit), second));
            }
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(wanted, here)));
        };
        // Every load stays inside the text: from + 1 + 16 <= size.
        while (at + 33 <= text.size() && at < limit) {
            const unsigned low = block_mask(at);
            const unsigned high = block_mask(at + 16);
            if ((low | high) != 0) {
                const unsigned both = low | (high << 16);
                return at + static_cast<std::size_t>(__builtin_ctz(both));
            }
            at += 32;
        }
        while (at + 17 <= text.size() && at < limit) {
            const unsigned mask = block_mask(at);
            if (mask != 0) {
                return at + static_cast<std::size_t>(__builtin_ctz(mask));
            }
            at += 16;
        }
        return at;
    }
#endif

    unsigned char first_;
    unsigned char second_;
    bool two_bytes_;
};

// One pair into `output`, whose storage is reused; `output` must not be
// the storage `text` views.
void replace_one_into(std::string_view text, std::string_view find, std::string_view replacement,
                      std::string& output) {
    output.clear();
    if (find.empty() || text.size() < find.size()) {
        output.append(text);
        return;
    }
    const Sieve sieve(find);
    // Bytes left at the end that are fewer than the find text's length are
    // output as they are; no match can begin there.
    const std::size_t limit = text.size() - find.size() + 1;
    output.reserve(text.size() + replacement.size() * 4);
    std::size_t copied = 0;
    std::size_t at = 0;
    while ((at = sieve.next_stop(text, at, limit)) < limit) {
        if (matches_at(text, at, find)) {
            output.append(text.substr(copied, at - copied)).append(replacement);
            at += find.size();
            copied = at;
            continue;
        }
        // A lead byte takes its second byte along, so no match starts inside
        // a double-byte character. A lead byte with nothing after it is the
        // end of a truncated text: it is kept and the scan ends there.
        const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
        at += (lead && text.size() - at >= 2) ? 2 : 1;
    }
    output.append(text.substr(copied));
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
    // The first pair reads the caller's text directly; each later one the
    // output of the pair before, the two buffers taking turns.
    std::string working;
    std::string spare;
    bool started = false;
    for (const auto& [find, replacement] : pairs) {
        if (!find.empty()) {
            replace_one_into(started ? std::string_view(working) : text, find, replacement, spare);
            working.swap(spare);
            started = true;
        }
    }
    return started ? working : std::string(text);
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
    // Each slot's pair is replace_pairs with that one pair, applied to the
    // output of the slot before; two buffers take turns rather than a new
    // text per slot.
    std::size_t declared = 0;
    for (const std::string& declaration : state.slot_declarations) {
        declared += declaration.size();
    }
    // Room for every placeholder filled (a key stands at most four times),
    // so neither buffer grows on the way in the usual case.
    const std::size_t room = StylesheetTemplate.size() + 4 * declared;
    std::string working;
    working.reserve(room);
    working.append(StylesheetTemplate);
    std::string spare;
    spare.reserve(room);
    const std::size_t keyed = std::min(state.slot_keys.size(), state.slot_declarations.size());
    for (std::size_t index = 0; index < keyed; ++index) {
        replace_one_into(working, state.slot_keys[index], state.slot_declarations[index], spare);
        working.swap(spare);
    }
    return working;
}

}  // namespace peiseqi
