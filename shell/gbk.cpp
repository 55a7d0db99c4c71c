#include "shell/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace peiseqi {
namespace {

// How many bytes one replacement stands for: a whole UTF-8 sequence, so a
// character the target cannot hold becomes one U+FFFD, not one per byte.
std::size_t utf8_sequence_length(const char* at, std::size_t left) {
    const auto lead = static_cast<unsigned char>(*at);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 1;
    if (length > left) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(at[k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::size_t single_byte(const char* /*at*/, std::size_t /*left*/) {
    return 1;
}

// Converts with iconv, replacing what cannot be converted by `replacement`
// (already in the target encoding) and going on after it.
std::string convert(std::string_view input, const char* to, const char* from,
                    std::string_view replacement,
                    std::size_t (*unconvertible_length)(const char*, std::size_t)) {
    std::string output;
    if (input.empty()) {
        return output;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string(input);
    }
    output.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    char buffer[4096];
    while (in_left > 0) {
        char* out = buffer;
        size_t out_left = sizeof buffer;
        const size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
        output.append(buffer, static_cast<size_t>(out - buffer));
        if (rc != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ (malformed, or no such character in the target) or EINVAL
        // (a truncated sequence at the end): replaced, and the conversion
        // resumes after it.
        output.append(replacement);
        const std::size_t skipped = unconvertible_length(in, in_left);
        in += skipped;
        in_left -= skipped;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* out = buffer;
    size_t out_left = sizeof buffer;
    iconv(cd, nullptr, nullptr, &out, &out_left);
    output.append(buffer, static_cast<size_t>(out - buffer));
    iconv_close(cd);
    return output;
}

// U+FFFD in each encoding.
constexpr std::string_view replacement_gb18030 = "\x84\x31\xA4\x37";
constexpr std::string_view replacement_utf8 = "\xEF\xBF\xBD";

}  // namespace

std::string gbk_from_utf8(std::string_view utf8) {
    return convert(utf8, "GB18030", "UTF-8", replacement_gb18030, utf8_sequence_length);
}

std::string utf8_from_gbk(std::string_view gbk) {
    return convert(gbk, "UTF-8", "GB18030", replacement_utf8, single_byte);
}

}  // namespace peiseqi
