#include "gfx/glyphs.h"
#include "gfx/text.h"
#include "menubar/layout.h"
#include "menubar/picture.h"
#include "menubar/state.h"
#include "res/menu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using menubar::MenuEvents;
using menubar::MenuMode;
using menubar::MenuState;
using platform::Message;
using platform::MessageKind;

Message key(MessageKind kind, int code, std::uint8_t modifiers = 0) {
    Message m;
    m.kind = kind;
    m.code = code;
    m.modifiers = modifiers;
    return m;
}

Message down(int code, std::uint8_t modifiers = 0) {
    return key(MessageKind::KeyDown, code, modifiers);
}

Message mouse(MessageKind kind, int x, int y) {
    Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    return m;
}

// A menu driven by messages, with every notification it sent in order.
struct Driver {
    MenuState state{MenuMode::Closed, 0, -1, false, {}};
    std::vector<Message> sent;
    int command = 0;

    bool feed(const Message& m) {
        MenuEvents events{};
        const bool taken = menubar::menuInput(state, m, events);
        for (int i = 0; i < events.count; ++i) {
            sent.push_back(events.sent[i]);
        }
        command = events.command != 0 ? events.command : command;
        return taken;
    }

    std::vector<MessageKind> kinds() const {
        std::vector<MessageKind> out;
        for (const Message& m : sent) {
            out.push_back(m.kind);
        }
        return out;
    }
};

int centreX(int popup) {
    const menubar::MenuPopupLayout& p = menubar::menuPopup(popup);
    return p.titleX + p.titleWidth / 2;
}

int itemCentreY(int popup, int item) {
    const menubar::MenuItemLayout& i = menubar::menuPopup(popup).items[item];
    return i.y + i.height / 2;
}

// --- The resource as shown ---

TEST(MenuLayout, HoldsTheResourceItemsInOrderWithTheirTexts) {
    const menubar::MenuPopupLayout& file = menubar::menuPopup(0);
    EXPECT_STREQ(file.title.label, "\uFF8C\uFF67\uFF72\uFF99(F)");
    EXPECT_EQ(file.title.mnemonic, 'F');
    ASSERT_EQ(file.itemCount, 5);
    const int fileIds[] = {40006, 40005, 40004, 0, 40001};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(file.items[i].id, fileIds[i]) << i;
    }
    EXPECT_TRUE(file.items[3].separator);
    EXPECT_STREQ(file.items[0].text.label, "reset");
    EXPECT_STREQ(file.items[0].text.hint, "F9");
    EXPECT_EQ(file.items[0].text.mnemonic, 0);
    EXPECT_STREQ(file.items[4].text.label, "\u7D42\u4E86(X)");
    EXPECT_EQ(file.items[4].text.mnemonic, 'X');

    const menubar::MenuPopupLayout& size = menubar::menuPopup(1);
    EXPECT_STREQ(size.title.label, "\uFF7B\uFF72\uFF7D\uFF9E(S)");
    EXPECT_EQ(size.title.mnemonic, 0); // no ampersand, no mnemonic
    ASSERT_EQ(size.itemCount, 2);
    EXPECT_EQ(size.items[0].id, 40002);
    EXPECT_STREQ(size.items[0].text.hint, "F11");
    EXPECT_EQ(size.items[1].id, 40003);
    EXPECT_STREQ(size.items[1].text.label, "\uFF12\u500D(640*480)");
}

TEST(MenuLayout, EveryCharacterHasARealGlyph) {
    const gfx::Glyph& replacement = gfx::findGlyph(gfx::REPLACEMENT_CHARACTER);
    for (const res::MenuPopupResource& popup : res::MENU_POPUPS) {
        std::vector<const char*> texts{popup.title};
        for (int i = 0; i < popup.itemCount; ++i) {
            if (popup.items[i].text != nullptr) {
                texts.push_back(popup.items[i].text);
            }
        }
        texts.push_back("\u2713");
        for (const char* text : texts) {
            std::vector<char> one(5);
            for (const char* at = text; *at != '\0';) {
                const int n = (*at & 0x80) == 0 ? 1 : (*at & 0xF0) == 0xE0 ? 3 : 2;
                std::memcpy(one.data(), at, static_cast<std::size_t>(n));
                one[static_cast<std::size_t>(n)] = '\0';
                at += n;
                if (one[0] == '\t' || one[0] == '&') {
                    continue;
                }
                EXPECT_NE(gfx::glyphTextWidth(one.data(), gfx::Encoding::Utf8), 0) << text;
            }
        }
    }
    EXPECT_NE(&gfx::findGlyph(0xFF8C), &replacement);
    EXPECT_NE(&gfx::findGlyph(0x2713), &replacement);
}

