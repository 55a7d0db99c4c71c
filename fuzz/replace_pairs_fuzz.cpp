// Feeds replace_pairs a text and up to five find/replacement pairs and
// compares its result with a deliberately plain model of the same rules.
// Any difference aborts, and libFuzzer keeps the input that showed it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "generation/stylesheet.h"

namespace {

// Replacements may grow the text with every pair; inputs whose model result
// would pass this size are skipped rather than allowed to exhaust memory.
constexpr std::size_t largest_result = 1 << 16;

struct Pair {
    std::string find;
    std::string replacement;
};

unsigned char fold_case(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') {
        return static_cast<unsigned char>(byte - 'A' + 'a');
    }
    return byte;
}

bool matches_at(const std::string& text, std::size_t at, const std::string& find) {
    if (text.size() - at < find.size()) {
        return false;
    }
    for (std::size_t k = 0; k < find.size(); ++k) {
        if (fold_case(static_cast<unsigned char>(text[at + k])) !=
            fold_case(static_cast<unsigned char>(find[k]))) {
            return false;
        }
    }
    return true;
}

// One pair, one index walking over the text a GBK character at a time.
std::string model_one_pair(const std::string& text, const Pair& pair) {
    if (pair.find.empty() || text.empty()) {
        return text;
    }
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (matches_at(text, i, pair.find)) {
            out += pair.replacement;
            i += pair.find.size();
        } else if (static_cast<unsigned char>(text[i]) >= 0x80) {
            out += text[i];
            if (i + 1 == text.size()) {
                break;  // a lead byte with nothing after it ends the text
            }
            out += text[i + 1];
            i += 2;
        } else {
            out += text[i];
            i += 1;
        }
    }
    return out;
}

std::optional<std::string> model(std::string text, const std::vector<Pair>& pairs) {
    for (const Pair& pair : pairs) {
        text = model_one_pair(text, pair);
        if (text.size() > largest_result) {
            return std::nullopt;
        }
    }
    return text;
}

std::string call_replace_pairs(const std::string& text, const std::vector<Pair>& p) {
    // Calls with exactly as many pairs as were drawn, so that the omitted
    // pairs take the defaults as a real caller's would.
    switch (p.size()) {
        case 1:
            return peiseqi::replace_pairs(text, p[0].find, p[0].replacement);
        case 2:
            return peiseqi::replace_pairs(text, p[0].find, p[0].replacement, p[1].find,
                                          p[1].replacement);
        case 3:
            return peiseqi::replace_pairs(text, p[0].find, p[0].replacement, p[1].find,
                                          p[1].replacement, p[2].find, p[2].replacement);
        case 4:
            return peiseqi::replace_pairs(text, p[0].find, p[0].replacement, p[1].find,
                                          p[1].replacement, p[2].find, p[2].replacement, p[3].find,
                                          p[3].replacement);
        default:
            return peiseqi::replace_pairs(text, p[0].find, p[0].replacement, p[1].find,
                                          p[1].replacement, p[2].find, p[2].replacement, p[3].find,
                                          p[3].replacement, p[4].find, p[4].replacement);
    }
}

// A find text cut out of the text, its letters' case changed by the bits of
// `case_flips`: random find texts would hardly ever match.
std::string find_from_text(FuzzedDataProvider& data, const std::string& text) {
    const std::size_t at = data.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
    const std::size_t length = data.ConsumeIntegralInRange<std::size_t>(1, 8);
    std::string find = text.substr(at, length);
    const auto case_flips = data.ConsumeIntegral<std::uint8_t>();
    for (std::size_t k = 0; k < find.size(); ++k) {
        const unsigned char byte = static_cast<unsigned char>(find[k]);
        const bool letter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        if (letter && ((case_flips >> (k % 8)) & 1) != 0) {
            find[k] = static_cast<char>(byte ^ 0x20);
        }
    }
    return find;
}

Pair draw_pair(FuzzedDataProvider& data, const std::string& text) {
    const auto how = data.ConsumeIntegral<std::uint8_t>();
    Pair pair;
    if ((how & 1) != 0 && !text.empty()) {
        pair.find = find_from_text(data, text);
    } else {
        pair.find = data.ConsumeRandomLengthString(12);
    }
    if ((how & 2) != 0) {
        // A replacement that holds its own find text must not be searched again.
        pair.replacement = pair.find + data.ConsumeRandomLengthString(4) + pair.find;
    } else {
        pair.replacement = data.ConsumeRandomLengthString(16);
    }
    return pair;
}

void report_mismatch(const std::string& text, const std::vector<Pair>& pairs,
                     const std::string& expected, const std::string& actual) {
    const auto dump = [](const char* what, const std::string& bytes) {
        std::fprintf(stderr, "%s (%zu bytes):", what, bytes.size());
        for (const char byte : bytes) {
            std::fprintf(stderr, " %02x", static_cast<unsigned char>(byte));
        }
        std::fprintf(stderr, "\n");
    };
    std::fprintf(stderr, "replace_pairs differs from the model\n");
    dump("text", text);
    for (const Pair& pair : pairs) {
        dump("  find", pair.find);
        dump("  replacement", pair.replacement);
    }
    dump("model", expected);
    dump("replace_pairs", actual);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::string text = data.ConsumeRandomLengthString(512);
    const std::size_t pair_count = data.ConsumeIntegralInRange<std::size_t>(1, 5);
    std::vector<Pair> pairs;
    for (std::size_t n = 0; n < pair_count; ++n) {
        pairs.push_back(draw_pair(data, text));
    }

    const std::optional<std::string> expected = model(text, pairs);
    if (!expected) {
        return -1;  // too large to be worth it; not added to the corpus
    }
    const std::string actual = call_replace_pairs(text, pairs);
    if (actual != *expected) {
        report_mismatch(text, pairs, *expected, actual);
        std::abort();
    }
    return 0;
}
