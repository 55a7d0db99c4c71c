// The only code that writes a slot. Each handler touches its own row alone
// and writes the box before regenerating, since the builder reads the boxes.
#include <string>

#include "designer/main_window.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "shell/program.h"

namespace peiseqi {
namespace {

constexpr Colour white = 0xFFFFFF;

ControlRef edit_box_of(const ColourSlot& slot) {
    return {WindowId::main_window, slot.key};
}

}  // namespace

void apply_picked_colour(Program& program, int position) {
    const ColourSlot& slot = slot_at(position);
    WindowingServices& services = program.services;
    const Colour colour = read_colour(services, {WindowId::main_window, slot.colour_picker});
    services.write_property(edit_box_of(slot), property::text, colour_to_hex_text(colour));
    services.write_property(edit_box_of(slot), property::background_colour, colour);
    regenerate(program);
}

void clear_slot(Program& program, int position) {
    const ColourSlot& slot = slot_at(position);
    WindowingServices& services = program.services;
    // The picker keeps its colour, so choosing it again restores the slot.
    services.write_property(edit_box_of(slot), property::text, std::string());
    services.write_property(edit_box_of(slot), property::background_colour, white);
    regenerate(program);
}

void take_typed_value(Program& program, int /*position*/) {
    // Typed text is taken as it stands; the box keeps its colour.
    regenerate(program);
}

}  // namespace peiseqi
