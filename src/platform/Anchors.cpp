#include "platform/Anchors.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace moravel::platform {

namespace {

class AnchorFilter : public QObject {
public:
    struct Entry {
        QPointer<QWidget> control;
        Qt::Edges edges;
        QRect design;
        QSize parentDesign;
    };

    static constexpr const char* Name = "moravel-anchors";

    explicit AnchorFilter(QWidget* parent) : QObject(parent) {
        setObjectName(QString::fromLatin1(Name));
        parent->installEventFilter(this);
    }

    void add(QWidget* control, Qt::Edges edges) {
        auto* parent = static_cast<QWidget*>(this->parent());
        m_entries.push_back({control, edges, control->geometry(), parent->size()});
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QWidget*>(watched)->size();
            for (const Entry& e : m_entries)
                if (e.control)
                    e.control->setGeometry(place(e, size));
        }
        return false;
    }

private:
    // The control's rectangle for a parent of `size`: an edge anchored on both sides stretches by the
    // parent's growth, one anchored on the far side only moves with it, and one anchored on the near
    // side only stays where the control is now (code may have slid it out of sight or back).
    static QRect place(const Entry& e, QSize size) {
        const int dw = size.width() - e.parentDesign.width();
        const int dh = size.height() - e.parentDesign.height();
        const QRect now = e.control->geometry();
        QRect r = e.design;
        if ((e.edges & Qt::LeftEdge) && (e.edges & Qt::RightEdge)) {
            r.moveLeft(now.left());
            r.setWidth(std::max(0, e.design.width() + dw));
        } else if (e.edges & Qt::RightEdge) {
            r.moveLeft(e.design.left() + dw);
        } else {
            r.moveLeft(now.left());
        }
        if ((e.edges & Qt::TopEdge) && (e.edges & Qt::BottomEdge)) {
            r.moveTop(now.top());
            r.setHeight(std::max(0, e.design.height() + dh));
        } else if (e.edges & Qt::BottomEdge) {
            r.moveTop(e.design.top() + dh);
        } else {
            r.moveTop(now.top());
        }
        return r;
    }

    std::vector<Entry> m_entries;
};

} // namespace

void anchor(QWidget* control, Qt::Edges edges) {
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    // The filter has no meta-object of its own: it is found by its name.
    auto* filter = static_cast<AnchorFilter*>(
        parent->findChild<QObject*>(QString::fromLatin1(AnchorFilter::Name), Qt::FindDirectChildrenOnly));
    if (!filter)
        filter = new AnchorFilter(parent);
    filter->add(control, edges);
}

} // namespace moravel::platform
