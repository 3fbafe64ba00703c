// Menu resource 101: the window's menu bar, its two pop-ups and the
// command ids that menu items and accelerator keys share. Every platform
// shows this one model: Windows as its native menu, the others drawn.
//
// Texts are UTF-8. A tab separates an item's text from its key hint; an
// ampersand makes the next letter the mnemonic.
#pragma once

#include <cstdint>
#include <iterator>

namespace res {

constexpr int MENU_ID = 101;

constexpr std::uint16_t CMD_EXIT = 40001;
constexpr std::uint16_t CMD_SIZE_NORMAL = 40002;
constexpr std::uint16_t CMD_SIZE_DOUBLE = 40003;
constexpr std::uint16_t CMD_NO_WAIT = 40004;
constexpr std::uint16_t CMD_SHOW_FPS = 40005;
constexpr std::uint16_t CMD_RESET = 40006;

// A null text marks a separator.
struct MenuItemResource {
    const char* text;
    std::uint16_t id;
};

struct MenuPopupResource {
    const char* title;
    const MenuItemResource* items;
    int itemCount;
};

struct MenuResource {
    int id;
    const MenuPopupResource* popups;
    int popupCount;
};

inline constexpr MenuItemResource FILE_ITEMS[] = {
    {"reset\tF9", CMD_RESET},       {"show fps", CMD_SHOW_FPS},
    {"no wait", CMD_NO_WAIT},       {nullptr, 0},
    {"\u7D42\u4E86(&X)", CMD_EXIT}, // 終了
};

inline constexpr MenuItemResource SIZE_ITEMS[] = {
    {"\u7B49\u500D(320*240)\tF11", CMD_SIZE_NORMAL}, // 等倍
    {"\uFF12\u500D(640*480)\tF12", CMD_SIZE_DOUBLE}, // ２倍
};

inline constexpr MenuPopupResource MENU_POPUPS[] = {
    {"\uFF8C\uFF67\uFF72\uFF99(&F)", FILE_ITEMS, std::size(FILE_ITEMS)}, // ﾌｧｲﾙ
    {"\uFF7B\uFF72\uFF7D\uFF9E(S)", SIZE_ITEMS, std::size(SIZE_ITEMS)},  // ｻｲｽﾞ
};

constexpr int MENU_POPUP_COUNT = static_cast<int>(std::size(MENU_POPUPS));

inline constexpr MenuResource MENU{MENU_ID, MENU_POPUPS, MENU_POPUP_COUNT};

} // namespace res
