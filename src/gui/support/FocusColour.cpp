#include "gui/support/FocusColour.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

namespace {

class FocusColourFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            auto *field = static_cast<QWidget *>(watched);
            paint(field,
                  event->type() == QEvent::FocusIn ? QColor(255, 255, 0) : QColor(Qt::white));
        }
        return false;
    }

    static void paint(QWidget *field, const QColor &colour)
    {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        field->setPalette(palette);
    }
};

} // namespace

void attachFocusColour(QWidget *field)
{
    auto *filter = new FocusColourFilter(field);
    FocusColourFilter::paint(field, field->hasFocus() ? QColor(255, 255, 0) : QColor(Qt::white));
    field->installEventFilter(filter);
}
