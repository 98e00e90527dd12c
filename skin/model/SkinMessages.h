// The engine's private window messages. Any window of the process may send
// them to a skinned window, so their numbers never change.
#pragma once

// The same type as the Win32 UINT message number, without windows.h.
using TSkinMessage = unsigned int;

// Apply a changed skin again (through the form object's message handler).
inline constexpr TSkinMessage SKM_RESKIN = 0x3401;
// Repaint the whole frame now.
inline constexpr TSkinMessage SKM_PAINTFRAME = 0x3502;
// Posted after a form skinner is attached; long parameter SkinInitParam.
inline constexpr TSkinMessage SKM_INITSKIN = 0x3503;
// Switch one control skinner on (word parameter above 0) or off.
inline constexpr TSkinMessage SKM_SKINSTATE = 0x3506;
// A tab asks the form window whether it may close; a non-zero answer vetoes.
inline constexpr TSkinMessage SKM_TABCLOSE = 0x3507;
// A title-bar button without a built-in action was clicked; word parameter the action.
inline constexpr TSkinMessage SKM_CUSTOMBUTTON = 0x3514;
// Asks the window whether a conditional title-bar button shows (word
// parameter its visibility value, long parameter its action); above 0 shows.
inline constexpr TSkinMessage SKM_BUTTONVISIBLE = 0x3515;
// An MDI child initialised maximised; word parameter the child.
inline constexpr TSkinMessage SKM_MDIMAXCHILD = 0x3516;
// Replace the scroll-bar skinner of a re-created control window (word parameter).
inline constexpr TSkinMessage SKM_REBUILDSCROLL = 0x3517;
// Open the menu-bar item under the screen point in the long parameter.
inline constexpr TSkinMessage SKM_MENUCLICK = 0x3518;
// A skinned window answers 1.
inline constexpr TSkinMessage SKM_ISSKINNED = 0x3523;
// With long parameter SkinExtKey: edit skinners paint into the DC in the word parameter.
inline constexpr TSkinMessage SKM_EDITPAINT = 0xBC4A;
// With long parameter SkinExtKey: paint the frame into the DC in the word parameter.
inline constexpr TSkinMessage SKM_EXTPAINT = 0xBC4B;
// Answers SkinExtKey when the long parameter is SkinExtKey.
inline constexpr TSkinMessage SKM_EXTQUERY = 0xBC4D;
// Sent to the window itself, long parameter SkinExtKey, after initialisation or a reskin.
inline constexpr TSkinMessage SKM_SKINAPPLIED = 0xBC4E;

// The long parameter (and answer) that marks the extended messages as the engine's own.
inline constexpr int SkinExtKey = 0x41A2;
// The long parameter of SKM_INITSKIN.
inline constexpr int SkinInitParam = 1000;
