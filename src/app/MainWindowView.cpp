// Where the user is: the current row, the selected rows and the preview box's cursor, which undo and redo put
// back; the status bar that tells the line count and the current row.
#include "app/MainWindow.h"

#include "app/UndoHistoryDialog.h"
#include "colors/PreviewBoxWidget.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QStatusBar>
#include <QTreeView>

void MainWindow::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("stbMain"));
    m_lineStatus = new QLabel(statusBar());
    m_lineStatus->setObjectName(QStringLiteral("lblLineStatus"));
    statusBar()->addPermanentWidget(m_lineStatus);
    // A marked line: a link to the page that says what the marks mean.
    m_markHelp = new QLabel(QStringLiteral("<a href=\"help:marks.html\">! What does this mean?</a>"), statusBar());
    m_markHelp->setObjectName(QStringLiteral("lblMarkHelp"));
    m_markHelp->setToolTip(QStringLiteral("The current line is shown otherwise in the game"));
    m_markHelp->hide();
    connect(m_markHelp, &QLabel::linkActivated, this, [this](const QString &link) { openHelpLink(QUrl(link)); });
    statusBar()->addPermanentWidget(m_markHelp);
    // Lasting, unlike a message: work not kept for a crash stays said until it is kept again.
    auto *recoveryWarning = new QLabel(statusBar());
    recoveryWarning->setObjectName(QStringLiteral("lblRecoveryWarning"));
    recoveryWarning->hide();
    statusBar()->addPermanentWidget(recoveryWarning);
    connect(&m_document, &Document::recoveryTrouble, recoveryWarning, [recoveryWarning](const QString &message) {
        // A long folder name is shortened in its middle, never widening the window; the tip says it all.
        recoveryWarning->setText(recoveryWarning->fontMetrics().elidedText(message, Qt::ElideMiddle, 480));
        recoveryWarning->setToolTip(message);
        recoveryWarning->setVisible(!message.isEmpty());
    });
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &MainWindow::updateLineStatus);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_model, signal, this, &MainWindow::updateLineStatus);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &MainWindow::updateLineStatus);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::updateLineStatus);
    // Typing has moved the cursor by the time the change reaches the history; the edit says where it began:
    // the cursor was there, or selected what it replaced.
    connect(m_preview->document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int) {
        if (!m_previewUpdating)
            m_cursorBeforeEdit = std::pair(position, position + removed);
    });
    updateLineStatus();
}

void MainWindow::updateLineStatus()
{
    const std::optional<int> row = currentRow();
    const int count = m_model.count();
    m_markHelp->setVisible(row && m_model.gameMark(*row).has_value());
    if (row)
        m_lineStatus->setText(QStringLiteral("Line %1 of %2").arg(*row + 1).arg(count));
    else
        m_lineStatus->setText(count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count));
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

HistoryView MainWindow::currentView() const
{
    HistoryView view;
    view.currentRow = currentRow();
    for (const QItemSelectionRange &range : m_list->selectionModel()->selection()) {
        if (!view.selectedRows.isEmpty() && view.selectedRows.last() == std::pair(range.top(), range.bottom()))
            continue;
        view.selectedRows.append({range.top(), range.bottom()});
    }
    const QTextCursor cursor = m_preview->textCursor();
    view.anchor = m_cursorBeforeEdit ? m_cursorBeforeEdit->first : cursor.anchor();
    view.cursor = m_cursorBeforeEdit ? m_cursorBeforeEdit->second : cursor.position();
    return view;
}

void MainWindow::restoreView(const HistoryView &view)
{
    if (view.currentRow)
        setCurrentRow(*view.currentRow);
    else
        m_list->selectionModel()->clearCurrentIndex();
    if (!view.selectedRows.isEmpty()) {
        QItemSelection selection;
        for (const auto &[first, last] : view.selectedRows)
            if (first < m_model.count())
                selection.select(m_model.index(first, 0),
                                 m_model.index(qMin(last, m_model.count() - 1), AnimationModel::ColumnCount - 1));
        m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    setPreview();
    const int end = m_preview->document()->characterCount() - 1;
    if (view.cursor >= 0 && view.cursor <= end && view.anchor >= 0 && view.anchor <= end) {
        QTextCursor cursor = m_preview->textCursor();
        cursor.setPosition(view.anchor);
        cursor.setPosition(view.cursor, QTextCursor::KeepAnchor);
        m_preview->setTextCursor(cursor);
    }
}

void MainWindow::showUndoHistory()
{
    if (!m_undoHistory)
        m_undoHistory = new UndoHistoryDialog(m_history.stack(), this);
    m_undoHistory->show();
    m_undoHistory->raise();
    m_undoHistory->activateWindow();
}
