// The program's texts are GBK byte strings. GB18030 is the superset of GBK
// that leaves every GBK string unchanged and holds every Unicode character
// but 24 private-use code points that glibc's tables do not map, so the codec
// uses it: nothing a user can type is lost.
#pragma once

#include <string>
#include <string_view>

namespace peiseqi {

// UTF-8 text to GBK (GB18030) bytes; a malformed UTF-8 sequence, or one of
// the unmapped private-use characters, becomes one U+FFFD rather than being
// dropped.
std::string gbk_from_utf8(std::string_view utf8);
// GBK (GB18030) bytes to UTF-8; a byte that starts no valid character
// becomes U+FFFD.
std::string utf8_from_gbk(std::string_view gbk);

}  // namespace peiseqi
