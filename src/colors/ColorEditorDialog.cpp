#include "colors/ColorEditorDialog.h"

#include "colors/ColorButtonsWidget.h"
#include "colors/ColoredText.h"
#include "colors/GameColors.h"
#include "colors/MoreColorsButton.h"
#include "colors/GameTextBoxWidget.h"
#include "transforms/ColorizeDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace {

constexpr int ButtonSize = 25;
constexpr int ButtonPitch = 32;
constexpr int Margin = 8;

} // namespace

ColorEditorDialog::ColorEditorDialog(const GameRules &game, QWidget *parent)
    : QDialog(parent), m_game(game), m_preview(new QTextEdit(this))
{
    setObjectName(QStringLiteral("frmColorEditor"));
    setWindowTitle(QStringLiteral("Color name editor"));
    m_preview->setTabChangesFocus(true);  // Tab moves on: it typed a tab over the selected name
    setModal(true);

    const int rowWidth = (ColorButtonCount - 1) * ButtonPitch + ButtonSize;
    auto *buttons = new ColorButtonsWidget(1, ColorButtonCount, ButtonSize, ButtonPitch, this);
    buttons->setGame(game);
    buttons->move(Margin, Margin);
    connect(buttons, &ColorButtonsWidget::colorClicked, this, &ColorEditorDialog::applyColor);
    auto *more = new MoreColorsButton(this);
    more->setGame(game, ColorButtonCount);
    more->setGeometry(Margin + rowWidth + 4, Margin, 44, ButtonSize);
    connect(more, &MoreColorsButton::colorChosen, this, &ColorEditorDialog::applyColor);
    const int moreWidth = more->isVisibleTo(this) ? 48 : 0;

    auto *label = new QLabel(QStringLiteral("Color your text here"), this);
    label->setObjectName(QStringLiteral("Label3"));
    label->setGeometry(Margin, 42, rowWidth, 18);

    m_preview->setObjectName(QStringLiteral("txtPreview"));
    m_preview->setGeometry(Margin, 62, rowWidth, 64);
    m_preview->setAcceptRichText(false);
    StyleAsGameText(m_preview);

    auto *copy = new QPushButton(QStringLiteral("Co&py to clipboard"), this);
    copy->setObjectName(QStringLiteral("cmdClipboard"));
    copy->setGeometry(Margin, 136, 130, 26);
    connect(copy, &QPushButton::clicked, this, &ColorEditorDialog::copyToClipboard);

    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setGeometry(Margin + rowWidth - 90, 136, 90, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // Recolours the box's text with a pattern.
    auto *colorize = new QPushButton(QStringLiteral("Colori&ze..."), this);
    colorize->setObjectName(QStringLiteral("cmdColorize"));
    colorize->setGeometry(Margin, 168, 130, 26);
    connect(colorize, &QPushButton::clicked, this, [this] {
        ColorizeDialog dialog(codedText(), m_game, this);
        if (dialog.exec() == QDialog::Accepted)
            RenderColoredText(dialog.colorizedText(), *m_preview->document(), m_game);
    });

    setFixedSize(rowWidth + moreWidth + 2 * Margin, 202);
}

void ColorEditorDialog::applyColor(int index)
{
    // With no selection this sets the colour of what is typed next.
    m_preview->setTextColor(GameColor(m_game, index));
}

QString ColorEditorDialog::codedText() const
{
    // Starting from a colour no character has gives every text a leading code,
    // so a name that begins black keeps its colour in the game ("^0").
    const QColor noColor(1, 2, 3);
    return ColorCodedText(*m_preview->document(), noColor, Qt::white, m_game);
}

void ColorEditorDialog::copyToClipboard()
{
    QGuiApplication::clipboard()->setText(codedText());
}
