#include "widgets/AccessibleWidgets.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessibleWidget>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"

namespace {

constexpr char kPercentProperty[] = "qvrlPercent";       // absent, or "forward" / "reversed"
constexpr char kToggleProperty[] = "qvrlToggleChecked";  // absent, or the mode's state

// Qt keeps the first interface it made for an object, even one made before a property here
// was set (a value change makes one): drop it, so that the next question asks the factory.
void Forget(QObject* object) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

// A button that switches a mode: a check box to a screen reader, whose press clicks it.
class ToggleAccessible final : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->property(kToggleProperty).toBool();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction())
            Button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A widget whose value is a percentage: 0 to 100 in steps of 1.
class PercentAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    PercentAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

// The LCD label reads as a label whose name and value are its text ("42%"); a text that starts
// with a number also gives that number as a value from 0 to 100.
class LCDLabelAccessible final : public PercentAccessible {
public:
    explicit LCDLabelAccessible(TLCDLabel* label)
        : PercentAccessible(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        // A blank display (no length known) reads as what it is for.
        if (t == QAccessible::Name && !Shown().isEmpty())
            return Shown();
        if (t == QAccessible::Value)
            return Shown();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override {
        bool ok = false;
        QString digits = Shown();
        digits.remove(QLatin1Char('%'));
        const int value = digits.toInt(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}  // shows, never takes a value

private:
    QString Shown() const {
        return QString::fromStdString(static_cast<TLCDLabel*>(widget())->Caption()).trimmed();
    }
};

// A lamp reads as a label with the name its owner gave it ("Loop on"), never as a blank panel.
class LampAccessible final : public QAccessibleWidget {
public:
    explicit LampAccessible(TAMAdvLed* lamp) : QAccessibleWidget(lamp, QAccessible::StaticText) {}
};

// A slider whose position stands for a part of a whole: its value reads 0 to 100 (%).
class PercentSliderAccessible final : public PercentAccessible {
public:
    explicit PercentSliderAccessible(QAbstractSlider* slider)
        : PercentAccessible(slider, QAccessible::Slider) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(Percent());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return Percent(); }
    void setCurrentValue(const QVariant& value) override {
        const QAbstractSlider* s = Slider();
        const double part = std::clamp(value.toDouble(), 0.0, 100.0) / 100.0;
        const double span = static_cast<double>(s->maximum()) - s->minimum();
        const int position = s->minimum() + static_cast<int>(std::lround(span * part));
        Slider()->setValue(Reversed() ? s->maximum() - (position - s->minimum()) : position);
    }

private:
    QAbstractSlider* Slider() const { return static_cast<QAbstractSlider*>(widget()); }
    bool Reversed() const {
        return Slider()->property(kPercentProperty).toString() == QLatin1String("reversed");
    }
    int Percent() const {
        const QAbstractSlider* s = Slider();
        const double span = static_cast<double>(s->maximum()) - s->minimum();
        if (span <= 0)
            return 0;
        const double part = (static_cast<double>(s->value()) - s->minimum()) / span;
        return static_cast<int>(std::lround((Reversed() ? 1.0 - part : part) * 100.0));
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("TLCDLabel"))
        return new LCDLabelAccessible(static_cast<TLCDLabel*>(object));
    if (className == QLatin1String("TAMAdvLed"))
        return new LampAccessible(static_cast<TAMAdvLed*>(object));
    if (object->property(kToggleProperty).isValid())
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return new ToggleAccessible(button);
    if (object->property(kPercentProperty).isValid())
        if (auto* slider = qobject_cast<QAbstractSlider*>(object))
            return new PercentSliderAccessible(slider);
    return nullptr;
}

}  // namespace

namespace AccessibleWidgets {

void Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void ExposeAsPercent(QAbstractSlider* slider, bool reversed) {
    Install();
    slider->setProperty(kPercentProperty,
                        reversed ? QStringLiteral("reversed") : QStringLiteral("forward"));
    Forget(slider);
}

void ExposeAsToggle(QAbstractButton* button, bool checked) {
    Install();
    button->setProperty(kToggleProperty, checked);
    Forget(button);
}

void SetToggleChecked(QAbstractButton* button, bool checked) {
    if (button->property(kToggleProperty).toBool() == checked)
        return;
    button->setProperty(kToggleProperty, checked);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace AccessibleWidgets
