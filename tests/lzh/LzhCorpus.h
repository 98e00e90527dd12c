// Inputs of the kinds a skin stream carries or that stress a coder:
// text, runs of equal bytes, and noise. Each is the same for a given seed
// on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct LzhSample {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Words and INI-like lines, the kind of text a skin's description holds.
std::vector<std::uint8_t> CorpusText(std::size_t size, std::uint32_t seed);
// Runs of one byte, of lengths from 1 to a few thousand.
std::vector<std::uint8_t> CorpusRuns(std::size_t size, std::uint32_t seed);
// Uniform bytes from an alphabet of `alphabet` values.
std::vector<std::uint8_t> CorpusRandom(std::size_t size, std::uint32_t seed, int alphabet = 256);

// A few samples of each kind, of several sizes, for fixed seeds.
std::vector<LzhSample> GeneratedCorpus();
