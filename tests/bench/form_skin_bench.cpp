// What the skin costs the lookup program's main window under Wine, all in one
// run: one frame paint of the skinned window; a full repaint (frame and every
// child) skinned against the same window after the skin was switched off; and
// start-up to the first painted window, skinned (the frame and menus alone,
// and the whole window with its controls) against with the skin component
// inactive, interleaving the kinds so that all see the same caches.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "tests/bench/WinBench.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/Object.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <array>
#include <vector>

namespace {

constexpr double FramePaintGoal = 300.0;
constexpr double RepaintRatioGoal = 2.0;
constexpr double StartUpRatioGoal = 1.3;

using winbench::Fastest;
using winbench::Median;
using winbench::Pump;
using winbench::PumpUntil;
using winbench::TStopwatch;

bool IsSkinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }

// Starts the two windows as the program does and shows the main one; the
// time runs until the main window has been painted (and, skinned, wears its
// frame) with no message left waiting.
// What a start-up skins: nothing, the frame and menus alone (the controls
// keep the system's look), or the whole window.
enum class TStartKind { Plain, FrameOnly, Whole };

double StartUpMicroseconds(TStartKind kind)
{
    const bool skinned = kind != TStartKind::Plain;
    const TStopwatch watch;
    Application->CreateForm(Form1);
    if (!skinned)
        Form1->SkinData1->SetActive(false);
    if (kind == TStartKind::FrameOnly)
        Form1->SkinData1->SkinControls = TSkinControlTypes{xcMainMenu, xcPopupMenu, xcMenuItem, xcSystemMenu};
    Application->CreateForm(Form2);
    Form1->Show();
    const HWND window = Form1->Handle();
    UpdateWindow(window);
    if (skinned) {
        if (!PumpUntil([window] { return IsSkinned(window); }, 3000))
            throw std::runtime_error("the main window did not get its skin");
    } else {
        Application->ProcessMessages();
    }
    GdiFlush();
    const double elapsed = watch.Microseconds();
    if (IsSkinned(window) != skinned)
        throw std::runtime_error(skinned ? "the main window lost its skin" : "the inactive skin still skinned the window");
    return elapsed;
}

// Frees both windows and the skin manager, so that the next start-up begins
// as the program's own does.
void CloseWindows()
{
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    Pump(20);
    FreeSkinManager();
    Pump(20);
}

std::vector<double> FramePaints(HWND window, int runs)
{
    for (int i = 0; i < 20; ++i)
        SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    GdiFlush();
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const TStopwatch watch;
        SendMessageA(window, SKM_PAINTFRAME, 0, 0);
        GdiFlush();
        samples.push_back(watch.Microseconds());
    }
    return samples;
}

// Adds the times of runs full repaints of the window, frame and every child, to samples.
void AddFullRepaints(HWND window, int runs, std::vector<double>& samples)
{
    constexpr UINT everything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (int i = 0; i < 5; ++i)
        RedrawWindow(window, nullptr, nullptr, everything);
    Application->ProcessMessages();
    for (int i = 0; i < runs; ++i) {
        const TStopwatch watch;
        RedrawWindow(window, nullptr, nullptr, everything);
        GdiFlush();
        samples.push_back(watch.Microseconds());
        Application->ProcessMessages();
    }
}

// Switches the main window's skin on or off and waits until the manager,
// which defers the switch by its timer, has done it.
void SetSkinned(HWND window, bool skinned)
{
    Form1->SkinData1->SetActive(skinned);
    if (!PumpUntil([window, skinned] { return IsSkinned(window) == skinned; }, 3000))
        throw std::runtime_error(skinned ? "the main window did not get its skin back" : "the main window kept its skin");
    Pump(150);
}

const char* Verdict(bool met) { return met ? "met" : "NOT met"; }

