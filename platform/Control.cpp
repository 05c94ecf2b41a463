#include "Control.h"

#include "TForm.h"

#include <QEvent>
#include <QHash>
#include <QPointer>

namespace {

struct Rule {
    Vcl::TAnchors anchors = Vcl::akLeft | Vcl::akTop;
    Vcl::TAlign align = Vcl::alNone;
    QRect original;      // the control's box when the rule was recorded
    QSize parentSize;    // the parent's client size then
};

// One per parent that has children with rules; watches the parent's resizes.
class AnchorLayout : public QObject
{
public:
    explicit AnchorLayout(QWidget *parent)
        : QObject(parent), m_parent(parent)
    {
        setObjectName(QStringLiteral("_anchorLayout"));
        parent->installEventFilter(this);
    }

    static AnchorLayout *of(QWidget *parent, bool create)
    {
        if (!parent)
            return nullptr;
        auto *layout = parent->findChild<AnchorLayout *>(QStringLiteral("_anchorLayout"), Qt::FindDirectChildrenOnly);
        if (!layout && create)
            layout = new AnchorLayout(parent);
        return layout;
    }

    Rule *rule(QWidget *child, bool create)
    {
        auto it = m_rules.find(child);
        if (it != m_rules.end())
            return &it.value();
        if (!create)
            return nullptr;
        Rule r;
        r.original = child->geometry();
        r.parentSize = m_parent->size();
        return &m_rules.insert(child, r).value();
    }

    void record(QWidget *child)
    {
        if (m_applying)
            return;
        if (Rule *r = rule(child, false)) {
            r->original = child->geometry();
            r->parentSize = m_parent->size();
        }
    }

    void apply()
    {
        if (m_applying)
            return;
        m_applying = true;
        const QSize size = m_parent->size();
        int topEdge = 0;
        const auto children = m_parent->children();
        for (QObject *o : children) {
            auto *child = qobject_cast<QWidget *>(o);
            if (!child || child->isWindow())
                continue;
            auto it = m_rules.find(child);
            if (it == m_rules.end())
                continue;
            const Rule &r = it.value();
            if (r.align == Vcl::alTop) {
                child->setGeometry(0, topEdge, size.width(), child->height());
                topEdge += child->height();
                continue;
            }
            if (r.align == Vcl::alClient) {
                child->setGeometry(0, topEdge, size.width(), qMax(0, size.height() - topEdge));
                continue;
            }
            child->setGeometry(axis(r.anchors & Vcl::akLeft, r.anchors & Vcl::akRight, r.original.x(),
                                    r.original.width(), r.parentSize.width(), size.width(), child->width(), true),
                               axis(r.anchors & Vcl::akTop, r.anchors & Vcl::akBottom, r.original.y(),
                                    r.original.height(), r.parentSize.height(), size.height(), child->height(), true),
                               axis(r.anchors & Vcl::akLeft, r.anchors & Vcl::akRight, r.original.x(),
                                    r.original.width(), r.parentSize.width(), size.width(), child->width(), false),
                               axis(r.anchors & Vcl::akTop, r.anchors & Vcl::akBottom, r.original.y(),
                                    r.original.height(), r.parentSize.height(), size.height(), child->height(), false));
        }
        m_applying = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_parent && event->type() == QEvent::Resize)
            apply();
        return false;
    }

private:
    // Position (wantPos) or extent along one axis.
    static int axis(bool nearAnchor, bool farAnchor, int pos, int extent, int oldParent, int newParent,
                    int currentExtent, bool wantPos)
    {
        if (nearAnchor && farAnchor)
            return wantPos ? pos : qMax(0, extent + newParent - oldParent);
        if (nearAnchor)
            return wantPos ? pos : currentExtent;
        if (farAnchor)
            return wantPos ? pos + newParent - oldParent : currentExtent;
        if (!wantPos)
            return currentExtent;
        if (oldParent <= 0)
            return pos;
        // Keep the centre at the same relative place.
        const int centre = pos + extent / 2;
        return int((qint64(centre) * newParent + oldParent / 2) / oldParent) - currentExtent / 2;
    }

    QWidget *m_parent;
    QHash<QWidget *, Rule> m_rules;
    bool m_applying = false;
};

TForm *asForm(const QWidget *control)
{
    return qobject_cast<TForm *>(const_cast<QWidget *>(control));
}

void recorded(QWidget *control)
{
    if (AnchorLayout *layout = AnchorLayout::of(control->parentWidget(), false))
        layout->record(control);
}

} // namespace

int Left(const QWidget *control)
{
    return control->isWindow() ? control->frameGeometry().x() : control->x();
}

int Top(const QWidget *control)
{
    return control->isWindow() ? control->frameGeometry().y() : control->y();
}

int Width(const QWidget *control)
{
    if (TForm *form = asForm(control))
        return form->outerWidth();
    return control->width();
}

int Height(const QWidget *control)
{
    if (TForm *form = asForm(control))
        return form->outerHeight();
    return control->height();
}

void SetBounds(QWidget *control, int left, int top, int width, int height)
{
    if (TForm *form = asForm(control)) {
        form->move(left, top);
        form->setOuterSize(width, height);
        return;
    }
    control->setGeometry(left, top, qMax(0, width), qMax(0, height));
    recorded(control);
}

void SetLeft(QWidget *control, int left) { SetBounds(control, left, Top(control), Width(control), Height(control)); }
void SetTop(QWidget *control, int top) { SetBounds(control, Left(control), top, Width(control), Height(control)); }
void SetWidth(QWidget *control, int width) { SetBounds(control, Left(control), Top(control), width, Height(control)); }
void SetHeight(QWidget *control, int height) { SetBounds(control, Left(control), Top(control), Width(control), height); }

Vcl::TAnchors Anchors(const QWidget *control)
{
    if (AnchorLayout *layout = AnchorLayout::of(control->parentWidget(), false))
        if (Rule *r = layout->rule(const_cast<QWidget *>(control), false))
            return r->anchors;
    return Vcl::akLeft | Vcl::akTop;
}

void SetAnchors(QWidget *control, Vcl::TAnchors anchors)
{
    AnchorLayout *layout = AnchorLayout::of(control->parentWidget(), true);
    if (!layout)
        return;
    Rule *r = layout->rule(control, true);
    r->anchors = anchors;
    layout->record(control);
}

Vcl::TAlign Align(const QWidget *control)
{
    if (AnchorLayout *layout = AnchorLayout::of(control->parentWidget(), false))
        if (Rule *r = layout->rule(const_cast<QWidget *>(control), false))
            return r->align;
    return Vcl::alNone;
}

void SetAlign(QWidget *control, Vcl::TAlign align)
{
    AnchorLayout *layout = AnchorLayout::of(control->parentWidget(), true);
    if (!layout)
        return;
    layout->rule(control, true)->align = align;
    layout->apply();
}

void Realign(QWidget *parent)
{
    if (AnchorLayout *layout = AnchorLayout::of(parent, false))
        layout->apply();
}

QWidget *ClientOf(QWidget *control)
{
    if (TForm *form = asForm(control))
        return form->client();
    return control;
}

QWidget *ParentControl(const QWidget *control)
{
    QWidget *parent = control->parentWidget();
    if (parent && parent->parentWidget() && asForm(parent->parentWidget())
        && asForm(parent->parentWidget())->client() == parent)
        return parent->parentWidget();
    return parent;
}
