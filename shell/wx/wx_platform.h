// The windowing services on wxWidgets (GTK 3) with WebKit2GTK browser
// views. The toolkit must be started (start_toolkit) before one is made.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/windowing_services.h"
#include "shell/wx/control_theme.h"

namespace peiseqi::wx {

class TopWindow;

class WxPlatform final : public WindowingServices {
  public:
    WxPlatform() = default;
    ~WxPlatform() override;
    WxPlatform(const WxPlatform&) = delete;
    WxPlatform& operator=(const WxPlatform&) = delete;

    void initialise_platform() override;
    void register_exit_routine(std::function<void()> routine) override;
    void load_start_window(const WindowLayout& layout, Program& program) override;
    void run_event_loop() override;
    PropertyValue read_property(const ControlRef& control, PropertyId id) override;
    void write_property(const ControlRef& control, PropertyId id,
                        const PropertyValue& value) override;
    bool load_window_modal(const WindowLayout& layout, Program& program) override;
    int show_message_box(const std::string& text, int style, const std::string& title) override;
    void open_with_shell(const std::string& target) override;
    bool start_program(const std::string& program_file) override;
    bool set_clipboard_text(const std::string& text) override;
    std::string run_directory() override;
    std::string private_directory() override;
    bool write_file(const std::string& name, std::string_view bytes) override;
    bool delete_file(const std::string& name) override;
    void pump_pending_events() override;
    void browser_navigate(const ControlRef& view, const std::string& target) override;
    void apply_control_theme(int scheme) override;

    // After the entry routine has returned: the exit routine runs once and
    // the private directory goes.
    void shut_down();
    // The loaded window, or nullptr; for tests that look at the real widgets.
    TopWindow* window(WindowId id) const;

  private:
    struct Loaded {
        TopWindow* top = nullptr;
        Program* program = nullptr;
    };
    struct ModalWait {
        bool closed = false;
        void* loop = nullptr;
    };

    TopWindow* build(const WindowLayout& layout, Program& program);
    bool fire(WindowId window, std::string_view control, EventKind event);
    void window_closed(WindowId id, TopWindow* top);
    void window_destroyed(WindowId id, TopWindow* top);
    void destroy_deferred();

    std::map<WindowId, Loaded> windows_;
    std::vector<TopWindow*> closing_;
    std::set<TopWindow*> alive_;
    std::map<TopWindow*, ModalWait*> modal_waits_;
    std::function<void()> exit_routine_;
    bool exit_routine_ran_ = false;
    std::string run_directory_;  // UTF-8
    std::string private_directory_;
    int handlers_running_ = 0;
    ControlTheme theme_;
};

// wx's own start and end around everything else, once per process.
bool start_toolkit(int& argc, char** argv);
void stop_toolkit();

}  // namespace peiseqi::wx
