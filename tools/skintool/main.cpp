// skintool: makes and takes apart compressed skins. Each command comes from
// a table; main only finds it, checks the argument count and reports errors.
#include "tools/skintool/SkinTool.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

std::vector<SkinToolCommand> AllCommands()
{
    std::vector<SkinToolCommand> all;
    for (const auto list : {CodecCommands(), PackageCommands(), SheetCommands()}) {
        all.insert(all.end(), list.begin(), list.end());
    }
    return all;
}

void PrintUsage(std::FILE* to, const std::vector<SkinToolCommand>& commands)
{
    std::fprintf(to, "usage: skintool COMMAND ARGUMENTS\n\ncommands:\n");
    for (const SkinToolCommand& command : commands) {
        std::fprintf(to, "  %-10s %-16s %s\n", command.name, command.arguments, command.summary);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<SkinToolCommand> commands = AllCommands();
    if (argc < 2) {
        PrintUsage(stderr, commands);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        PrintUsage(stdout, commands);
        return 0;
    }
    for (const SkinToolCommand& command : commands) {
        if (name != command.name) {
            continue;
        }
        const std::vector<std::string> arguments(argv + 2, argv + argc);
        if (arguments.size() != command.argumentCount) {
            std::fprintf(stderr, "usage: skintool %s %s\n", command.name, command.arguments);
            return 2;
        }
        try {
            return command.run(arguments);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "skintool %s: %s\n", command.name, error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "skintool: unknown command '%s' (try skintool help)\n", name.c_str());
    return 2;
}
