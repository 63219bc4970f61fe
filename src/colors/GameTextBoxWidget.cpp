#include "colors/GameTextBoxWidget.h"

#include "colors/GameColors.h"

#include <QEvent>
#include <QPainter>
#include <QTextEdit>

namespace {

const QColor Backdrop = GameBackdrop();

void setBackdropPalette(QTextEdit *box)
{
    QPalette palette = box->palette();
    if (palette.color(QPalette::Base) == Backdrop && palette.color(QPalette::Text) == Qt::white)
        return;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Backdrop);
        palette.setColor(group, QPalette::Text, Qt::white);
    }
    box->setPalette(palette);
}

// Paints the grey under the text itself (a style sheet or style may fill the box otherwise) and puts the
// palette back when a new one arrives.
class BackdropKeeper : public QObject {
public:
    // The viewport is kept from the start: while the box is being destroyed it is no text box any more.
    explicit BackdropKeeper(QTextEdit *box) : QObject(box), m_box(box), m_viewport(box->viewport()) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_viewport && event->type() == QEvent::Paint) {
            QPainter painter(m_viewport);
            painter.fillRect(m_viewport->rect(), Backdrop);
        } else if (watched == m_box
                   && (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)) {
            setBackdropPalette(m_box);
        }
        return false;
    }

private:
    QTextEdit *m_box;
    QWidget *m_viewport;
};

} // namespace

void KeepGameBackdrop(QTextEdit *box)
{
    setBackdropPalette(box);
    auto *keeper = new BackdropKeeper(box);
    box->installEventFilter(keeper);
    box->viewport()->installEventFilter(keeper);
}

void StyleAsGameText(QTextEdit *box)
{
    KeepGameBackdrop(box);
    QFont font = box->font();
    font.setPointSizeF(12);
    font.setBold(true);
    box->setFont(font);
}