TEST(MenuLayout, TextsParseAmpersandsAndTabs) {
    const menubar::MenuText plain = menubar::parseMenuText("no wait");
    EXPECT_STREQ(plain.label, "no wait");
    EXPECT_EQ(plain.hint[0], '\0');
    EXPECT_EQ(plain.underlineWidth, 0);
    const menubar::MenuText amp = menubar::parseMenuText("a&&b &x\tF1");
    EXPECT_STREQ(amp.label, "a&b x");
    EXPECT_EQ(amp.mnemonic, 'X');
    EXPECT_EQ(amp.underlineX, 4 * 8);
    EXPECT_EQ(amp.underlineWidth, 8);
    EXPECT_STREQ(amp.hint, "F1");
    const menubar::MenuText dangling = menubar::parseMenuText("end&");
    EXPECT_STREQ(dangling.label, "end&");
    EXPECT_EQ(dangling.mnemonic, 0);
}

TEST(MenuLayout, PopupsFitTheNormalSizeClientArea) {
    for (int p = 0; p < menubar::menuPopupCount(); ++p) {
        const menubar::MenuPopupLayout& popup = menubar::menuPopup(p);
        EXPECT_LE(popup.x + popup.width, 320) << p;
        EXPECT_LE(popup.y + popup.height, menubar::MENU_PICTURE_HEIGHT) << p;
    }
}

// --- Ways in and out ---

TEST(MenuBar, F10SelectsTheBarAndDownOpensTheFirstPopup) {
    Driver d;
    EXPECT_TRUE(d.feed(down(platform::KEY_F10)));
    EXPECT_EQ(d.state.mode, MenuMode::Bar);
    EXPECT_EQ(d.state.popup, 0);
    EXPECT_TRUE(d.feed(down(platform::KEY_DOWN)));
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    EXPECT_EQ(d.state.item, 0);
    EXPECT_EQ(d.kinds(), (std::vector{MessageKind::EnterMenuLoop, MessageKind::InitMenuPopup}));
    EXPECT_EQ(d.sent[1].code, 0);
}

TEST(MenuBar, AltAloneTogglesTheBarButAltWithAKeyDoesNot) {
    Driver d;
    EXPECT_FALSE(d.feed(down(platform::KEY_MENU)));
    EXPECT_TRUE(d.feed(key(MessageKind::KeyUp, platform::KEY_MENU)));
    EXPECT_EQ(d.state.mode, MenuMode::Bar);
    d.feed(down(platform::KEY_MENU));
    d.feed(key(MessageKind::KeyUp, platform::KEY_MENU));
    EXPECT_EQ(d.state.mode, MenuMode::Closed);
    EXPECT_EQ(d.kinds(), (std::vector{MessageKind::EnterMenuLoop, MessageKind::ExitMenuLoop}));

    Driver chord;
    chord.feed(down(platform::KEY_MENU));
    chord.feed(down(platform::KEY_F4 - 1, platform::KEYMOD_ALT)); // Alt+F3: some other key
    chord.feed(key(MessageKind::KeyUp, platform::KEY_MENU));
    EXPECT_EQ(chord.state.mode, MenuMode::Closed);
    EXPECT_TRUE(chord.sent.empty());
}

TEST(MenuBar, AltFOpensFileAndXChoosesExit) {
    Driver d;
    d.feed(down(platform::KEY_MENU));
    EXPECT_TRUE(d.feed(down('F', platform::KEYMOD_ALT)));
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    EXPECT_EQ(d.state.popup, 0);
    d.feed(key(MessageKind::KeyUp, 'F'));
    d.feed(key(MessageKind::KeyUp, platform::KEY_MENU)); // Alt came with F: no toggle
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    d.feed(down('X'));
    EXPECT_EQ(d.state.mode, MenuMode::Closed);
    EXPECT_EQ(d.command, res::CMD_EXIT);
    EXPECT_EQ(d.sent.back().kind, MessageKind::ExitMenuLoop);
}

