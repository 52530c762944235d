#pragma once

#include <string>

namespace oruvel::core {

class Program;

// What position memory needs of a window: its name and its top and left edge in twips.
class PositionedWindow {
public:
    virtual ~PositionedWindow() = default;
    virtual std::string windowName() const = 0;
    virtual int topTwips() const = 0;
    virtual int leftTwips() const = 0;
    // Moves the window, keeping its size.
    virtual void moveTwips(int left, int top) = 0;
};

// Stores the window's top under NAME_x and its left under NAME_y (that pairing is what stored data holds) in
// HKEY_CURRENT_USER\Software\Quorlane\Oruvel.
void saveWindowPosition(Program& program, const PositionedWindow& window);
// Moves the window to its stored position; leaves it where it is when neither value is stored. A missing or
// unreadable value counts as 0.
void restoreWindowPosition(Program& program, PositionedWindow& window);
// Deletes the key that holds the positions of both windows.
void forgetWindowPositions(Program& program);

// Registry location of the positions.
inline constexpr const char* kMakerKeyRoot = "Software";
inline constexpr const char* kMakerKey = "Quorlane";
inline constexpr const char* kProductKeyRoot = "Software\\Quorlane";
inline constexpr const char* kProductKey = "Oruvel";

} // namespace oruvel::core
