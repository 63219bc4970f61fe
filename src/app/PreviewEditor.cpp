#include "app/PreviewEditor.h"

#include "animation/AnimationModel.h"
#include "colors/ColoredText.h"
#include "colors/GameColors.h"
#include "colors/PreviewBoxWidget.h"

#include <QTimer>

PreviewEditor::PreviewEditor(PreviewBoxWidget *box, AnimationModel &model, Access access, QObject *parent)
    : QObject(parent), m_box(box), m_model(model), m_access(std::move(access))
{
    connect(m_box->document(), &QTextDocument::contentsChanged, this, &PreviewEditor::edited);
    // Typing has moved the cursor by the time the change reaches the history; the edit says where it began:
    // the cursor was there, or selected what it replaced.
    connect(m_box->document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int) {
        if (!m_updating)
            m_cursorBeforeEdit = std::pair(position, position + removed);
    });
    // A Text changed elsewhere (edited in the list) is shown at once: typing on must not write the old one back.
    connect(&m_model, &AnimationModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to,
                                                                 const QList<int> &roles) {
        const std::optional<int> row = m_access.currentRow();
        if (!m_updating && row && from.row() <= *row && *row <= to.row() && roles.contains(Qt::EditRole))
            showCurrentLine();
    });
    connect(&m_model, &AnimationModel::gameMarksArrived, this, [this] {
        if (!m_updating && m_access.showAsGame())
            showCurrentLine();
    });
}

void PreviewEditor::showCurrentLine()
{
    const bool wasUpdating = std::exchange(m_updating, true);
    if (m_model.isEmpty()) {
        m_box->showPlaceholder();
        if (m_access.note)
            m_access.note(QString());
    } else {
        const std::optional<int> row = m_access.currentRow();
        const bool asGame = m_access.showAsGame();
        // The game's version is locked so the Text never changes by itself; with no current line there is no
        // row to write edits into.
        const std::optional<LineMark> mark = row && asGame ? m_model.gameMark(*row) : std::nullopt;
        m_box->setReadOnly(!row || asGame);
        if (m_access.note)
            m_access.note(!row    ? QString()
                          : asGame ? QStringLiteral("Preview: as the game shows it, locked (Edit \u25b8 Show as the game "
                                                    "shows it)")
                                   : QStringLiteral("Type in the preview to change the line's Text"));
        RenderColoredText(mark ? mark->shown : row ? m_model.line(*row).text : QString(), *m_box->document(),
                          m_access.rules());
        m_box->moveCursor(QTextCursor::End);
    }
    m_updating = wasUpdating;
}

void PreviewEditor::draw(const QString &codedText)
{
    const bool wasUpdating = std::exchange(m_updating, true);
    RenderColoredText(codedText, *m_box->document(), m_access.rules());
    m_updating = wasUpdating;
}

void PreviewEditor::applyColor(int index)
{
    if (m_box->document()->isEmpty())
        return;
    AnimationStep step(m_model, QStringLiteral("Color"));
    m_box->applyColor(GameColor(m_access.rules(), index));
}

void PreviewEditor::showCurrentLineAfter(int ms)
{
    // Typing into the played frame must not write it into the current line.
    m_box->setReadOnly(true);
    QTimer::singleShot(ms, this, [this] {
        if (!m_updating)
            showCurrentLine();
    });
}

void PreviewEditor::edited()
{
    const std::optional<int> row = m_access.currentRow();
    if (m_updating || !row)
        return;
    AnimationStep step(m_model, QStringLiteral("Typing"), AnimationStep::Typing);
    m_cursorBeforeEdit.reset();  // the step ends where the cursor is now
    const bool wasUpdating = std::exchange(m_updating, true);  // the box holds this Text already
    m_model.setText(*row, ColorCodedText(*m_box->document(), Qt::white, Qt::white, m_access.rules()));
    m_updating = wasUpdating;
}

void PreviewEditor::saveCursor(HistoryView &view) const
{
    const QTextCursor cursor = m_box->textCursor();
    view.anchor = m_cursorBeforeEdit ? m_cursorBeforeEdit->first : cursor.anchor();
    view.cursor = m_cursorBeforeEdit ? m_cursorBeforeEdit->second : cursor.position();
}

void PreviewEditor::restoreCursor(const HistoryView &view)
{
    showCurrentLine();
    const int end = m_box->document()->characterCount() - 1;
    if (view.cursor >= 0 && view.cursor <= end && view.anchor >= 0 && view.anchor <= end) {
        QTextCursor cursor = m_box->textCursor();
        cursor.setPosition(view.anchor);
        cursor.setPosition(view.cursor, QTextCursor::KeepAnchor);
        m_box->setTextCursor(cursor);
    }
}
