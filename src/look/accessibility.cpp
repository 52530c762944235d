#include "look/accessibility.h"

#include <QKeyEvent>
#include <QVariant>
#include <QWidget>
#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(accessibility)
#include <QAccessible>
#include <QAccessibleWidget>
#endif

#include <array>

namespace oruvel::look {

bool isMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu || (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

// A Qt built without accessibility (the Windows build's) has no interfaces to give: the roles are kept as
// properties, and nothing is announced.
#if QT_CONFIG(accessibility)
namespace {

// A painted bar that shows a share: read out as its text and its value.
class ProgressBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return widget()->property("text").toString();
        }
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return widget()->property("value"); }
    void setCurrentValue(const QVariant& /*value*/) override {} // shown, not set
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

// A window or link whose name is its title or its accessible name.
class NamedAccessible final : public QAccessibleWidget {
public:
    NamedAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return widget()->isWindow() ? widget()->windowTitle() : widget()->property("text").toString();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    const QVariant role = widget->property(kAccessibleRole);
    if (!role.isValid()) {
        return nullptr;
    }
    switch (static_cast<AccessibleRole>(role.toInt())) {
    case AccessibleRole::ProgressBar:
        return new ProgressBarAccessible(widget);
    case AccessibleRole::Window:
        return new NamedAccessible(widget, QAccessible::Window);
    case AccessibleRole::Link:
        return new NamedAccessible(widget, QAccessible::Link);
    }
    return nullptr;
}

} // namespace

void setAccessibleRole(QWidget& widget, AccessibleRole role) {
    widget.setProperty(kAccessibleRole, static_cast<int>(role));
    // An interface Qt made for the widget before it had its role is dropped, so the next one asked for has it.
    static constexpr std::array kQtRoles{QAccessible::Window, QAccessible::ProgressBar, QAccessible::Link};
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget);
    if (made != nullptr && made->role() != kQtRoles[static_cast<std::size_t>(role)]) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void installAccessibility() {
    QAccessible::installFactory(&interfaceFor);
}

void setAccessibleName(QWidget& widget, const QString& name) {
    widget.setAccessibleName(name);
}

void setAccessibleDescription(QWidget& widget, const QString& description) {
    widget.setAccessibleDescription(description);
}

void announceNameChange(QWidget& widget) {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(&widget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void announceValueChange(QWidget& widget, int value) {
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(&widget, value);
        QAccessible::updateAccessibility(&event);
    }
}

#else

void setAccessibleRole(QWidget& widget, AccessibleRole role) {
    widget.setProperty(kAccessibleRole, static_cast<int>(role));
}
void installAccessibility() {}
void setAccessibleName(QWidget& /*widget*/, const QString& /*name*/) {}
void setAccessibleDescription(QWidget& /*widget*/, const QString& /*description*/) {}
void announceNameChange(QWidget& /*widget*/) {}
void announceValueChange(QWidget& /*widget*/, int /*value*/) {}

#endif

} // namespace oruvel::look
