#include "skin/load/LzhModel.h"

#include <algorithm>

namespace lzh {

void LzhTree::Reset()
{
    for (int i = 0; i < N_CHAR; ++i) {
        freq_[i] = 1;
        son_[i] = static_cast<std::uint16_t>(i + T);
        prnt_[i + T] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        son_[j] = static_cast<std::uint16_t>(i);
        prnt_[i] = prnt_[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
}

void LzhTree::Rebuild()
{
    // Leaves first, in node order, which is frequency order.
    int front = 0;
    for (int i = 0; i < T; ++i) {
        if (son_[i] >= T) {
            freq_[front] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
            son_[front] = son_[i];
            ++front;
        }
    }
    // Pair the lowest nodes and insert each parent where its frequency
    // keeps the order.
    for (int i = 0, j = N_CHAR; j < T; i += 2, ++j) {
        const unsigned f = freq_[i] + freq_[i + 1];
        int k = j - 1;
        while (f < freq_[k]) {
            --k;
        }
        ++k;
        std::copy_backward(freq_ + k, freq_ + j, freq_ + j + 1);
        std::copy_backward(son_ + k, son_ + j, son_ + j + 1);
        freq_[k] = static_cast<std::uint16_t>(f);
        son_[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const unsigned k = son_[i];
        if (k >= T) {
            prnt_[k] = static_cast<std::uint16_t>(i);
        } else {
            prnt_[k] = prnt_[k + 1] = static_cast<std::uint16_t>(i);
        }
    }
}

}  // namespace lzh
