#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "shell/entry/program_entry.h"
#include "shell/program.h"
#include "tests/support/fake_windowing.h"

namespace peiseqi::testing {
namespace {

// Looks at the program-wide state at the moments the platform is handed it:
// before the main window exists, and when the exit routine has just run.
class WatchingPlatform : public FakeWindowing {
  public:
    using FakeWindowing::FakeWindowing;

    void load_start_window(const WindowLayout& layout, Program& program) override {
        program_ = &program;
        before_window = program.state;
        FakeWindowing::load_start_window(layout, program);
    }

    void register_exit_routine(std::function<void()> routine) override {
        FakeWindowing::register_exit_routine([this, routine] {
            window_open_at_exit = is_open(WindowId::main_window);
            routine();
            at_exit = program_->state;
        });
    }

    Program* program() const { return program_; }

    std::optional<ProgramState> before_window;
    std::optional<ProgramState> at_exit;
    bool window_open_at_exit = true;

  private:
    Program* program_ = nullptr;
};

bool is_released(const ProgramState& state) {
    return state.current_skin_head.empty() && state.slot_declarations.empty() &&
           state.slot_edit_boxes.empty() && state.slot_keys.empty() &&
           state.last_stylesheet.empty() && state.code_window_text.empty();
}

TEST(ProgramEntry, CallsThePlatformInOrderAndAnswersZero) {
    FakeWindowing fake;
    EXPECT_EQ(program_entry(fake), 0);
    std::vector<std::string> start_up;
    std::copy_if(fake.calls().begin(), fake.calls().end(), std::back_inserter(start_up),
                 [](const std::string& call) { return call != "apply_control_theme"; });
    EXPECT_EQ(start_up, (std::vector<std::string>{"initialise_platform", "register_exit_routine",
                                                  "load_start_window", "run_event_loop"}));
    EXPECT_EQ(fake.exit_routine_runs(), 0);
}

TEST(ProgramEntry, CreatesTheStateBeforeTheMainWindowAsItStarts) {
    WatchingPlatform fake;
    program_entry(fake);
    ASSERT_TRUE(fake.before_window.has_value());
    const ProgramState& state = *fake.before_window;
    EXPECT_EQ(state.slot_declarations, std::vector<std::string>(18));
    EXPECT_TRUE(state.slot_edit_boxes.empty());
    EXPECT_TRUE(state.slot_keys.empty());
    EXPECT_EQ(state.current_skin_head, "");
    EXPECT_EQ(state.last_stylesheet, "");
    EXPECT_EQ(state.code_window_text, "");
}

TEST(ProgramEntry, ShowsTheMainWindowWithTheTablesFilledAndTheFirstPreviewBuilt) {
    WatchingPlatform fake;
    program_entry(fake);
    ASSERT_NE(fake.program(), nullptr);
    const ProgramState& state = fake.program()->state;
    ASSERT_EQ(state.slot_keys.size(), 18u);
    ASSERT_EQ(state.slot_edit_boxes.size(), 18u);
    for (const ColourSlot& slot : SlotTable) {
        EXPECT_EQ(state.slot_keys[slot.position - 1], slot.key);
        EXPECT_EQ(state.slot_edit_boxes[slot.position - 1],
                  (ControlRef{WindowId::main_window, slot.key}));
    }
    EXPECT_EQ(state.current_skin_head, skin_head(BaseSkinId::sky_blue));
    EXPECT_EQ(state.last_stylesheet.substr(0, 16), ".skin-box-bd{}\r\n");
    EXPECT_EQ(state.code_window_text, "");
    EXPECT_EQ(fake.navigations().size(), 1u);
    EXPECT_TRUE(fake.is_open(WindowId::main_window));
}

// The state outlives program_entry: the platform runs the exit routine only
// after the entry routine has returned.
TEST(ProgramEntry, ReleasesTheStateOnceAfterTheWindowIsGone) {
    WatchingPlatform fake;
    fake.script_message_box_answers({message_box::answer_ok});
    fake.queue([&] { fake.request_close(WindowId::main_window); });
    EXPECT_EQ(program_entry(fake), 0);
    EXPECT_FALSE(fake.is_open(WindowId::main_window));
    EXPECT_EQ(fake.exit_routine_runs(), 0);

    fake.shut_down();
    fake.shut_down();
    EXPECT_EQ(fake.exit_routine_runs(), 1);
    EXPECT_FALSE(fake.window_open_at_exit);
    ASSERT_TRUE(fake.at_exit.has_value());
    EXPECT_TRUE(is_released(*fake.at_exit));
}

TEST(ProgramExit, ReleasesEveryTextAndTable) {
    FakeWindowing fake;
    Program program{fake};
    program.state.current_skin_head = "head";
    program.state.slot_declarations.assign(18, "color:red;");
    program.state.slot_edit_boxes.assign(18, ControlRef{WindowId::main_window, "s1"});
    program.state.slot_keys.assign(18, "s1");
    program.state.last_stylesheet = "sheet";
    program.state.code_window_text = "code";
    program_exit(program);
    EXPECT_TRUE(is_released(program.state));
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_TRUE(fake.message_boxes().empty());
}

}  // namespace
}  // namespace peiseqi::testing
