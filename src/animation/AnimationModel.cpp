#include "animation/AnimationModel.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

// The mark of a line the game plays otherwise: an amber disc with a "!".
QIcon gameMarkIcon()
{
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xf0, 0xa0, 0x00));
        painter.drawEllipse(1, 1, 14, 14);
        painter.setPen(Qt::black);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(12);
        painter.setFont(font);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("!"));
        return QIcon(pixmap);
    }();
    return icon;
}

} // namespace

AnimationModel::AnimationModel(QObject *parent)
    : QAbstractTableModel(parent),
      m_marks([this] { return LineMarkCache::Play{m_lines, m_frameRate, &Games::Of(m_game), m_passes}; })
{
    // Any change of the lines may change how the game plays the lines after it.
    for (auto signal : {&AnimationModel::rowsInserted, &AnimationModel::rowsRemoved})
        connect(this, signal, this, [this] { forgetMarks(); });
    // Another animation: the marks of the one before mean nothing for it.
    connect(this, &AnimationModel::modelReset, this, [this] { m_marks.forget(false); });
    connect(&m_marks, &LineMarkCache::arrived, this, [this] {
        if (!isEmpty())
            emit dataChanged(index(0, TextColumn), index(count() - 1, TextColumn), {Qt::DecorationRole, Qt::ToolTipRole});
        emit gameMarksArrived();
    });
}

void AnimationModel::setFrameRate(int frameRate)
{
    if (frameRate == m_frameRate)
        return;
    m_frameRate = frameRate;
    remark();
}

void AnimationModel::setGame(Game game)
{
    if (game == m_game)
        return;
    m_game = game;
    remark();
}

void AnimationModel::setPasses(int passes)
{
    if (passes == m_passes)
        return;
    m_passes = passes;
    remark();
}

void AnimationModel::remark()
{
    forgetMarks();
    if (!isEmpty())
        emit dataChanged(index(0, TextColumn), index(count() - 1, TextColumn), {Qt::DecorationRole, Qt::ToolTipRole});
}

const GameVerdict &AnimationModel::gameVerdict() const
{
    return m_marks.verdict();
}

std::optional<LineMark> AnimationModel::gameMark(int row) const
{
    return m_marks.mark(row, count());
}

int AnimationModel::insertLines(int row, const QVector<AnimationLine> &lines)
{
    const int taken = static_cast<int>(qMin<qsizetype>(lines.size(), roomLeft()));
    if (taken <= 0 || row < 0 || row > count())
        return 0;
    const QVector<AnimationLine> inserted = taken == lines.size() ? lines : lines.mid(0, taken);
    if (m_listener)
        m_listener->linesInserted(row, inserted);
    beginInsertRows(QModelIndex(), row, row + taken - 1);
    if (m_lines.isEmpty()) {
        m_lines = inserted;  // shared with the undo history until either changes
    } else if (row == count()) {
        m_lines.append(inserted);
    } else if (taken == 1) {
        m_lines.insert(row, inserted.first());
    } else {
        m_lines.insert(row, taken, AnimationLine());
        std::copy(inserted.cbegin(), inserted.cend(), m_lines.begin() + row);
    }
    endInsertRows();
    return taken;
}

int AnimationModel::setLines(QVector<AnimationLine> lines)
{
    if (lines.size() > MaxLines)
        lines.resize(MaxLines);
    if (m_listener && !(m_lines.isEmpty() && lines.isEmpty()))
        m_listener->linesReplaced(m_lines, lines);
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
    return count();
}

void AnimationModel::removeLines(int row, int count)
{
    if (row < 0 || count <= 0 || row + count > this->count())
        return;
    if (m_listener)
        m_listener->linesRemoved(row, count == this->count() ? m_lines : m_lines.mid(row, count));
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    if (count == this->count())
        m_lines.clear();
    else
        m_lines.remove(row, count);
    endRemoveRows();
}

void AnimationModel::changeField(int row, Column column, QString AnimationLine::*field, const QString &value)
{
    if (row < 0 || row >= count() || m_lines.at(row).*field == value)
        return;
    if (m_listener)
        m_listener->fieldChanged(row, column, m_lines.at(row).*field, value);
    m_lines[row].*field = value;
    forgetMarks();
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    // The marks of this line and of the chat lines after it.
    emit dataChanged(index(row, TextColumn), index(count() - 1, TextColumn), {Qt::DecorationRole, Qt::ToolTipRole});
}

void AnimationModel::setText(int row, const QString &text)
{
    changeField(row, TextColumn, &AnimationLine::text, text);
}

void AnimationModel::setTime(int row, const QString &time)
{
    changeField(row, TimeColumn, &AnimationLine::time, time);
}

void AnimationModel::setAction(int row, const QString &action)
{
    changeField(row, ActionColumn, &AnimationLine::action, action);
}

int AnimationModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int AnimationModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AnimationModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if ((role == Qt::DecorationRole || role == Qt::ToolTipRole) && index.column() == TextColumn) {
        const std::optional<LineMark> mark = gameMark(index.row());
        if (!mark)
            return {};
        if (role == Qt::DecorationRole)
            return gameMarkIcon();
        // A tooltip can't be clicked: it says where the link to the explanation is.
        static const QString where = QStringLiteral("\nWhat does this mean? The status bar's link opens the help.");
        return (mark->shown.isEmpty() ? mark->reason
                                      : QStringLiteral("In the game: %1\n%2").arg(mark->shown, mark->reason))
               + where;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const AnimationLine &line = m_lines.at(index.row());
    switch (index.column()) {
    case TextColumn:
        // Showing a huge Text would lay out all of it on every paint; the row shows its start.
        if (role == Qt::DisplayRole && line.text.size() > MaxShownCharacters)
            return line.text.left(MaxShownCharacters);
        return line.text;
    case TimeColumn: return line.time;
    case ActionColumn: return line.action;
    default: return {};
    }
}

QVariant AnimationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TextColumn: return QStringLiteral("Text");
    case TimeColumn: return QStringLiteral("Time");
    case ActionColumn: return QStringLiteral("Action");
    default: return {};
    }
}

Qt::ItemFlags AnimationModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Only a line's Text is edited in place; the list decides when editing may start.
    if (index.isValid() && index.column() == TextColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool AnimationModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != TextColumn)
        return false;
    AnimationStep step(*this, QStringLiteral("Edit text"));
    setText(index.row(), value.toString());
    return true;
}
