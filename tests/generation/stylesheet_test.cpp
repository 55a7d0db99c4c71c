#include <gtest/gtest.h>

#include <string>

#include "generation/colour_slots.h"
#include "generation/stylesheet.h"
#include "shell/gbk.h"
#include "slot_window.h"

namespace peiseqi::testing {
namespace {

class BuildStylesheet : public SlotWindowTest {};

TEST_F(BuildStylesheet, WithEverySlotUnsetKeepsTwentyEmptyBlocks) {
    const std::string expected =
        ".skin-box-bd{}\r\n"
        ".skin-box-bd .menu-list{}\r\n"
        ".skin-box-bd .menu-list .menu{}\r\n"
        ".skin-box-bd .menu-list .menu .link{}\r\n"
        ".skin-box-bd .menu-list .menu .link:hover{}\r\n"
        ".skin-box-bd .menu-list .menu .title{}\r\n"
        ".skin-box-bd .menu-list .menu .title:hover{}\r\n"
        ".all-cats\t{}\r\n"
        ".all-cats .link{}\r\n"
        ".all-cats .link:hover{}\r\n"
        ".all-cats .link .title{}\r\n"
        ".all-cats .link .title:hover{}\r\n"
        ".popup-content .popup-inner{}\r\n"
        ".popup-content .cat-name{}\r\n"
        ".popup-content .cat-name:hover{}\r\n"
        ".popup-inner .cats-tree .fst-cat{}\r\n"
        ".popup-inner .cats-tree .fst-cat:hover{}\r\n"
        ".snd-pop-inner {}\r\n"
        ".snd-pop-inner .fst-cat-bd .snd-cat-name{}\r\n"
        ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{}";
    EXPECT_EQ(build_stylesheet(program), expected);
    for (const std::string& declaration : program.state.slot_declarations) {
        EXPECT_EQ(declaration, "");
    }
}

// Each slot holds a value naming its position, so every placeholder of the
// template shows where it stands and whose it is.
TEST_F(BuildStylesheet, PutsEachSlotsDeclarationInPlaceOfEveryOccurrenceOfItsKey) {
    for (const ColourSlot& slot : SlotTable) {
        set_slot(slot.position, "#P" + std::to_string(slot.position));
    }
    const std::string expected =
        ".skin-box-bd{background:#P1;}\r\n"
        ".skin-box-bd .menu-list{background:#P1;}\r\n"
        ".skin-box-bd .menu-list .menu{background:#P1;}\r\n"
        ".skin-box-bd .menu-list .menu .link{background:#P1;color:#P2;border-right:1px solid "
        "#P3;}\r\n"
        ".skin-box-bd .menu-list .menu .link:hover{background:#P4;color:#P5;}\r\n"
        ".skin-box-bd .menu-list .menu .title{color:#P2;}\r\n"
        ".skin-box-bd .menu-list .menu .title:hover{color:#P5;}\r\n"
        ".all-cats\t{background:#P11;}\r\n"
        ".all-cats .link{background:#P11;color:#P12;}\r\n"
        ".all-cats .link:hover{background:#P13;color:#P14;}\r\n"
        ".all-cats .link .title{color:#P12;}\r\n"
        ".all-cats .link .title:hover{color:#P14;}\r\n"
        ".popup-content .popup-inner{background:#P6;}\r\n"
        ".popup-content .cat-name{color:#P7;background:#P6;}\r\n"
        ".popup-content .cat-name:hover{color:#P10;background:#P9;}\r\n"
        ".popup-inner .cats-tree .fst-cat{background:#P6;border-top:solid 1px #P8;}\r\n"
        ".popup-inner .cats-tree .fst-cat:hover{background:#P9;color:#P10;}\r\n"
        ".snd-pop-inner {background:#P15;}\r\n"
        ".snd-pop-inner .fst-cat-bd .snd-cat-name{color:#P16;background:#P15;}\r\n"
        ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{color:#P18;background:#P17;}";
    EXPECT_EQ(build_stylesheet(program), expected);
}

struct DeclarationCase {
    int position;
    std::string value;
    std::string declaration;
};

class SlotDeclaration : public SlotWindowTest,
                        public ::testing::WithParamInterface<DeclarationCase> {};

TEST_P(SlotDeclaration, IsPrefixValueAndSemicolon) {
    const DeclarationCase& c = GetParam();
    set_slot(c.position, c.value);
    build_stylesheet(program);
    ASSERT_EQ(program.state.slot_declarations.size(), 18u);
    EXPECT_EQ(program.state.slot_declarations[c.position - 1], c.declaration);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SlotDeclaration,
    ::testing::Values(DeclarationCase{3, "#000000", "border-right:1px solid #000000;"},
                      DeclarationCase{12, "#FF6600", "color:#FF6600;"},
                      DeclarationCase{8, "#123456", "border-top:solid 1px #123456;"},
                      DeclarationCase{1, " ", "background: ;"},
                      DeclarationCase{1, "#ff00aa", "background:#ff00aa;"},
                      DeclarationCase{18, "red", "color:red;"}, DeclarationCase{2, "", ""}));

TEST_F(BuildStylesheet, ReadsTheBoxesAfreshEachTime) {
    set_slot(1, "#FF0000");
    build_stylesheet(program);
    set_slot(1, "");
    EXPECT_EQ(line_of(build_stylesheet(program), 1), ".skin-box-bd{}");
    EXPECT_EQ(program.state.slot_declarations[0], "");
}

TEST_F(BuildStylesheet, LineFourWithTheNavigationColours) {
    set_slot(1, "#FF0000");
    set_slot(2, "#FFFFFF");
    set_slot(3, "#000000");
    EXPECT_EQ(line_of(build_stylesheet(program), 4),
              ".skin-box-bd .menu-list .menu .link{background:#FF0000;color:#FFFFFF;border-right:"
              "1px solid #000000;}");
    set_slot(1, "");
    EXPECT_EQ(line_of(build_stylesheet(program), 4),
              ".skin-box-bd .menu-list .menu .link{color:#FFFFFF;border-right:1px solid #000000;}");
}

TEST_F(BuildStylesheet, LinesFifteenAndSeventeenHoldTheSameTwoInOppositeOrder) {
    set_slot(9, "#333333");
    set_slot(10, "#FFFFFF");
    const std::string stylesheet = build_stylesheet(program);
    EXPECT_EQ(line_of(stylesheet, 15),
              ".popup-content .cat-name:hover{color:#FFFFFF;background:#333333;}");
    EXPECT_EQ(line_of(stylesheet, 17),
              ".popup-inner .cats-tree .fst-cat:hover{background:#333333;color:#FFFFFF;}");
}

// The declarations are all formed first, so a later key typed into a slot
// is met by that key's own replacement.
TEST_F(BuildStylesheet, ReplacesALaterKeyTypedIntoASlotInAnyCase) {
    for (const std::string typed : {"t12", "T12"}) {
        set_slot(1, typed);
        set_slot(12, "#00FF00");
        EXPECT_EQ(line_of(build_stylesheet(program), 1), ".skin-box-bd{background:color:#00FF00;;}")
            << typed;
    }
}

TEST_F(BuildStylesheet, KeepsAnEarlierKeyTypedIntoASlot) {
    set_slot(1, "#111111");
    set_slot(2, "s1");
    EXPECT_EQ(line_of(build_stylesheet(program), 6),
              ".skin-box-bd .menu-list .menu .title{color:s1;}");
}

TEST_F(BuildStylesheet, DoesNotTakeASecondByteForTheStartOfAKey) {
    set_slot(1, "\x81t12");
    set_slot(12, "#00FF00");
    EXPECT_EQ(line_of(build_stylesheet(program), 1), ".skin-box-bd{background:\x81t12;}");
}

TEST_F(BuildStylesheet, InsertsTypedGbkTextByteForByte) {
    // Chinese, and an emoji that only GB18030's four-byte form can hold.
    const std::string typed = gbk_from_utf8("红色 😀");
    ASSERT_EQ(typed, "\xBA\xEC\xC9\xAB \x94\x39\xFC\x36");
    set_slot(1, typed);
    EXPECT_EQ(line_of(build_stylesheet(program), 1), ".skin-box-bd{background:" + typed + ";}");
}

TEST(BuildStylesheetTables, ShortTablesGiveEmptyBlocksInsteadOfFaulting) {
    const WindowLayout layout = slot_window_layout();
    FakeWindowing fake;
    Program program{fake};
    fake.load_start_window(layout, program);
    program.state.slot_declarations.clear();
    EXPECT_EQ(line_of(build_stylesheet(program), 1), ".skin-box-bd{s1}");
    EXPECT_EQ(program.state.slot_declarations.size(), 18u);
}

}  // namespace
}  // namespace peiseqi::testing
