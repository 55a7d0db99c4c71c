#include "generation/colour_slots.h"

namespace peiseqi {

std::string colour_to_hex_text(Colour colour) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    // Red sits in the lowest byte; the top byte is never part of the text.
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned byte = (colour >> shift) & 0xFFu;
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0x0Fu]);
    }
    return text;
}

}  // namespace peiseqi
