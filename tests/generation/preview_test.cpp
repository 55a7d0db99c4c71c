#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "generation/preview.h"
#include "generation/stylesheet.h"
#include "shell/gbk.h"
#include "slot_window.h"

namespace peiseqi::testing {
namespace {

class Preview : public SlotWindowTest {
  protected:
    std::string run_name() { return fake.run_directory() + "/css.html"; }
    std::string private_name() { return fake.private_directory() + "/css.html"; }
    bool exists(const std::string& gbk_name) {
        return std::filesystem::exists(fake.path_of(gbk_name));
    }
    std::string expected_page(BaseSkinId skin) {
        Program copy{fake};
        copy.state = program.state;
        return skin_head(skin) + build_stylesheet(copy) + page_body();
    }
};

TEST_F(Preview, NavigatesToThePageBesideTheProgramAndDeletesItAfterwards) {
    set_slot(1, gbk_from_utf8("红色"));
    const std::string page = expected_page(BaseSkinId::sky_blue);
    select_skin(program, BaseSkinId::sky_blue);

    ASSERT_EQ(fake.navigations().size(), 1u);
    const Navigation& shown = fake.navigations()[0];
    EXPECT_EQ(shown.view, preview_view);
    EXPECT_EQ(shown.target, run_name());
    EXPECT_EQ(utf8_from_gbk(fake.run_directory()).find("run dir 运行") != std::string::npos, true);
    ASSERT_TRUE(shown.file_bytes.has_value());
    EXPECT_EQ(*shown.file_bytes, page);
    EXPECT_FALSE(exists(run_name()));
    EXPECT_NE(fake.ready_state(preview_view), ready::loading);
    EXPECT_TRUE(fake.message_boxes().empty());
}

TEST_F(Preview, RemembersTheStylesheetAloneAsTheLastOne) {
    set_slot(4, "#ABCDEF");
    select_skin(program, BaseSkinId::pink);
    Program copy{fake};
    copy.state = program.state;
    EXPECT_EQ(program.state.last_stylesheet, build_stylesheet(copy));
}

TEST_F(Preview, TwoPreviewsOfTheSameDesignWriteIdenticalFiles) {
    set_slot(7, "#00FF00");
    select_skin(program, BaseSkinId::goose_yellow);
    regenerate(program);
    ASSERT_EQ(fake.navigations().size(), 2u);
    EXPECT_EQ(fake.navigations()[0].file_bytes, fake.navigations()[1].file_bytes);
}

TEST_F(Preview, ChangingTheSkinChangesThePageButNotTheStylesheet) {
    set_slot(1, "#FF0000");
    select_skin(program, BaseSkinId::sky_blue);
    const std::string stylesheet = program.state.last_stylesheet;
    select_skin(program, BaseSkinId::black_white);
    EXPECT_EQ(program.state.last_stylesheet, stylesheet);
    EXPECT_EQ(program.state.current_skin_head, skin_head(BaseSkinId::black_white));
    EXPECT_EQ(fake.text(slot_box(1)), "#FF0000");
    ASSERT_EQ(fake.navigations().size(), 2u);
    EXPECT_NE(fake.navigations()[0].file_bytes, fake.navigations()[1].file_bytes);
}

struct JoinCase {
    BaseSkinId skin;
    std::string_view join;
};

class PreviewJoin : public Preview, public ::testing::WithParamInterface<JoinCase> {};

// The first generated rule follows the head's last rule on the same line, or
// after an empty line for the form-B skins.
TEST_P(PreviewJoin, JoinsTheHeadAndTheFirstRuleAsTheHeadEnds) {
    select_skin(program, GetParam().skin);
    ASSERT_EQ(fake.navigations().size(), 1u);
    const std::string& page = *fake.navigations()[0].file_bytes;
    const std::string& head = skin_head(GetParam().skin);
    EXPECT_EQ(page.substr(head.size() - GetParam().join.size(),
                          GetParam().join.size() + std::string_view(".skin-box-bd{}").size()),
              std::string(GetParam().join) + ".skin-box-bd{}");
}

INSTANTIATE_TEST_SUITE_P(Skins, PreviewJoin,
                         ::testing::Values(JoinCase{BaseSkinId::sky_blue, "#050505; }"},
                                           JoinCase{BaseSkinId::black_white, "#050505;}"},
                                           JoinCase{BaseSkinId::grass_green, "#050505;}\r\n\r\n"},
                                           JoinCase{BaseSkinId::pink, "#050505;}\r\n\r\n"},
                                           JoinCase{BaseSkinId::goose_yellow,
                                                    "#050505;}\r\n\r\n"}));

TEST_F(Preview, WaitsWhileTheViewLoadsAndRunsWaitingEventsMeanwhile) {
    fake.set_pumps_per_load(3);
    int ran_during_wait = 0;
    fake.queue([&] { ran_during_wait = exists(run_name()) ? 1 : -1; });
    regenerate(program);
    EXPECT_EQ(ran_during_wait, 1);
    EXPECT_EQ(fake.ready_state(preview_view), ready::complete);
    EXPECT_FALSE(exists(run_name()));
}

// A colour picked while the preview waits runs a whole preview of its own
// inside the wait; the newest design is the one remembered.
TEST_F(Preview, ANestedRegenerateCompletesFirstAndItsStylesheetWins) {
    fake.set_pumps_per_load(2);
    bool nested_done = false;
    fake.queue([&] {
        set_slot(1, "#FF0000");
        regenerate(program);
        nested_done = true;
        EXPECT_FALSE(exists(run_name()));
        EXPECT_EQ(fake.navigations().size(), 2u);
    });
    select_skin(program, BaseSkinId::sky_blue);

    EXPECT_TRUE(nested_done);
    ASSERT_EQ(fake.navigations().size(), 2u);
    EXPECT_EQ(fake.navigations()[0].file_bytes->find("#FF0000"), std::string::npos);
    EXPECT_NE(fake.navigations()[1].file_bytes->find("{background:#FF0000;}"), std::string::npos);
    EXPECT_EQ(line_of(program.state.last_stylesheet, 1), ".skin-box-bd{background:#FF0000;}");
    EXPECT_FALSE(exists(run_name()));
}

// An install in a directory the user cannot write to still shows the
// current design, from the user's private directory.
TEST_F(Preview, AFailedWriteUsesThePrivateDirectoryForWriteNavigationAndDelete) {
    fake.fail_writes_under(fake.run_directory());
    set_slot(2, "#0000FF");
    const std::string page = expected_page(BaseSkinId::sky_blue);
    select_skin(program, BaseSkinId::sky_blue);

    ASSERT_EQ(fake.navigations().size(), 1u);
    const Navigation& shown = fake.navigations()[0];
    EXPECT_EQ(shown.target, private_name());
    EXPECT_NE(shown.target.rfind(fake.run_directory() + "/", 0), 0u);
    ASSERT_TRUE(shown.file_bytes.has_value());
    EXPECT_EQ(*shown.file_bytes, page);
    EXPECT_FALSE(exists(private_name()));
    EXPECT_FALSE(exists(run_name()));
    EXPECT_EQ(line_of(program.state.last_stylesheet, 6),
              ".skin-box-bd .menu-list .menu .title{color:#0000FF;}");
    EXPECT_TRUE(fake.message_boxes().empty());
}

TEST_F(Preview, WhenNoWriteSucceedsAnOlderPageIsNotShown) {
    const std::string stale = private_name();
    std::ofstream(fake.path_of(stale), std::ios::binary) << "an older page";
    fake.fail_writes_under(fake.run_directory());
    fake.fail_writes_under(fake.private_directory());
    regenerate(program);

    ASSERT_EQ(fake.navigations().size(), 1u);
    EXPECT_EQ(fake.navigations()[0].file_bytes, std::nullopt);
    EXPECT_NE(program.state.last_stylesheet, "");
    EXPECT_TRUE(fake.message_boxes().empty());
}

TEST_F(Preview, EndsTheWaitWhenTheWindowIsGone) {
    fake.set_pumps_per_load(1000000);
    fake.queue([&] { fake.request_close(WindowId::main_window); });
    regenerate(program);
    EXPECT_FALSE(fake.is_open(WindowId::main_window));
    EXPECT_FALSE(exists(run_name()));
}

}  // namespace
}  // namespace peiseqi::testing
