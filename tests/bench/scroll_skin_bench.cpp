// What skinned scroll bars cost the lookup program's result list under Wine,
// in one run: the time from a scroll command to the skinned bar's overlay
// having painted the new thumb position, and a full repaint of the list
// (header, rows and bars) skinned against the same list with the skin off.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "tests/bench/WinBench.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/Object.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <vector>

namespace {

using winbench::Fastest;
using winbench::Median;
using winbench::Pump;
using winbench::PumpUntil;
using winbench::TStopwatch;

bool IsSkinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }

// The overlay over the result list's vertical bar.
HWND VerticalOverlay(HWND main, HWND list)
{
    TWinSkinForm* form = SkinManager() ? SkinManager()->FindFormSkinner(main) : nullptr;
    if (form == nullptr)
        return nullptr;
    for (TSkinControl* skinner : form->ControlSkinners().Controls()) {
        if (skinner->Handle() == list) {
            if (auto* scrolled = ui::As<TSkinScrollbar>(skinner); scrolled && scrolled->VertBar())
                return scrolled->VertBar()->Handle();
        }
    }
    return nullptr;
}

// Times from each scroll command to the overlay's next finished paint.
std::vector<double> ScrollToOverlayPaint(HWND list, HWND overlay, int runs)
{
    int paints = 0;
    ui::WindowSubclass counter;
    counter.Install(overlay, [&](TMessage& message) {
        counter.CallPrevious(message);
        if (message.Msg == WM_PAINT)
            ++paints;
    });
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        // Down and back up again, so the thumb always has somewhere to go.
        const WPARAM step = (i / 20) % 2 == 0 ? SB_LINEDOWN : SB_LINEUP;
        const int before = paints;
        const TStopwatch watch;
        SendMessageA(list, WM_VSCROLL, step, 0);
        if (!PumpUntil([&] { return paints > before; }, 1000))
            throw std::runtime_error("the overlay did not repaint after a scroll");
        GdiFlush();
        samples.push_back(watch.Microseconds());
    }
    counter.Remove();
    return samples;
}

void AddListRepaints(HWND list, int runs, std::vector<double>& samples)
{
    constexpr UINT everything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (int i = 0; i < 3; ++i)
        RedrawWindow(list, nullptr, nullptr, everything);
    Application->ProcessMessages();
    for (int i = 0; i < runs; ++i) {
        const TStopwatch watch;
        RedrawWindow(list, nullptr, nullptr, everything);
        // The overlays are windows of their own: they paint from the queue.
        Application->ProcessMessages();
        GdiFlush();
        samples.push_back(watch.Microseconds());
    }
}

void SetSkinned(HWND main, bool skinned)
{
    Form1->SkinData1->SetActive(skinned);
    if (!PumpUntil([main, skinned] { return IsSkinned(main) == skinned; }, 3000))
        throw std::runtime_error("the skin did not switch");
    Pump(150);
}

void Run()
{
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Form1->Show();
    const HWND main = Form1->Handle();
    if (!PumpUntil([main] { return IsSkinned(main); }, 3000))
        throw std::runtime_error("the main window did not get its skin");
    // A group with more places than the list shows, so that it has a bar.
    Form1->ListBox1->SetItemIndex(0);
    Form1->ListBox1Click(Form1->ListBox1);
    Pump(200);
    const HWND list = Form1->ListView1->Handle();
    const HWND overlay = VerticalOverlay(main, list);
    if (overlay == nullptr || !IsWindowVisible(overlay))
        throw std::runtime_error("the result list has no visible skinned bar");

    constexpr int scrollRuns = 200;
    ScrollToOverlayPaint(list, overlay, 20);
    const std::vector<double> scrolls = ScrollToOverlayPaint(list, overlay, scrollRuns);

    constexpr int blocks = 10;
    constexpr int blockRuns = 10;
    std::vector<double> skinned;
    std::vector<double> plain;
    for (int block = 0; block < blocks; ++block) {
        for (const bool on : {true, false}) {
            SetSkinned(main, on);
            AddListRepaints(list, blockRuns, on ? skinned : plain);
        }
    }
    std::printf("lookup program's result list, %d rows, default skin\n",
                static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    std::printf("scroll to overlay repainted: median %.0f us (of %d line scrolls, fastest %.0f us)\n", Median(scrolls),
                scrollRuns, Fastest(scrolls));
    std::printf("result list full repaint skinned/unskinned: %.2f (skinned %.0f us, unskinned %.0f us, medians of %d "
                "in %d alternating blocks; fastest %.0f us / %.0f us = %.2f)\n",
                Median(skinned) / Median(plain), Median(skinned), Median(plain), blocks * blockRuns, blocks,
                Fastest(skinned), Fastest(plain), Fastest(skinned) / Fastest(plain));
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

} // namespace

int main()
{
    try {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
        Application->SetTitle("Zelvorin");
        Run();
        FreeSkinManager();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scroll_skin_bench: %s\n", error.what());
        return 1;
    }
}
