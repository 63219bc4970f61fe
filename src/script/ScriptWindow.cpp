#include "script/ScriptWindow.h"

#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptSave.h"
#include "settings/Settings.h"

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

ScriptWindow::ScriptWindow(const AnimationModel &model, const Settings &settings, FileDialogState &dialog,
                           Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_dialog(dialog), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmScript"));
    setWindowTitle(QStringLiteral("Generate RtCW Script"));
    resize(640, 480);

    auto *menuBar = new QMenuBar(this);
    auto *saveAction = menuBar->addAction(QStringLiteral("Save"));
    saveAction->setObjectName(QStringLiteral("mnuSave"));
    connect(saveAction, &QAction::triggered, this, &ScriptWindow::save);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtScript"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    m_text->setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_text);

    // Built before the window shows, so each bad Time is told while loading.
    const QString script = BuildScriptText(model.lines(), [&prompts](const QString &message) {
        prompts.message(message, AppTitle, PromptIcon::None, PromptButtons::Ok);
    });
    // The box keeps lines, not line ends: show them with LF, give them back with CR LF.
    QString shown = script;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_text->setPlainText(shown);
}

QString ScriptWindow::scriptText() const
{
    // Raw text: plain text would turn a no-break space of a name into a blank.
    const QString raw = m_text->document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (QChar c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0:  // frame start and end: not in a plain text box, but they are line ends too
        case 0xfdd1:
            text += QLatin1String("\r\n");
            break;
        default:
            text += c;
        }
    }
    return text;
}

void ScriptWindow::save()
{
    SaveScript(scriptText(), m_settings.generateDir, m_dialog, m_prompts);
}
