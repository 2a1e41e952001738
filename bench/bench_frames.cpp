// One composed frame of every page, and of the whole frame cycle, drawn into a
// 128 x 160 framebuffer. The attitude page is measured in demo motion, at a
// steep bank with many rotated numbers in view, and on the sensor path.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/brightness_dialog.h"
#include "app/page_data.h"
#include "app/page_gmeter.h"
#include "app/page_runtime.h"
#include "app/page_timer.h"
#include "app/setup.h"
#include "app/splash.h"
#include "bench_unit.h"
#include "gfx/gfx.h"

namespace {

// ---- Module state ---------------------------------------------------------

uint32_t framebuffer[FB_PIXELS];

// ---- Private helpers ------------------------------------------------------

template <void (*Draw)(uint32_t*)>
void benchPage(benchmark::State& state) {
    unit::powerOn();
    for (auto _ : state) {
        Draw(framebuffer);
        benchmark::DoNotOptimize(framebuffer);
    }
}

void drawSplashPage(uint32_t* fb) { drawSplash(fb); }
void drawTimer1(uint32_t* fb) { timerDrawPage(fb, 0); }
void drawTimer2(uint32_t* fb) { timerDrawPage(fb, 1); }

// The attitude page at a fixed demo attitude (degrees).
void benchAttitudeAt(benchmark::State& state, float roll, float pitch) {
    bench::demoAttitude(roll, pitch);
    for (auto _ : state) {
        attitudeDrawPage(framebuffer);
        benchmark::DoNotOptimize(framebuffer);
    }
}

void BM_AttitudeLevel(benchmark::State& state) { benchAttitudeAt(state, 0.0f, 0.0f); }
void BM_AttitudeSteepBank(benchmark::State& state) {
    benchAttitudeAt(state, bench::STEEP_ROLL, bench::STEEP_PITCH);
}
void BM_AttitudeInverted(benchmark::State& state) {
    benchAttitudeAt(state, bench::INVERTED_ROLL, bench::INVERTED_PITCH);
}

// The demo motion advancing one step per frame, as the unit runs it.
void BM_AttitudeDemoMotion(benchmark::State& state) {
    bench::demoAttitude(0.0f, 0.0f);
    for (auto _ : state) {
        attitudeDrawPage(framebuffer);
        demoStep();
        benchmark::DoNotOptimize(framebuffer);
    }
}

// The sensor path with the pitch ramp of the simulated device and the status row.
void BM_AttitudeSensorsWithStatusRow(benchmark::State& state) {
    unit::powerOn();
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
    attitudePage.statusShown = 1;
    for (auto _ : state) {
        attitudeDrawPage(framebuffer);
        benchmark::DoNotOptimize(framebuffer);
    }
}

// One fast tick of the shell with the given page active: filter step, button
// decoder, the composed frame and its copy into the window picture.
void BM_HostFastTick(benchmark::State& state) {
    unit::powerOn();
    controllerShowPage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        hostFastTick();
        benchmark::DoNotOptimize(hostCanvas());
    }
}

// The frame cycle's drawing with the given page active.
void BM_RenderFrame(benchmark::State& state) {
    unit::powerOn();
    controllerShowPage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        renderFrame(framebuffer);
        demoStep();
        benchmark::DoNotOptimize(framebuffer);
    }
}

}  // namespace

BENCHMARK(benchPage<drawSplashPage>)->Name("Splash");
BENCHMARK(benchPage<dataDrawPage>)->Name("DataPage");
BENCHMARK(benchPage<runTimeDrawPage>)->Name("RunTimePage");
BENCHMARK(benchPage<drawTimer1>)->Name("Timer1Page");
BENCHMARK(benchPage<drawTimer2>)->Name("Timer2Page");
BENCHMARK(benchPage<gmeterDrawPage>)->Name("GMeterPage");
BENCHMARK(benchPage<setupDrawPage>)->Name("SetupMenu");
BENCHMARK(benchPage<drawBrightnessDialog>)->Name("BrightnessDialog");
BENCHMARK(BM_AttitudeLevel);
BENCHMARK(BM_AttitudeSteepBank);
BENCHMARK(BM_AttitudeInverted);
BENCHMARK(BM_AttitudeDemoMotion);
BENCHMARK(BM_AttitudeSensorsWithStatusRow);
BENCHMARK(BM_RenderFrame)->DenseRange(PAGE_SPLASH, PAGE_SETUP)->ArgName("page");
BENCHMARK(BM_HostFastTick)->Arg(PAGE_DATA)->Arg(PAGE_ATTITUDE)->ArgName("page");
