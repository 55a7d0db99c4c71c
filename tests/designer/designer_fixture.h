// The designer loaded on the in-memory platform, as start-up loads it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "designer/main_window.h"
#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/support_site.h"
#include "tests/support/fake_windowing.h"

namespace peiseqi::testing {

inline ControlRef in_main(std::string_view name) {
    return {WindowId::main_window, name};
}
inline ControlRef in_code(std::string_view name) {
    return {WindowId::code_window, name};
}

inline std::string gbk(std::string_view utf8) {
    return gbk_from_utf8(utf8);
}

inline std::string site_page(std::string_view path) {
    return gbk(std::string(support_site) + std::string(path));
}

// The whole generated stylesheet when only s1 holds #FF0000.
inline std::string stylesheet_with_red_s1() {
    return ".skin-box-bd{background:#FF0000;}\r\n"
           ".skin-box-bd .menu-list{background:#FF0000;}\r\n"
           ".skin-box-bd .menu-list .menu{background:#FF0000;}\r\n"
           ".skin-box-bd .menu-list .menu .link{background:#FF0000;}\r\n"
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
}

// The stylesheet of the all-empty design.
inline std::string empty_stylesheet() {
    std::string text = stylesheet_with_red_s1();
    const std::string red = "background:#FF0000;";
    for (auto at = text.find(red); at != std::string::npos; at = text.find(red)) {
        text.erase(at, red.size());
    }
    return text;
}

class Designer : public ::testing::Test {
  protected:
    explicit Designer(const std::string& run_directory_name = "run")
        : fake(run_directory_name), program(fake) {}

    void SetUp() override { fake.load_start_window(main_window_layout(), program); }

    bool preview_file_left() const { return std::filesystem::exists(fake.run_path() / "css.html"); }

    FakeWindowing fake;
    Program program;
};

}  // namespace peiseqi::testing
