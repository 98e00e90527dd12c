// The engine's private window messages. Any window of the process may send
// them to a skinned window; their numbers are fixed because other modules
// rely on them.
#pragma once

#include <windows.h>

inline constexpr UINT SKM_RESKIN = 0x3401;
inline constexpr UINT SKM_PAINTFRAME = 0x3502;
inline constexpr UINT SKM_INITSKIN = 0x3503;
inline constexpr UINT SKM_SKINSTATE = 0x3506;
inline constexpr UINT SKM_TABCLOSE = 0x3507;
inline constexpr UINT SKM_CUSTOMBUTTON = 0x3514;
inline constexpr UINT SKM_BUTTONVISIBLE = 0x3515;
inline constexpr UINT SKM_MDIMAXCHILD = 0x3516;
inline constexpr UINT SKM_REBUILDSCROLL = 0x3517;
inline constexpr UINT SKM_MENUCLICK = 0x3518;
inline constexpr UINT SKM_ISSKINNED = 0x3523;
inline constexpr UINT SKM_EDITPAINT = 0xBC4A;
inline constexpr UINT SKM_EXTPAINT = 0xBC4B;
inline constexpr UINT SKM_EXTQUERY = 0xBC4D;
inline constexpr UINT SKM_SKINAPPLIED = 0xBC4E;
// The long parameter that marks the extended paint and query messages as the engine's.
inline constexpr LPARAM kSkinMessageKey = 0x41A2;