TEST(MenuBar, AltSOpensNothingForSizeHasNoMnemonic) {
    Driver d;
    d.feed(down(platform::KEY_MENU));
    EXPECT_FALSE(d.feed(down('S', platform::KEYMOD_ALT)));
    EXPECT_EQ(d.state.mode, MenuMode::Closed);
}

TEST(MenuBar, ArrowsMoveBetweenPopupsAndItemsSkippingTheSeparator) {
    Driver d;
    d.feed(down(platform::KEY_F10));
    d.feed(down(platform::KEY_DOWN));
    d.feed(down(platform::KEY_DOWN));
    d.feed(down(platform::KEY_DOWN));
    EXPECT_EQ(d.state.item, 2); // no wait
    d.feed(down(platform::KEY_DOWN));
    EXPECT_EQ(d.state.item, 4); // 終了, past the separator
    d.feed(down(platform::KEY_DOWN));
    EXPECT_EQ(d.state.item, 0); // wraps
    d.feed(down(platform::KEY_UP));
    EXPECT_EQ(d.state.item, 4);
    d.sent.clear();
    d.feed(down(platform::KEY_RIGHT));
    EXPECT_EQ(d.state.popup, 1);
    EXPECT_EQ(d.state.item, 0);
    d.feed(down(platform::KEY_RIGHT));
    EXPECT_EQ(d.state.popup, 0);
    d.feed(down(platform::KEY_LEFT));
    EXPECT_EQ(d.state.popup, 1);
    ASSERT_EQ(d.sent.size(), 3u);
    for (const Message& m : d.sent) {
        EXPECT_EQ(m.kind, MessageKind::InitMenuPopup);
    }
    EXPECT_EQ(d.sent[0].code, 1);
    EXPECT_EQ(d.sent[1].code, 0);
}

TEST(MenuBar, EnterChoosesEscapeAndF10CloseWithoutACommand) {
    Driver d;
    d.feed(down(platform::KEY_F10));
    d.feed(down(platform::KEY_RETURN));
    d.feed(down(platform::KEY_DOWN));
    d.feed(down(platform::KEY_RETURN));
    EXPECT_EQ(d.command, res::CMD_SHOW_FPS);
    EXPECT_EQ(d.state.mode, MenuMode::Closed);

    for (const int closer : {platform::KEY_ESCAPE, platform::KEY_F10}) {
        Driver e;
        e.feed(down(platform::KEY_F10));
        e.feed(down(platform::KEY_DOWN));
        EXPECT_TRUE(e.feed(down(closer)));
        EXPECT_EQ(e.state.mode, MenuMode::Closed);
        EXPECT_EQ(e.command, 0);
        EXPECT_EQ(e.sent.back().kind, MessageKind::ExitMenuLoop);
    }
}

TEST(MenuBar, AnOpenMenuTakesEveryKeyAndLeavesOtherMessages) {
    Driver d;
    d.feed(down(platform::KEY_F10));
    EXPECT_TRUE(d.feed(down('Q')));
    EXPECT_TRUE(d.feed(key(MessageKind::KeyUp, 'Q')));
    EXPECT_FALSE(d.feed(key(MessageKind::Close, 0)));
    EXPECT_FALSE(d.feed(key(MessageKind::Paint, 0)));
    EXPECT_EQ(d.state.mode, MenuMode::Bar);
    EXPECT_FALSE(d.feed(key(MessageKind::FocusLost, 0)));
    EXPECT_EQ(d.state.mode, MenuMode::Closed); // another window took the keyboard
}

TEST(MenuBar, AClickOnATitleOpensItsPopupAndAReleaseOnAnItemChooses) {
    Driver d;
    EXPECT_FALSE(d.feed(mouse(MessageKind::MouseDown, 200, 100))); // client area
    EXPECT_TRUE(d.feed(mouse(MessageKind::MouseDown, centreX(1), 10)));
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    EXPECT_EQ(d.state.popup, 1);
    EXPECT_EQ(d.state.item, -1);
    d.feed(mouse(MessageKind::MouseUp, centreX(1), 10)); // released on the title: stays
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    d.feed(mouse(MessageKind::MouseMove, centreX(0), 10)); // over the other title
    EXPECT_EQ(d.state.popup, 0);
    const int x = menubar::menuPopup(0).x + 30;
    d.feed(mouse(MessageKind::MouseMove, x, itemCentreY(0, 2)));
    EXPECT_EQ(d.state.item, 2);
    d.feed(mouse(MessageKind::MouseUp, x, itemCentreY(0, 3))); // the separator
    EXPECT_EQ(d.state.mode, MenuMode::Popup);
    d.feed(mouse(MessageKind::MouseDown, x, itemCentreY(0, 2)));
    d.feed(mouse(MessageKind::MouseUp, x, itemCentreY(0, 2)));
    EXPECT_EQ(d.command, res::CMD_NO_WAIT);
    EXPECT_EQ(d.kinds(), (std::vector{MessageKind::EnterMenuLoop, MessageKind::InitMenuPopup,
                                      MessageKind::InitMenuPopup, MessageKind::ExitMenuLoop}));
}