void Run()
{
    // The first start-up of each kind pays for loading code and resources once.
    constexpr std::array kinds{TStartKind::Plain, TStartKind::FrameOnly, TStartKind::Whole};
    for (const TStartKind kind : kinds) {
        StartUpMicroseconds(kind);
        CloseWindows();
    }
    constexpr int rounds = 15;
    std::array<std::vector<double>, kinds.size()> starts;
    for (int round = 0; round < rounds; ++round) {
        // Each kind takes each place in the round in turn.
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const std::size_t k = (i + static_cast<std::size_t>(round)) % kinds.size();
            starts[k].push_back(StartUpMicroseconds(kinds[k]));
            CloseWindows();
        }
    }
    const std::vector<double>& plainStarts = starts[0];
    const std::vector<double>& skinnedStarts = starts[1];
    const std::vector<double>& wholeStarts = starts[2];

    StartUpMicroseconds(TStartKind::Whole);
    const HWND window = Form1->Handle();
    Pump(100);
    constexpr int paintRuns = 200;
    const std::vector<double> framePaints = FramePaints(window, paintRuns);
    // The skin is switched off and on between blocks of repaints, so that a
    // change in the machine's load falls on both kinds alike.
    constexpr int repaintBlocks = 10;
    constexpr int repaintBlockRuns = 10;
    constexpr int repaintRuns = repaintBlocks * repaintBlockRuns;
    std::vector<double> skinnedRepaints;
    std::vector<double> plainRepaints;
    for (int block = 0; block < repaintBlocks; ++block) {
        for (const bool skinned : {true, false}) {
            SetSkinned(window, skinned);
            AddFullRepaints(window, repaintBlockRuns, skinned ? skinnedRepaints : plainRepaints);
        }
    }
    CloseWindows();

    const double skinnedRepaint = Median(skinnedRepaints);
    const double plainRepaint = Median(plainRepaints);
    const double framePaint = Median(framePaints);
    const double startSkinned = Median(skinnedStarts);
    const double startPlain = Median(plainStarts);
    const double repaintRatio = skinnedRepaint / plainRepaint;
    const double startRatio = startSkinned / startPlain;
    // Other processes share the machine: the fastest sample of each kind is
    // the one least disturbed by them, printed beside the medians.
    std::printf("lookup program's main window, 521 x 331 client area, default skin\n");
    std::printf("frame paint median: %.1f us (of %d, fastest %.1f us; goal under %.0f us: %s)\n", framePaint,
                paintRuns, Fastest(framePaints), FramePaintGoal, Verdict(framePaint < FramePaintGoal));
    std::printf("full repaint skinned/unskinned: %.2f (skinned %.0f us, unskinned %.0f us, medians of %d in %d "
                "alternating blocks; fastest %.0f us / %.0f us = %.2f; goal at most %.1f: %s)\n",
                repaintRatio, skinnedRepaint, plainRepaint, repaintRuns, repaintBlocks, Fastest(skinnedRepaints),
                Fastest(plainRepaints), Fastest(skinnedRepaints) / Fastest(plainRepaints), RepaintRatioGoal,
                Verdict(repaintRatio <= RepaintRatioGoal));
    std::printf("start-up frame-skinned/unskinned: %.2f (frame and menus skinned %.0f us, unskinned %.0f us, medians "
                "of %d interleaved; fastest %.0f us / %.0f us = %.2f; goal at most %.1f: %s)\n",
                startRatio, startSkinned, startPlain, rounds, Fastest(skinnedStarts), Fastest(plainStarts),
                Fastest(skinnedStarts) / Fastest(plainStarts), StartUpRatioGoal, Verdict(startRatio <= StartUpRatioGoal));
    const double startWhole = Median(wholeStarts);
    std::printf("start-up whole-window-skinned/unskinned: %.2f (every control skinned too %.0f us; fastest %.0f us / "
                "%.0f us = %.2f)\n",
                startWhole / startPlain, startWhole, Fastest(wholeStarts), Fastest(plainStarts),
                Fastest(wholeStarts) / Fastest(plainStarts));
}

} // namespace

int main()
{
    try {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
        Application->SetTitle("Zelvorin");
        Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "form_skin_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
