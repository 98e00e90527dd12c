// The classic LZHUF encoder, for comparing ours against: a 4096-byte ring
// buffer, a binary search tree of the strings in it, and greedy parsing
// (the longest match at each step, the nearest among equally long ones).
// Tests and benchmarks only; the skin tool uses LzhEncode.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

std::vector<std::uint8_t> ClassicLzhEncode(std::span<const std::uint8_t> data);
