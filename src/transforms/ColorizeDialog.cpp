#include "transforms/ColorizeDialog.h"

#include "colors/ColorButtonsWidget.h"
#include "colors/ColoredText.h"
#include "colors/GameTextBoxWidget.h"
#include "colors/MoreColorsButton.h"
#include "game/GameName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextEdit>

namespace {

constexpr int Margin = 8;
constexpr int Width = 420;

QTextEdit *gameBox(QWidget *parent, const QRect &geometry, const QString &objectName)
{
    auto *box = new QTextEdit(parent);
    box->setTabChangesFocus(true);  // Tab moves on; it never replaces a selection
    box->setObjectName(objectName);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StyleAsGameText(box);
    return box;
}

QLabel *label(const QString &text, QWidget *parent, const QRect &geometry, const QString &objectName = {})
{
    auto *result = new QLabel(text, parent);
    result->setGeometry(geometry);
    result->setObjectName(objectName);
    return result;
}

QString hintFor(Colorize::Pattern pattern)
{
    switch (pattern) {
    case Colorize::Pattern::Rainbow:
        return QStringLiteral("the colour it starts at (1..6)");
    case Colorize::Pattern::Alternate:
        return QStringLiteral("the two colours");
    case Colorize::Pattern::Gradient:
        return QStringLiteral("up to 7 colours, in order");
    case Colorize::Pattern::Random:
        return QStringLiteral("the colours to draw from");
    }
    return {};
}

} // namespace

ColorizeDialog::ColorizeDialog(const QString &text, const GameRules &game, QWidget *parent)
    : QDialog(parent), m_text(text), m_gameRules(game), m_seed(QRandomGenerator::global()->generate())
{
    setObjectName(QStringLiteral("frmColorize"));
    setWindowTitle(QStringLiteral("Colorize"));
    setModal(true);

    label(QStringLiteral("Pattern"), this, QRect(Margin, 12, 70, 20));
    m_pattern = new QComboBox(this);
    m_pattern->setObjectName(QStringLiteral("cmbPattern"));
    m_pattern->setGeometry(80, 8, 140, 26);
    m_pattern->addItems(Colorize::PatternNames());

    label(QStringLiteral("Colours"), this, QRect(Margin, 46, 70, 20));
    m_colors = new QLineEdit(this);
    m_colors->setObjectName(QStringLiteral("txtColors"));
    m_colors->setGeometry(80, 42, 110, 26);
    // The eight first colours, black left out where the server removes it; the rest under "More".
    const int firstCode = game.blackAllowed ? 0 : 1;
    auto *buttons = new ColorButtonsWidget(firstCode, 8 - firstCode, 18, 22, this);
    buttons->setGame(game);
    buttons->move(198, 46);
    connect(buttons, &ColorButtonsWidget::colorClicked, this, &ColorizeDialog::addColor);
    auto *more = new MoreColorsButton(this);
    more->setGame(game);
    more->setGeometry(198 + 8 * 22, 44, 40, 24);
    connect(more, &MoreColorsButton::colorChosen, this, &ColorizeDialog::addColor);
    m_colorsHint = label({}, this, QRect(80, 70, 330, 18), QStringLiteral("lblColorsHint"));

    m_backwards = new QCheckBox(QStringLiteral("&Backwards"), this);
    m_backwards->setObjectName(QStringLiteral("chkBackwards"));
    m_backwards->setGeometry(80, 94, 110, 22);
    m_byWord = new QCheckBox(QStringLiteral("By &word"), this);
    m_byWord->setObjectName(QStringLiteral("chkByWord"));
    m_byWord->setGeometry(190, 94, 100, 22);
    m_shuffle = new QPushButton(QStringLiteral("S&huffle"), this);
    m_shuffle->setObjectName(QStringLiteral("cmdShuffle"));
    m_shuffle->setGeometry(300, 92, 80, 26);
    m_fit = new QCheckBox(QStringLiteral("&Fit to 35 bytes"), this);
    m_fit->setObjectName(QStringLiteral("chkFit"));
    m_fit->setGeometry(80, 120, 200, 22);
    m_fit->setChecked(true);

    label(QStringLiteral("Preview"), this, QRect(Margin, 152, 200, 18));
    m_preview = gameBox(this, QRect(Margin, 172, Width - 2 * Margin, 34), QStringLiteral("txtPreview"));
    m_bytes = label({}, this, QRect(Margin, 208, Width - 2 * Margin, 18), QStringLiteral("lblBytes"));
    label(QStringLiteral("As the game will show it"), this, QRect(Margin, 232, 250, 18));
    m_game = gameBox(this, QRect(Margin, 252, Width - 2 * Margin, 34), QStringLiteral("txtGame"));
    m_gameNote = label({}, this, QRect(Margin, 288, Width - 2 * Margin, 32), QStringLiteral("lblGameNote"));
    m_gameNote->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(Width - 2 * 90 - Margin - 6, 326, 90, 26);
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(Width - 90 - Margin, 326, 90, 26);
    setFixedSize(Width, 360);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pattern, &QComboBox::currentIndexChanged, this, &ColorizeDialog::patternChosen);
    connect(m_colors, &QLineEdit::textChanged, this, &ColorizeDialog::refresh);
    for (QCheckBox *box : {m_backwards, m_byWord, m_fit})
        connect(box, &QCheckBox::toggled, this, &ColorizeDialog::refresh);
    connect(m_shuffle, &QPushButton::clicked, this, [this] {
        m_seed = QRandomGenerator::global()->generate();
        refresh();
    });
    patternChosen();
}

