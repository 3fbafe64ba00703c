// The touch buttons' keys: down while a finger rests on the button,
// several fingers at once, a finger sliding between buttons, and no key
// left down however the fingers go.
#include "platform/keys.h"
#include "platform/web/touch_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace webplatform;
using namespace platform;

// "+38 -37": each change, a press or a release of a key code.
std::string said(const KeyChanges& changes) {
    std::string out;
    for (int i = 0; i < changes.count; ++i) {
        out += (out.empty() ? "" : " ") + std::string(changes.change[i].down ? "+" : "-") +
               std::to_string(changes.change[i].key);
    }
    return out;
}

std::string up(int key) {
    return "-" + std::to_string(key);
}

std::string down(int key) {
    return "+" + std::to_string(key);
}

TEST(TouchKeys, AFingerSlidingBetweenButtonsChangesKeysAndOffThemLetsGo) {
    Touches t{};
    EXPECT_EQ(said(touchMoved(t, 1, KEY_UP)), down(KEY_UP));
    EXPECT_EQ(said(touchMoved(t, 1, KEY_UP)), "");
    EXPECT_EQ(said(touchMoved(t, 1, KEY_LEFT)), up(KEY_UP) + " " + down(KEY_LEFT));
    EXPECT_EQ(said(touchMoved(t, 1, 0)), up(KEY_LEFT));
    EXPECT_EQ(said(touchMoved(t, 1, KEY_DOWN)), down(KEY_DOWN));
    EXPECT_EQ(said(touchEnded(t, 1)), up(KEY_DOWN));
    EXPECT_EQ(said(touchEnded(t, 1)), "");
    EXPECT_EQ(t.count, 0);
}

TEST(TouchKeys, SeveralFingersHoldKeysTogetherAndAKeyGoesWithItsLastFinger) {
    Touches t{};
    // A direction held while Enter is tapped.
    EXPECT_EQ(said(touchMoved(t, 1, KEY_UP)), down(KEY_UP));
    EXPECT_EQ(said(touchMoved(t, 2, KEY_RETURN)), down(KEY_RETURN));
    EXPECT_EQ(said(touchEnded(t, 2)), up(KEY_RETURN));
    // Two fingers on Up: it stays down until both are lifted.
    EXPECT_EQ(said(touchMoved(t, 3, KEY_UP)), "");
    EXPECT_EQ(said(touchEnded(t, 1)), "");
    EXPECT_EQ(said(touchMoved(t, 3, KEY_RIGHT)), up(KEY_UP) + " " + down(KEY_RIGHT));
    // Everything gone at once (the page lost the keyboard): each key once.
    EXPECT_EQ(said(touchMoved(t, 4, KEY_SPACE)), down(KEY_SPACE));
    EXPECT_EQ(said(touchMoved(t, 5, KEY_SPACE)), "");
    EXPECT_EQ(said(touchesEnded(t)), up(KEY_SPACE) + " " + up(KEY_RIGHT));
    EXPECT_EQ(said(touchesEnded(t)), "");
    EXPECT_EQ(said(touchEnded(t, 3)), "");
}

TEST(TouchKeys, OnlyTheButtonsKeysAndOnlyAsManyFingersAsKept) {
    Touches t{};
    // A key no button has (the page's numbers are its own to check).
    EXPECT_EQ(said(touchMoved(t, 1, KEY_ESCAPE)), "");
    EXPECT_EQ(said(touchMoved(t, 1, 70000)), "");
    EXPECT_EQ(t.count, 0);
    for (int finger = 0; finger < MAX_TOUCHES; ++finger) {
        touchMoved(t, finger, KEY_LEFT);
    }
    EXPECT_EQ(said(touchMoved(t, 99, KEY_RIGHT)), "");
    EXPECT_EQ(said(touchEnded(t, 99)), "");
    for (int finger = 0; finger < MAX_TOUCHES - 1; ++finger) {
        EXPECT_EQ(said(touchEnded(t, finger)), "");
    }
    EXPECT_EQ(said(touchEnded(t, MAX_TOUCHES - 1)), up(KEY_LEFT));
}

} // namespace
