// A window of the eighteen slot edit boxes and the preview view, so that the
// generation tests stand on their own, apart from the designer's real layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "generation/colour_slots.h"
#include "shell/program.h"
#include "shell/window_layout.h"
#include "tests/support/fake_windowing.h"

namespace peiseqi::testing {

inline constexpr ControlRef preview_view{WindowId::main_window, "互联网浏览器1"};

inline WindowLayout slot_window_layout() {
    WindowLayout layout;
    layout.id = WindowId::main_window;
    for (const ColourSlot& slot : SlotTable) {
        layout.controls.push_back(ControlSpec{slot.key, ControlKind::edit_box, {}, {}, {}, {}, {}});
    }
    layout.controls.push_back(
        ControlSpec{preview_view.control, ControlKind::browser_view, {}, {}, {}, {}, {}});
    return layout;
}

inline ControlRef slot_box(int position) {
    return ControlRef{WindowId::main_window, slot_at(position).key};
}

// The window is loaded and the slot tables are filled as the main window's
// creation fills them.
class SlotWindowTest : public ::testing::Test {
  protected:
    SlotWindowTest() {
        fake.load_start_window(layout, program);
        for (const ColourSlot& slot : SlotTable) {
            program.state.slot_edit_boxes.push_back(slot_box(slot.position));
            program.state.slot_keys.emplace_back(slot.key);
        }
    }

    void set_slot(int position, const std::string& gbk) {
        fake.write_property(slot_box(position), property::text, gbk);
    }

    const WindowLayout layout = slot_window_layout();
    FakeWindowing fake{"run dir 运行"};
    Program program{fake};
};

// The line of a CR LF separated text, counted from 1; empty past the end.
inline std::string line_of(std::string_view text, int number) {
    std::size_t start = 0;
    for (int n = 1; n < number; ++n) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            return {};
        }
        start = end + 2;
    }
    const std::size_t end = text.find("\r\n", start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

inline std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

}  // namespace peiseqi::testing
