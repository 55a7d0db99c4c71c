// The real platform, observed: the first navigation, the end of its wait
// (the preview deletes its file then) and the entry into the event loop,
// which the entry routine reaches once the main window is shown with its
// first preview loaded. Entering the loop writes the moments to a
// descriptor and ends the process.
#pragma once

#include <array>
#include <cstdint>

#include "shell/windowing_services.h"

namespace peiseqi::bench {

// CLOCK_MONOTONIC readings in nanoseconds, in the order of a start.
struct Milestones {
    std::int64_t toolkit_started = 0;
    std::int64_t page_requested = 0;
    std::int64_t page_read = 0;
    std::int64_t shown = 0;
};

std::int64_t monotonic_ns();
// Writes the milestones, `shown` set to now.
void signal_ready(int fd, Milestones milestones);

class ObservedPlatform final : public WindowingServices {
  public:
    ObservedPlatform(WindowingServices& real, int ready_fd, Milestones& milestones)
        : real_(real), ready_fd_(ready_fd), milestones_(milestones) {}

    void initialise_platform() override { real_.initialise_platform(); }
    void register_exit_routine(std::function<void()> routine) override {
        real_.register_exit_routine(std::move(routine));
    }
    void load_start_window(const WindowLayout& layout, Program& program) override {
        real_.load_start_window(layout, program);
    }
    void run_event_loop() override;
    PropertyValue read_property(const ControlRef& control, PropertyId id) override {
        return real_.read_property(control, id);
    }
    void write_property(const ControlRef& control, PropertyId id,
                        const PropertyValue& value) override {
        real_.write_property(control, id, value);
    }
    bool load_window_modal(const WindowLayout& layout, Program& program) override {
        return real_.load_window_modal(layout, program);
    }
    int show_message_box(const std::string& text, int style, const std::string& title) override {
        return real_.show_message_box(text, style, title);
    }
    void open_with_shell(const std::string& target) override { real_.open_with_shell(target); }
    bool start_program(const std::string& program_file) override {
        return real_.start_program(program_file);
    }
    bool set_clipboard_text(const std::string& text) override {
        return real_.set_clipboard_text(text);
    }
    std::string run_directory() override { return real_.run_directory(); }
    std::string private_directory() override { return real_.private_directory(); }
    bool write_file(const std::string& name, std::string_view bytes) override {
        return real_.write_file(name, bytes);
    }
    bool delete_file(const std::string& name) override {
        if (milestones_.page_requested != 0 && milestones_.page_read == 0) {
            milestones_.page_read = monotonic_ns();
        }
        return real_.delete_file(name);
    }
    void pump_pending_events() override { real_.pump_pending_events(); }
    void browser_navigate(const ControlRef& view, const std::string& target) override {
        if (milestones_.page_requested == 0) {
            milestones_.page_requested = monotonic_ns();
        }
        real_.browser_navigate(view, target);
    }
    void apply_control_theme(int scheme) override { real_.apply_control_theme(scheme); }

  private:
    WindowingServices& real_;
    int ready_fd_;
    Milestones& milestones_;
};

}  // namespace peiseqi::bench
