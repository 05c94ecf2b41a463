// What assistive technology (a screen reader) learns of a jumper drawing, through QAccessible.
// Name: the label beside the drawing and the jumper's state, "2.5V: closed" (the state alone
// when no label stands beside it). Description: the kind of jumper, its state and what a click
// does. A two-pin jumper is a check box, checked while closed; a three-pin jumper a button. The
// press action (and a two-pin jumper's toggle action) clicks the drawing as the mouse does.
// Every JumperWidget gets this interface; the first one made installs the factory.
#pragma once

#include <QAccessibleWidget>

class JumperWidget;
class TLabel;

class JumperAccessible : public QAccessibleWidget
{
public:
    explicit JumperAccessible(JumperWidget *jumper);

    // Makes QAccessible hand out this interface for every JumperWidget. Runs once.
    static void install();

    // The label beside a drawing: among the shown TLabels with a caption on the drawing's
    // parent whose horizontal span overlaps the drawing's, the one with the smallest vertical
    // gap to it (the first in the parent's child order on a tie). None when no label qualifies.
    static TLabel *besideLabel(const QWidget *jumper);
    // A label's caption as one line: its lines trimmed and joined by " / " ("Pull / Dn / Up").
    static QString labelText(const TLabel *label);
    // The jumper's state as the user sees it, turned with the drawing: "open", "closed",
    // "cap on the left and middle pins", "cap on the middle and bottom pins".
    static QString stateText(const JumperWidget *jumper);

    // Name and Description as above; an accessible name or description set on the widget
    // wins. Other texts as for any widget.
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    // Adds the label beside the drawing as its Label.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;

private:
    JumperWidget *jumper() const;
};
