// Choosing the gallery's skin at run time: one of the skins kept in the
// form's skin store, by name, a skin file, or an unpacked skin folder,
// packed in memory. A skin that cannot be used is
// refused with a message for the user, and the current skin stays.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TSkinData;
class TSkinStore;

namespace gallery {

// The names of the store's skins, in order.
std::vector<std::string> StoredSkinNames(const TSkinStore& store);

// Empty on success; else the message that says why the skin was refused.
std::string UseStoredSkin(TSkinData& skinData, const TSkinStore& store, std::string_view name);
std::string UseSkinFile(TSkinData& skinData, const std::string& path);
std::string UseSkinFolder(TSkinData& skinData, const std::string& path);

// True when path (in the ANSI code page) names a folder.
bool IsFolder(const std::string& path);
// The path of a name in the ANSI code page, whatever the library makes of
// narrow names.
std::filesystem::path PathOf(const std::string& path);

} // namespace gallery
