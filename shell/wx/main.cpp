// The program file: starts the toolkit, hands the platform to the entry
// routine and, once that has returned, runs the exit routine and winds down.
#include "shell/entry/program_entry.h"
#include "shell/wx/wx_platform.h"

int main(int argc, char** argv) {
    if (!peiseqi::wx::start_toolkit(argc, argv)) {
        return 1;
    }
    int status = 0;
    {
        peiseqi::wx::WxPlatform platform;
        status = peiseqi::program_entry(platform);
        platform.shut_down();
    }
    peiseqi::wx::stop_toolkit();
    return status;
}
