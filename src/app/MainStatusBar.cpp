#include "app/MainStatusBar.h"

#include "animation/Document.h"
#include "animation/DocumentSession.h"

#include <QLabel>
#include <QStatusBar>
#include <QTreeView>

#include <memory>

void BuildMainStatusBar(QStatusBar *bar, Document &document, DocumentSession &session, QTreeView *list,
                        std::function<std::optional<int>()> currentRow, std::function<void(const QUrl &)> openHelp)
{
    bar->setObjectName(QStringLiteral("stbMain"));
    // What the preview box is for just now: typing the Text, or showing the game's version, locked.
    auto *previewNote = new QLabel(bar);
    previewNote->setObjectName(QStringLiteral("lblPreviewNote"));
    bar->addPermanentWidget(previewNote);
    auto *lineStatus = new QLabel(bar);
    lineStatus->setObjectName(QStringLiteral("lblLineStatus"));
    bar->addPermanentWidget(lineStatus);
    // A marked line: a link to the page that says what the marks mean.
    auto *markHelp = new QLabel(QStringLiteral("<a href=\"help:marks.html\">! What does this mean?</a>"), bar);
    markHelp->setObjectName(QStringLiteral("lblMarkHelp"));
    markHelp->setToolTip(QStringLiteral("The current line is shown otherwise in the game"));
    markHelp->hide();
    QObject::connect(markHelp, &QLabel::linkActivated, bar, [openHelp](const QString &link) { openHelp(QUrl(link)); });
    bar->addPermanentWidget(markHelp);
    // Lasting, unlike a message: work not kept for a crash stays said until it is kept again.
    auto *recoveryWarning = new QLabel(bar);
    recoveryWarning->setObjectName(QStringLiteral("lblRecoveryWarning"));
    recoveryWarning->hide();
    bar->addPermanentWidget(recoveryWarning);
    QObject::connect(&document, &Document::recoveryTrouble, recoveryWarning, [recoveryWarning](const QString &message) {
        // A long folder name is shortened in its middle, never widening the window; the tip says it all.
        recoveryWarning->setText(recoveryWarning->fontMetrics().elidedText(message, Qt::ElideMiddle, 480));
        recoveryWarning->setToolTip(message);
        recoveryWarning->setVisible(!message.isEmpty());
    });

    const AnimationModel *model = &document.model();
    const auto update = [model, lineStatus, markHelp, currentRow] {
        const std::optional<int> row = currentRow();
        const int count = model->count();
        markHelp->setVisible(row && model->gameMark(*row).has_value());
        if (row)
            lineStatus->setText(QStringLiteral("Line %1 of %2").arg(*row + 1).arg(count));
        else
            lineStatus->setText(count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count));
    };
    QObject::connect(model, &QAbstractItemModel::dataChanged, lineStatus, update);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, lineStatus, update);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, lineStatus, update);
    QObject::connect(model, &QAbstractItemModel::modelReset, lineStatus, update);
    QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, lineStatus, update);
    update();

    // Said once per document: the player knows after the first time.
    auto told = std::make_shared<bool>(false);
    QObject::connect(&session, &DocumentSession::documentStarted, bar, [told] { *told = false; });
    QObject::connect(&document.history(), &AnimationHistory::olderStepsDropped, bar, [bar, told] {
        if (!std::exchange(*told, true))
            bar->showMessage(QStringLiteral("Older undo steps were dropped to save memory"));
    });
    const Document *watched = &document;
    auto said = std::make_shared<QString>();
    const auto sayChange = [bar, watched, said](WatchedFile::Change change) {
        *said = QStringLiteral("%1 was %2 by another program.")
                    .arg(watched->displayName(), change == WatchedFile::Change::Removed ? QStringLiteral("removed")
                                                                                        : QStringLiteral("changed"));
        bar->showMessage(*said);
    };
    QObject::connect(&document, &Document::changedOnDisk, bar, sayChange);
    // Another file opened, or this one saved: what was said of the old file no longer holds.
    const auto fresh = [bar, watched, said, sayChange] {
        if (const WatchedFile::Change change = watched->changeOnDisk(); change != WatchedFile::Change::None)
            sayChange(change);
        else if (bar->currentMessage() == *said)
            bar->clearMessage();
    };
    QObject::connect(&session, &DocumentSession::documentStarted, bar, fresh);
    QObject::connect(&session, &DocumentSession::fileUsed, bar, fresh);
}
