// Thousands of seeded random user actions, some of them arriving inside a
// preview's wait, checked after each against what must always hold.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "designer_fixture.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "generation/stylesheet.h"

namespace peiseqi::testing {
namespace {

constexpr Colour white = 0xFFFFFF;

struct RowModel {
    std::string text;
    Colour background = white;
};

constexpr std::array<std::string_view, 5> radio_names{"单选框1", "单选框2", "单选框3", "单选框4",
                                                      "单选框5"};

class RandomSession : public Designer {
  protected:
    std::uint32_t next(std::uint32_t bound) { return static_cast<std::uint32_t>(rng_() % bound); }

    const ColourSlot& any_slot() { return SlotTable[next(18)]; }

    std::string any_text() {
        static const std::vector<std::string> texts = {"",
                                                       " ",
                                                       "#ff00aa",
                                                       "red",
                                                       "#FF0000",
                                                       "s1",
                                                       "T10",
                                                       "s1s2",
                                                       "t18;s9",
                                                       "{s5}",
                                                       "\t",
                                                       "\r\n",
                                                       gbk("红色"),
                                                       gbk("鼠标移至,蓝"),
                                                       gbk("所有分类") + "s3",
                                                       std::string("\x81s1", 3)};
        return texts[next(static_cast<std::uint32_t>(texts.size()))];
    }

    Colour any_colour() { return next(2) ? 0x0000FFu : next(0x1000000u); }

    static bool is_slot_box(const ControlRef& ref) {
        for (const ColourSlot& slot : SlotTable) {
            if (ref == in_main(slot.key)) {
                return true;
            }
        }
        return false;
    }

    bool main_enabled() const { return fake.window_enabled(WindowId::main_window); }

    void pick() {
        const ColourSlot& slot = any_slot();
        const Colour colour = any_colour();
        // The focus moves first (a box losing it regenerates and lets waiting
        // actions run); then the box is written before the preview waits.
        fake.move_focus(in_main(slot.colour_picker));
        if (main_enabled()) {
            rows_[slot.position - 1] = {colour_to_hex_text(colour), colour};
        }
        fake.choose_colour(in_main(slot.colour_picker), colour);
    }

    void clear() {
        const ColourSlot& slot = any_slot();
        fake.move_focus(in_main(slot.clear_button));
        if (main_enabled()) {
            rows_[slot.position - 1] = {"", white};
        }
        fake.click(in_main(slot.clear_button));
    }

    void type() {
        const ColourSlot& slot = any_slot();
        const std::string text = any_text();
        fake.move_focus(in_main(slot.key));
        if (main_enabled()) {
            rows_[slot.position - 1].text = text;
        }
        fake.type_text(in_main(slot.key), text);
    }

    void skin() {
        const std::uint32_t index = next(5);
        fake.move_focus(in_main(radio_names[index]));
        if (main_enabled()) {
            skin_ = index;
        }
        fake.click(in_main(radio_names[index]));
    }

    // Inside the code window: it shows its opening's snapshot, which is the
    // newest design; then perhaps a copy or two.
    void look_inside_and_copy(int copies, bool clipboard_fails, int attempts_left) {
        if (!fake.is_open(WindowId::code_window)) {
            if (attempts_left > 0) {
                fake.queue([=, this] {
                    look_inside_and_copy(copies, clipboard_fails, attempts_left - 1);
                });
            }
            return;
        }
        EXPECT_EQ(fake.text(in_code("编辑框3")), program.state.code_window_text);
        EXPECT_EQ(program.state.code_window_text, build_stylesheet(program));
        snapshot_ = program.state.code_window_text;
        fake.set_clipboard_fails(clipboard_fails);
        for (int i = 0; i < copies; ++i) {
            const std::size_t opens = fake.shell_opens().size();
            fake.click(in_code("按钮1"));
            if (clipboard_fails) {
                EXPECT_EQ(fake.shell_opens().size(), opens);
            } else {
                EXPECT_EQ(fake.clipboard(), std::optional<std::string>(snapshot_));
                EXPECT_EQ(fake.shell_opens().size(), opens + 1);
            }
        }
        fake.set_clipboard_fails(false);
    }

    void generate() {
        const int copies = static_cast<int>(next(3));
        const bool fails = next(4) == 0;
        fake.queue([=, this] { look_inside_and_copy(copies, fails, 4); });
        fake.click(in_main("按钮22"));
    }

    void one_action(bool may_queue) {
        switch (next(may_queue ? 9 : 7)) {
            case 0:
            case 1:
                pick();
                break;
            case 2:
                clear();
                break;
            case 3:
                type();
                break;
            case 4:
                skin();
                break;
            case 5:
                generate();
                break;
            case 6:
                fake.move_focus(next(2) ? std::nullopt : std::optional(in_main("s9")));
                break;
            default:
                // Arrives while the next preview waits.
                fake.queue([this] { one_action(false); });
                pick();
                break;
        }
    }

    void check_invariants(int step) {
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_TRUE(fake.queue_empty());
        ASSERT_TRUE(fake.is_open(WindowId::main_window));
        EXPECT_FALSE(fake.is_open(WindowId::code_window));
        EXPECT_TRUE(main_enabled());
        EXPECT_FALSE(preview_file_left());

        int checked = 0;
        for (std::string_view name : radio_names) {
            checked += fake.checked(in_main(name)) ? 1 : 0;
        }
        EXPECT_EQ(checked, 1);
        EXPECT_TRUE(fake.checked(in_main(radio_names[skin_])));
        EXPECT_EQ(program.state.current_skin_head, skin_head(static_cast<BaseSkinId>(skin_)));

        for (const ColourSlot& slot : SlotTable) {
            EXPECT_EQ(fake.text(in_main(slot.key)), rows_[slot.position - 1].text) << slot.key;
            EXPECT_EQ(fake.background(in_main(slot.key)), rows_[slot.position - 1].background)
                << slot.key;
        }
        EXPECT_EQ(program.state.code_window_text, snapshot_);

        // A box still holding the focus has not handed its text over yet.
        const bool typing = fake.focus() && is_slot_box(*fake.focus());
        if (!typing) {
            EXPECT_EQ(program.state.last_stylesheet, build_stylesheet(program));
        }
    }

    std::mt19937 rng_{20240601u};
    std::array<RowModel, 18> rows_{};
    std::uint32_t skin_ = 0;
    std::string snapshot_;
};

TEST_F(RandomSession, InvariantsHoldAfterEveryOutermostAction) {
    for (int step = 0; step < 3000; ++step) {
        fake.set_pumps_per_load(1 + static_cast<int>(next(3)));
        one_action(true);
        fake.run_event_loop();  // whatever is still waiting, as the main loop would
        check_invariants(step);
        if (HasFatalFailure() || HasFailure()) {
            break;
        }
    }
    EXPECT_FALSE(fake.message_boxes().empty());
    EXPECT_FALSE(fake.shell_opens().empty());
}

}  // namespace
}  // namespace peiseqi::testing
