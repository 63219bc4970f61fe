#include "app/EmptyListHint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>

namespace {

class HintFollower : public QObject {
public:
    HintFollower(QAbstractItemView *list, QLabel *hint) : QObject(hint), m_list(list), m_hint(hint) {}

    void update()
    {
        const QAbstractItemModel *model = m_list->model();
        m_hint->setVisible(model && model->rowCount() == 0);
        m_hint->setGeometry(m_list->viewport()->rect());
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            update();
        return false;
    }

private:
    QAbstractItemView *m_list;
    QLabel *m_hint;
};

} // namespace

void ShowHintWhenEmpty(QAbstractItemView *list, const QString &hint)
{
    auto *label = new QLabel(hint, list->viewport());
    label->setObjectName(QStringLiteral("lblEmptyHint"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *follower = new HintFollower(list, label);
    list->viewport()->installEventFilter(follower);
    QAbstractItemModel *model = list->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        QObject::connect(model, signal, follower, [follower] { follower->update(); });
    QObject::connect(model, &QAbstractItemModel::modelReset, follower, [follower] { follower->update(); });
    follower->update();
}
