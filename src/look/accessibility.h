#pragma once

#include <QString>

class QKeyEvent;
class QWidget;

namespace oruvel::look {

// What some of the program's own widgets are to assistive technology (screen readers), where Qt cannot tell it from
// their classes: a widget says it with the property named kAccessibleRole.
inline constexpr const char* kAccessibleRole = "oruvelAccessibleRole";
enum class AccessibleRole { Window, ProgressBar, Link };
void setAccessibleRole(QWidget& widget, AccessibleRole role);

// Lets assistive technology see those roles; once, before the first window shows. A progress bar's name is its
// "text" property unless it has an accessible name, its value the "value" property, from 0 to 100.
void installAccessibility();

// A widget's name and description for assistive technology (nothing where Qt was built without accessibility).
void setAccessibleName(QWidget& widget, const QString& name);
void setAccessibleDescription(QWidget& widget, const QString& description);

// Whether a key asks for a context menu from the keyboard: the menu key, or Shift+F10.
bool isMenuKey(const QKeyEvent& event);

// Tells assistive technology, when one listens, that a widget's name or value changed.
void announceNameChange(QWidget& widget);
void announceValueChange(QWidget& widget, int value);

} // namespace oruvel::look
