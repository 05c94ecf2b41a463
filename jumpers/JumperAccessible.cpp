#include "JumperAccessible.h"

#include "Application.h"
#include "JumperWidget.h"
#include "TLabel.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <algorithm>

using namespace Jumpers;

namespace {

QAccessibleInterface *createJumperAccessible(const QString &, QObject *object)
{
    if (auto *jumper = qobject_cast<JumperWidget *>(object))
        return new JumperAccessible(jumper);
    return nullptr;
}

QAccessible::Role roleOf(const JumperWidget *jumper)
{
    return qobject_cast<const TTwoJumper *>(jumper) ? QAccessible::CheckBox : QAccessible::Button;
}

} // namespace

JumperAccessible::JumperAccessible(JumperWidget *jumper)
    : QAccessibleWidget(jumper, roleOf(jumper))
{
}

void JumperAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createJumperAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

JumperWidget *JumperAccessible::jumper() const
{
    return static_cast<JumperWidget *>(widget());
}

TLabel *JumperAccessible::besideLabel(const QWidget *jumper)
{
    const QWidget *parent = jumper->parentWidget();
    if (!parent)
        return nullptr;
    const QRect box = jumper->geometry();
    TLabel *nearest = nullptr;
    int nearestGap = 0;
    for (QObject *child : parent->children()) {
        auto *label = qobject_cast<TLabel *>(child);
        if (!label || label->isHidden() || labelText(label).isEmpty())
            continue;
        const QRect r = label->geometry();
        if (r.isEmpty() || r.left() > box.right() || box.left() > r.right())
            continue;
        const int gap = std::max({0, r.top() - box.bottom() - 1, box.top() - r.bottom() - 1});
        if (!nearest || gap < nearestGap) {
            nearest = label;
            nearestGap = gap;
        }
    }
    return nearest;
}

QString JumperAccessible::labelText(const TLabel *label)
{
    QStringList lines;
    for (const QString &line : label->caption().split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed(); // also drops the CR of a CR LF
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines.join(QLatin1String(" / "));
}

QString JumperAccessible::stateText(const JumperWidget *jumper)
{
    if (auto *two = qobject_cast<const TTwoJumper *>(jumper))
        return two->closed() ? QStringLiteral("closed") : QStringLiteral("open");
    auto *three = qobject_cast<const TThreeJumper *>(jumper);
    if (!three || three->jumperState() == jsOpen)
        return QStringLiteral("open");
    // The cap joins the middle pin and one end of the horizontal frame; the turn decides where
    // that end shows. Indexed by TOrientationType: otUp, otDown, otLeft, otRight.
    static const char *const frameLeftEnd[] = {"left", "right", "bottom", "top"};
    static const char *const frameRightEnd[] = {"right", "left", "top", "bottom"};
    const int turn = int(three->orientation());
    const QLatin1String end(three->jumperState() == jsLeft ? frameLeftEnd[turn] : frameRightEnd[turn]);
    // Named in reading order: left and top before the middle, right and bottom after it.
    if (end == QLatin1String("left") || end == QLatin1String("top"))
        return QStringLiteral("cap on the %1 and middle pins").arg(end);
    return QStringLiteral("cap on the middle and %1 pins").arg(end);
}

QString JumperAccessible::text(QAccessible::Text t) const
{
    const JumperWidget *j = jumper();
    if (t == QAccessible::Name) {
        if (!j->accessibleName().isEmpty())
            return j->accessibleName();
        const TLabel *label = besideLabel(j);
        return label ? labelText(label) + QLatin1String(": ") + stateText(j) : stateText(j);
    }
    if (t == QAccessible::Description) {
        if (!j->accessibleDescription().isEmpty())
            return j->accessibleDescription();
        if (auto *two = qobject_cast<const TTwoJumper *>(j))
            return QStringLiteral("Two-pin jumper, %1. A click %2 it.")
                .arg(stateText(j), two->closed() ? QLatin1String("opens") : QLatin1String("closes"));
        return QStringLiteral("Three-pin jumper, %1. A click moves the cap on.").arg(stateText(j));
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State JumperAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (auto *two = qobject_cast<const TTwoJumper *>(jumper())) {
        s.checkable = true;
        s.checked = two->closed();
    }
    return s;
}

QStringList JumperAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (!jumper()->isEnabled())
        return names;
    names.prepend(pressAction());
    if (role() == QAccessible::CheckBox)
        names.append(toggleAction());
    return names;
}

void JumperAccessible::doAction(const QString &actionName)
{
    JumperWidget *j = jumper();
    // Like the mouse, the action does nothing to a disabled drawing.
    if ((actionName == pressAction() || (actionName == toggleAction() && role() == QAccessible::CheckBox))
        && j->isEnabled()) {
        Guarded([j] { j->Click(); });
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
JumperAccessible::relations(QAccessible::Relation match) const
{
    auto found = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label)
        if (TLabel *label = besideLabel(jumper()))
            if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label))
                found.append(qMakePair(iface, QAccessible::Label));
    return found;
}
