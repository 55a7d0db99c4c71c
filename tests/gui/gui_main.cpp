// The GUI tests' own main: wx starts once for the whole binary.
#include <gtest/gtest.h>

#include "shell/wx/wx_platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!peiseqi::wx::start_toolkit(argc, argv)) {
        return 2;
    }
    const int status = RUN_ALL_TESTS();
    peiseqi::wx::stop_toolkit();
    return status;
}
