// What the skintool commands share: the command table entry, the error that
// ends a command, and whole-file input and output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

struct SkinToolCommand {
    const char* name;
    const char* arguments;  // shown in the usage text, e.g. "IN OUT"
    const char* summary;
    std::size_t argumentCount;
    // Returns the exit code; failures throw ToolError.
    int (*run)(std::span<const std::string> arguments);
};

// Each half of the tool lists its commands in its own file.
std::span<const SkinToolCommand> CodecCommands();
std::span<const SkinToolCommand> PackageCommands();
std::span<const SkinToolCommand> SheetCommands();

// Reported by main as one line on stderr, with a non-zero exit code.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Writes into a temporary file beside `path` and renames it over `path`
// only when complete, so `path` is never left half-written.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Replaces `to` by `from` in one step where the system allows it.
// Returns an empty string on success, otherwise the reason.
std::string MoveIntoPlace(const std::string& from, const std::string& to);
