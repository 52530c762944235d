#pragma once

namespace oruvel::monitor {

// Which picture a graphical-style button shows, and in which themed state it is drawn.
enum class ButtonPicture { Picture, DownPicture, DisabledPicture };

struct ButtonLook {
    int themeState; // 1 normal, 2 hot, 3 pressed, 4 disabled, 5 defaulted
    ButtonPicture picture;
    bool operator==(const ButtonLook&) const = default;
};

struct ButtonCondition {
    bool enabled = true;
    bool hot = false;      // the pointer is over the button
    bool pushed = false;   // held down
    bool value = false;    // a check or option button that is on
    bool focused = false;
    bool isDefault = false;
    bool hasDownPicture = false;
    bool hasDisabledPicture = false;
};

// The state-and-picture table of graphical-style buttons; a missing picture falls back to the plain one.
ButtonLook buttonLook(const ButtonCondition& c);

} // namespace oruvel::monitor
