// The stylesheet builder: each slot's declaration put in place of the slot's
// key wherever it stands in the fixed template.
#pragma once

#include <string>
#include <string_view>

namespace peiseqi {

struct Program;

// The twenty rules whose declaration blocks hold only slot keys; ASCII, lines
// joined by CR LF, no line end after the last.
extern const std::string_view StylesheetTemplate;

// Case-insensitive replacement of every occurrence of each find text, pair
// after pair, working on GBK characters rather than bytes. An empty find text
// (an omitted pair) changes nothing.
std::string replace_pairs(std::string_view text, std::string_view find1,
                          std::string_view replacement1, std::string_view find2 = {},
                          std::string_view replacement2 = {}, std::string_view find3 = {},
                          std::string_view replacement3 = {}, std::string_view find4 = {},
                          std::string_view replacement4 = {}, std::string_view find5 = {},
                          std::string_view replacement5 = {});

// The twenty template rules with every placeholder replaced by its slot's
// declaration; writes all eighteen slot_declarations.
std::string build_stylesheet(Program& program);

}  // namespace peiseqi