TEST(MenuBar, AClickOutsideOrOnTheOpenTitleCloses) {
    Driver outside;
    outside.feed(mouse(MessageKind::MouseDown, centreX(0), 10));
    EXPECT_TRUE(outside.feed(mouse(MessageKind::MouseDown, 300, 200)));
    EXPECT_EQ(outside.state.mode, MenuMode::Closed);
    EXPECT_EQ(outside.command, 0);

    Driver again;
    again.feed(mouse(MessageKind::MouseDown, centreX(0), 10));
    again.feed(mouse(MessageKind::MouseUp, centreX(0), 10));
    again.feed(mouse(MessageKind::MouseDown, centreX(0), 10));
    EXPECT_EQ(again.state.mode, MenuMode::Closed);
}

// --- The picture ---

struct Picture {
    std::vector<std::uint32_t> pixels =
        std::vector<std::uint32_t>(menubar::MENU_PICTURE_WIDTH * menubar::MENU_PICTURE_HEIGHT, 1);
    int width = 320;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Whether the check mark glyph is drawn with its top-left at (x, y).
bool checkMarkAt(const Picture& p, int x, int y) {
    const gfx::Glyph& glyph = gfx::findGlyph(0x2713);
    for (int line = 0; line < 16; ++line) {
        for (int column = 0; column < glyph.width; ++column) {
            const bool set = (glyph.rows[line] >> (15 - column) & 1u) != 0;
            if (set && p.at(x + column, y + line) != 0xFF000000u) {
                return false;
            }
        }
    }
    return true;
}

TEST(MenuPicture, ShowsTheBarTransparentBelowAndChecksOnlyMarkedItems) {
    MenuState state{MenuMode::Closed, 0, -1, false, {}};
    Picture closed;
    menubar::drawMenuPicture(state, 320, closed.pixels.data());
    EXPECT_EQ(closed.at(319, 0) >> 24, 0xFFu);
    EXPECT_EQ(closed.at(0, menubar::MENU_BAR_HEIGHT), 0u);
    EXPECT_EQ(closed.at(319, menubar::MENU_PICTURE_HEIGHT - 1), 0u);

    state.mode = MenuMode::Popup;
    state.popup = 1;
    state.checked[1][0] = true;
    Picture open;
    menubar::drawMenuPicture(state, 320, open.pixels.data());
    const menubar::MenuPopupLayout& size = menubar::menuPopup(1);
    EXPECT_EQ(open.at(size.x + 5, size.y + 5) >> 24, 0xFFu);
    EXPECT_TRUE(checkMarkAt(open, size.x + 3, size.items[0].y + 1));
    EXPECT_FALSE(checkMarkAt(open, size.x + 3, size.items[1].y + 1));
    EXPECT_EQ(open.at(size.x + size.width, size.y + 5), 0u); // right of the box
}

TEST(MenuPicture, KeyHintsEndInOneColumn) {
    // The last lit column of each hint lies at the same x.
    MenuState state{MenuMode::Popup, 1, -1, false, {}};
    Picture p;
    menubar::drawMenuPicture(state, 320, p.pixels.data());
    const menubar::MenuPopupLayout& size = menubar::menuPopup(1);
    int rightmost[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        for (int y = size.items[i].y; y < size.items[i].y + size.items[i].height; ++y) {
            for (int x = size.x + size.width / 2; x < size.x + size.width - 1; ++x) {
                if (p.at(x, y) == 0xFF000000u && x > rightmost[i]) {
                    rightmost[i] = x;
                }
            }
        }
    }
    EXPECT_GT(rightmost[0], size.x + size.width / 2);
    EXPECT_EQ(rightmost[0], rightmost[1]);
}

} // namespace
