#include "shell/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <string_view>

namespace peiseqi {
namespace {

// Converts with iconv, replacing what the source encoding cannot read by
// `replacement` (already in the target encoding) and going on after it.
std::string convert(std::string_view input, const char* to, const char* from,
                    std::string_view replacement) {
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
        // EILSEQ or EINVAL (a truncated sequence at the end): one byte is
        // replaced and the conversion resumes after it.
        output.append(replacement);
        ++in;
        --in_left;
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
    return convert(utf8, "GB18030", "UTF-8", replacement_gb18030);
}

std::string utf8_from_gbk(std::string_view gbk) {
    return convert(gbk, "UTF-8", "GB18030", replacement_utf8);
}

}  // namespace peiseqi
