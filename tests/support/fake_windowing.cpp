#include "tests/support/fake_windowing.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "shell/gbk.h"

namespace peiseqi::testing {
namespace {

std::filesystem::path make_temp_root() {
    std::string pattern = (std::filesystem::temp_directory_path() / "peiseqi-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool starts_with(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

FakeWindowing::FakeWindowing(const std::string& run_directory_name)
    : temp_root_(make_temp_root()),
      run_path_(temp_root_ / std::filesystem::path(run_directory_name)) {
    std::filesystem::create_directories(run_path_);
}

FakeWindowing::~FakeWindowing() {
    std::error_code ignored;
    std::filesystem::remove_all(temp_root_, ignored);
}

// ----- the platform -----

void FakeWindowing::initialise_platform() {
    calls_.emplace_back("initialise_platform");
}

void FakeWindowing::register_exit_routine(std::function<void()> routine) {
    calls_.emplace_back("register_exit_routine");
    exit_routine_ = std::move(routine);
}

void FakeWindowing::load_start_window(const WindowLayout& layout, Program& program) {
    calls_.emplace_back("load_start_window");
    create_window(layout, program);
}

void FakeWindowing::run_event_loop() {
    calls_.emplace_back("run_event_loop");
    while (!windows_.empty() && run_one_queued()) {
    }
}

PropertyValue FakeWindowing::read_property(const ControlRef& ref, PropertyId id) {
    const Control* c = control(ref);
    if (c == nullptr || c->row == nullptr) {
        return 0;
    }
    switch (c->row->kind) {
        case ControlKind::edit_box:
            if (id == property::text) {
                return c->text;
            }
            break;
        case ControlKind::colour_picker:
            if (id == property::colour) {
                return c->colour;
            }
            break;
        case ControlKind::radio_button:
            if (id == property::checked) {
                return c->checked;
            }
            break;
        case ControlKind::browser_view:
            if (id == property::ready_state) {
                return c->ready_state;
            }
            break;
        default:
            break;
    }
    return 0;
}

void FakeWindowing::write_property(const ControlRef& ref, PropertyId id,
                                   const PropertyValue& value) {
    Control* c = control(ref);
    if (c == nullptr || c->row == nullptr) {
        return;
    }
    const ControlKind kind = c->row->kind;
    if (kind == ControlKind::edit_box && id == property::text) {
        if (const auto* text = std::get_if<std::string>(&value)) {
            c->text = *text;
        }
    } else if (kind == ControlKind::edit_box && id == property::background_colour) {
        if (const auto* colour = std::get_if<Colour>(&value)) {
            c->background = *colour;
        }
    } else if (kind == ControlKind::colour_picker && id == property::colour) {
        if (const auto* colour = std::get_if<Colour>(&value)) {
            c->colour = *colour;
        }
    } else if (kind == ControlKind::radio_button && id == property::checked) {
        if (const auto* on = std::get_if<bool>(&value)) {
            set_checked(ref, *on);
        }
    }
}

bool FakeWindowing::load_window_modal(const WindowLayout& layout, Program& program) {
    calls_.emplace_back("load_window_modal");
    std::map<WindowId, bool> enabled_before;
    for (auto& [id, w] : windows_) {
        enabled_before[id] = w.enabled;
        w.enabled = false;
    }
    create_window(layout, program);
    // The nested loop: queued actions run until the window closes; when
    // nothing is left to do the user closes it.
    while (is_open(layout.id)) {
        if (!run_one_queued()) {
            request_close(layout.id);
        }
    }
    for (auto& [id, was_enabled] : enabled_before) {
        if (Window* w = window(id)) {
            w->enabled = was_enabled;
        }
    }
    return true;
}

int FakeWindowing::show_message_box(const std::string& text, int style, const std::string& title) {
    // The box blocks every window of the program while it is shown.
    std::map<WindowId, bool> enabled_before;
    for (auto& [id, w] : windows_) {
        enabled_before[id] = w.enabled;
        w.enabled = false;
    }
    std::vector<std::function<void()>> during;
    during.swap(during_message_box_);
    for (auto& action : during) {
        action();
    }
    for (auto& [id, was_enabled] : enabled_before) {
        if (Window* w = window(id)) {
            w->enabled = was_enabled;
        }
    }
    int answer = message_box::answer_ok;
    if (!message_box_answers_.empty()) {
        answer = message_box_answers_.front();
        message_box_answers_.pop_front();
    }
    // A box with OK alone answers OK however it is closed.
    if ((style & 0x0F) == message_box::ok_only) {
        answer = message_box::answer_ok;
    }
    message_boxes_.push_back({text, style, title, answer});
    return answer;
}

void FakeWindowing::open_with_shell(const std::string& target) {
    shell_opens_.push_back(target);
}

bool FakeWindowing::start_program(const std::string& program_file) {
    programs_started_.push_back(program_file);
    return false;
}

bool FakeWindowing::set_clipboard_text(const std::string& text) {
    if (clipboard_fails_) {
        return false;
    }
    clipboard_ = text;
    return true;
}

std::string FakeWindowing::run_directory() {
    return gbk_from_utf8(run_path_.string());
}

std::string FakeWindowing::private_directory() {
    if (private_path_.empty()) {
        std::string pattern = (temp_root_ / "private-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return {};
        }
        private_path_ = pattern;
    }
    return gbk_from_utf8(private_path_.string());
}

bool FakeWindowing::write_file(const std::string& name, std::string_view bytes) {
    if (name.empty()) {
        return false;
    }
    for (const std::string& prefix : failing_prefixes_) {
        if (starts_with(name, prefix)) {
            return false;
        }
    }
    std::ofstream out(path_of(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool FakeWindowing::delete_file(const std::string& name) {
    std::error_code error;
    return std::filesystem::remove(path_of(name), error);
}

void FakeWindowing::pump_pending_events() {
    // Only what is waiting now runs; what those actions queue waits for the
    // next pump, as with a real event queue.
    for (size_t waiting = queue_.size(); waiting > 0 && !queue_.empty(); --waiting) {
        run_one_queued();
    }
    for (auto& [id, w] : windows_) {
        for (auto& [name, c] : w.controls) {
            if (c.ready_state == ready::loading && --c.pumps_left <= 0) {
                c.ready_state = ready::complete;
            }
        }
    }
}

void FakeWindowing::browser_navigate(const ControlRef& view, const std::string& target) {
    Control* c = control(view);
    if (c == nullptr || c->row == nullptr || c->row->kind != ControlKind::browser_view) {
        return;
    }
    c->ready_state = ready::loading;
    c->pumps_left = pumps_per_load_;
    navigations_.push_back({view, target, read_whole_file(path_of(target))});
}

void FakeWindowing::apply_control_theme(int scheme) {
    calls_.emplace_back("apply_control_theme");
    theme_scheme_ = scheme;
}

// ----- acting as the user -----

void FakeWindowing::click(const ControlRef& ref) {
    move_focus(ref);
    const Control* c = control(ref);
    if (c == nullptr || !window(ref.window)->enabled) {
        return;
    }
    if (c->row->kind == ControlKind::radio_button) {
        set_checked(ref, true);
    }
    fire(ref, EventKind::clicked);
}

void FakeWindowing::choose_colour(const ControlRef& picker, Colour colour) {
    move_focus(picker);
    Control* c = control(picker);
    if (c == nullptr || !window(picker.window)->enabled) {
        return;
    }
    c->colour = colour;
    fire(picker, EventKind::colour_chosen);
}

void FakeWindowing::type_text(const ControlRef& box, const std::string& gbk) {
    move_focus(box);
    Control* c = control(box);
    if (c == nullptr || !window(box.window)->enabled || c->row->settings.read_only) {
        return;
    }
    c->text = gbk;
}

void FakeWindowing::move_focus(std::optional<ControlRef> to) {
    if (to && (control(*to) == nullptr || !window(to->window)->enabled)) {
        return;  // a disabled window takes no focus
    }
    if (focus_ == to) {
        return;
    }
    const std::optional<ControlRef> losing = focus_;
    focus_ = to;
    if (losing) {
        const Control* c = control(*losing);
        if (c != nullptr && c->row->kind == ControlKind::edit_box) {
            fire(*losing, EventKind::lost_focus);
        }
    }
}

bool FakeWindowing::request_close(WindowId id) {
    // A window disabled behind a modal window or a message box takes no input.
    if (!is_open(id) || !window(id)->enabled) {
        return false;
    }
    if (!fire(ControlRef{id, {}}, EventKind::may_close)) {
        return false;
    }
    destroy_window(id);
    return true;
}

bool FakeWindowing::right_click(const ControlRef& view) {
    return fire(view, EventKind::context_menu_requested);
}

// ----- scripting -----

void FakeWindowing::queue(std::function<void()> action) {
    queue_.push_back(std::move(action));
}

void FakeWindowing::script_message_box_answers(std::vector<int> answers) {
    message_box_answers_.insert(message_box_answers_.end(), answers.begin(), answers.end());
}

void FakeWindowing::script_during_message_box(std::function<void()> action) {
    during_message_box_.push_back(std::move(action));
}

void FakeWindowing::shut_down() {
    if (exit_routine_) {
        auto routine = std::move(exit_routine_);
        exit_routine_ = nullptr;
        ++exit_routine_runs_;
        routine();
    }
}

// ----- what happened -----

bool FakeWindowing::is_open(WindowId id) const {
    return windows_.count(id) != 0;
}

bool FakeWindowing::window_enabled(WindowId id) const {
    const Window* w = window(id);
    return w != nullptr && w->enabled;
}

std::string FakeWindowing::text(const ControlRef& ref) const {
    const Control* c = control(ref);
    return c ? c->text : std::string{};
}

Colour FakeWindowing::colour(const ControlRef& ref) const {
    const Control* c = control(ref);
    return c ? c->colour : 0;
}

Colour FakeWindowing::background(const ControlRef& ref) const {
    const Control* c = control(ref);
    return c ? c->background : 0;
}

bool FakeWindowing::checked(const ControlRef& ref) const {
    const Control* c = control(ref);
    return c && c->checked;
}

int FakeWindowing::ready_state(const ControlRef& ref) const {
    const Control* c = control(ref);
    return c ? c->ready_state : ready::uninitialised;
}

const WindowLayout* FakeWindowing::layout_of(WindowId id) const {
    const Window* w = window(id);
    return w ? w->layout : nullptr;
}

std::filesystem::path FakeWindowing::path_of(const std::string& gbk_name) const {
    return std::filesystem::path(utf8_from_gbk(gbk_name));
}

// ----- inside -----

FakeWindowing::Window* FakeWindowing::window(WindowId id) {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

const FakeWindowing::Window* FakeWindowing::window(WindowId id) const {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

FakeWindowing::Control* FakeWindowing::control(const ControlRef& ref) {
    Window* w = window(ref.window);
    if (w == nullptr) {
        return nullptr;
    }
    const auto it = w->controls.find(ref.control);
    return it == w->controls.end() ? nullptr : &it->second;
}

const FakeWindowing::Control* FakeWindowing::control(const ControlRef& ref) const {
    const Window* w = window(ref.window);
    if (w == nullptr) {
        return nullptr;
    }
    const auto it = w->controls.find(ref.control);
    return it == w->controls.end() ? nullptr : &it->second;
}

void FakeWindowing::create_window(const WindowLayout& layout, Program& program) {
    Window& w = windows_[layout.id];
    w = Window{};
    w.layout = &layout;
    w.program = &program;
    for (const ControlSpec& row : layout.controls) {
        Control& c = w.controls[row.name];
        c.row = &row;
        c.colour = row.settings.initial_colour;
        if (row.kind == ControlKind::edit_box) {
            c.text = row.caption;  // an edit box's caption is its initial text
        }
    }
    fire(ControlRef{layout.id, {}}, EventKind::created);
}

void FakeWindowing::destroy_window(WindowId id) {
    if (focus_ && focus_->window == id) {
        focus_.reset();  // a destroyed control fires nothing
    }
    windows_.erase(id);
}

bool FakeWindowing::fire(const ControlRef& ref, EventKind event) {
    Window* w = window(ref.window);
    if (w == nullptr) {
        return true;
    }
    const Binding* binding = find_binding(*w->layout, ref.control, event);
    if (binding == nullptr) {
        return true;
    }
    return dispatch(*binding, *w->program);
}

void FakeWindowing::set_checked(const ControlRef& ref, bool on) {
    Control* c = control(ref);
    if (c == nullptr) {
        return;
    }
    if (on) {
        // Radio buttons sharing a container form one group.
        for (auto& [name, other] : window(ref.window)->controls) {
            if (other.row->kind == ControlKind::radio_button &&
                other.row->container == c->row->container) {
                other.checked = false;
            }
        }
    }
    c->checked = on;
}

bool FakeWindowing::run_one_queued() {
    if (queue_.empty()) {
        return false;
    }
    auto action = std::move(queue_.front());
    queue_.pop_front();
    action();
    return true;
}

}  // namespace peiseqi::testing
