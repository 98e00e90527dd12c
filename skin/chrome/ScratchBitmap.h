// The scratch bitmap the chrome painters share: one per process, alive while
// any painter holds a use of it. A painter resizes it to its target and draws
// into it during one paint only; it stretches with COLORONCOLOR so the magenta
// key never blends into its neighbours.
#pragma once

class TBitmap;

class TScratchBitmapUse {
public:
    TScratchBitmapUse();
    ~TScratchBitmapUse();
    TScratchBitmapUse(const TScratchBitmapUse&) = delete;
    TScratchBitmapUse& operator=(const TScratchBitmapUse&) = delete;

    TBitmap& Bitmap() const;
    // The bitmap while somebody uses it, else none.
    static TBitmap* Current() noexcept;
};