void ColorizeDialog::patternChosen()
{
    const auto pattern = static_cast<Colorize::Pattern>(m_pattern->currentIndex());
    m_backwards->setEnabled(pattern == Colorize::Pattern::Rainbow);
    m_byWord->setEnabled(pattern == Colorize::Pattern::Alternate);
    m_shuffle->setEnabled(pattern == Colorize::Pattern::Random);
    m_colorsHint->setText(hintFor(pattern));
    m_colors->setText(Colorize::ColorsText(Colorize::DefaultColors(pattern)));
    refresh();
}

void ColorizeDialog::addColor(int index)
{
    const auto pattern = static_cast<Colorize::Pattern>(m_pattern->currentIndex());
    const QVector<int> colors = Colorize::ColorsFromText(m_colors->text()).value_or(QVector<int>());
    // A button starts over where the pattern takes a fixed number of colours.
    const int room = pattern == Colorize::Pattern::Rainbow ? 1
                     : pattern == Colorize::Pattern::Alternate ? 2
                                                               : Colorize::MaxGradientColors;
    const QVector<int> kept = colors.size() < room ? colors : QVector<int>();
    m_colors->setText(Colorize::ColorsText(kept + QVector<int>{index}));
}

void ColorizeDialog::refresh()
{
    Colorize::Options options;
    options.pattern = static_cast<Colorize::Pattern>(m_pattern->currentIndex());
    options.colors = Colorize::ColorsFromText(m_colors->text()).value_or(QVector<int>{0});
    options.backwards = m_backwards->isChecked();
    options.byWord = m_byWord->isChecked();
    options.fit = m_fit->isChecked();
    options.seed = m_seed;
    options.game = m_gameRules.game;
    const QString problem = Colorize::Problem(options);
    m_ok->setEnabled(problem.isEmpty());
    if (!problem.isEmpty()) {
        m_bytes->setText(problem);
        return;
    }

    m_result = Colorize::Apply(m_text, options);
    RenderColoredText(m_result, *m_preview->document(), m_gameRules);
    const int bytes = GameName::ByteLength(m_result);
    m_bytes->setText(QStringLiteral("%1 of %2 bytes%3")
                         .arg(bytes)
                         .arg(GameName::MaxBytes)
                         .arg(bytes > GameName::MaxBytes ? QStringLiteral(": too long, the game cuts it") : QString()));
    const GameName::Result shown = GameName::Shown(m_result, m_gameRules);
    RenderColoredText(shown.shown, *m_game->document(), m_gameRules);
    m_gameNote->setText(shown.reason);
}
