// The pure work of one colour change: building the stylesheet from the
// eighteen boxes, the substitution it is made of, and the preview on the
// in-memory platform substitute (its file written, read back by the
// substitute's navigation and deleted, as the desktop preview does).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "generation/stylesheet.h"
#include "shell/program.h"
#include "shell/window_layout.h"
#include "tests/support/fake_windowing.h"

namespace {

using peiseqi::ControlRef;
using peiseqi::Program;
using peiseqi::WindowId;
using peiseqi::testing::FakeWindowing;

// Only what the builder and the preview reach: the eighteen slot boxes and
// the preview view. No handlers, so the figures hold our own work alone.
const peiseqi::WindowLayout& bench_window() {
    static const peiseqi::WindowLayout layout = [] {
        peiseqi::WindowLayout built;
        built.id = WindowId::main_window;
        for (const peiseqi::ColourSlot& slot : peiseqi::SlotTable) {
            built.controls.push_back(
                {slot.key, peiseqi::ControlKind::edit_box, {}, {}, {}, {}, {}});
        }
        built.controls.push_back(
            {"互联网浏览器1", peiseqi::ControlKind::browser_view, {}, {}, {}, {}, {}});
        return built;
    }();
    return layout;
}

// The program as the main window's creation leaves it: slot tables filled,
// the sky-blue head current.
struct Designer {
    FakeWindowing platform;
    Program program{platform};

    Designer() {
        platform.load_start_window(bench_window(), program);
        for (const peiseqi::ColourSlot& slot : peiseqi::SlotTable) {
            program.state.slot_edit_boxes.push_back(ControlRef{WindowId::main_window, slot.key});
            program.state.slot_keys.emplace_back(slot.key);
        }
        program.state.current_skin_head = peiseqi::skin_head(peiseqi::BaseSkinId::sky_blue);
    }

    // A distinct picked colour in every slot, as after eighteen choices.
    void set_every_slot() {
        for (const peiseqi::ColourSlot& slot : peiseqi::SlotTable) {
            char text[8];
            std::snprintf(text, sizeof text, "#%02X%02X%02X", slot.position * 13,
                          255 - slot.position * 7, slot.position * 5);
            platform.write_property(ControlRef{WindowId::main_window, slot.key},
                                    peiseqi::property::text, std::string(text));
        }
    }
};

void build_stylesheet_all_empty(benchmark::State& state) {
    Designer designer;
    for (auto _ : state) {
        std::string stylesheet = peiseqi::build_stylesheet(designer.program);
        benchmark::DoNotOptimize(stylesheet);
    }
}
BENCHMARK(build_stylesheet_all_empty);

void build_stylesheet_all_set(benchmark::State& state) {
    Designer designer;
    designer.set_every_slot();
    for (auto _ : state) {
        std::string stylesheet = peiseqi::build_stylesheet(designer.program);
        benchmark::DoNotOptimize(stylesheet);
    }
}
BENCHMARK(build_stylesheet_all_set);

// One pair, as the builder calls it: s1 stands four times in the template.
void replace_pairs_template_one_pair(benchmark::State& state) {
    const std::string template_text(peiseqi::StylesheetTemplate);
    for (auto _ : state) {
        std::string result = peiseqi::replace_pairs(template_text, "s1", "background:#FF0000;");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(template_text.size()));
}
BENCHMARK(replace_pairs_template_one_pair);

// All five pairs, each over the previous pair's output.
void replace_pairs_template_five_pairs(benchmark::State& state) {
    const std::string template_text(peiseqi::StylesheetTemplate);
    for (auto _ : state) {
        std::string result = peiseqi::replace_pairs(
            template_text, "s1", "background:#FF0000;", "s2", "color:#FFFFFF;", "s3",
            "border-right:1px solid #000000;", "s4", "background:#00FF00;", "s5", "color:#0000FF;");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 5 *
                            static_cast<std::int64_t>(template_text.size()));
}
BENCHMARK(replace_pairs_template_five_pairs);

// The substitute keeps every navigation with the bytes it read, so a run is
// held to a fixed count to keep that record small.
void show_preview_on_substitute(benchmark::State& state) {
    Designer designer;
    designer.set_every_slot();
    const std::string stylesheet = peiseqi::build_stylesheet(designer.program);
    for (auto _ : state) {
        peiseqi::show_preview(designer.program, stylesheet);
    }
    state.SetLabel("file write, navigation, wait, delete");
}
BENCHMARK(show_preview_on_substitute)->Iterations(5000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
