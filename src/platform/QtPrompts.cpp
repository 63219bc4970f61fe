#include "platform/QtPrompts.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQtIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::SaveDiscardCancel: return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case PromptButtons::OverwriteSaveAsCancel: return QMessageBox::Cancel;  // the other two are added by name
    case PromptButtons::RestoreNotNowDelete: return QMessageBox::NoButton;  // all three added by name
    case PromptButtons::RemoveCancel: return QMessageBox::Cancel;  // Remove is added by name
    }
    return QMessageBox::Ok;
}

QString keyedText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return QStringLiteral("&Yes");
    case QMessageBox::No: return QStringLiteral("&No");
    case QMessageBox::Save: return QStringLiteral("&Save");
    case QMessageBox::Discard: return QStringLiteral("&Discard");
    default: return {};
    }
}

PromptAnswer fromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Save: return PromptAnswer::Save;
    case QMessageBox::Discard: return PromptAnswer::Discard;
    default: return PromptAnswer::Cancel;
    }
}

} // namespace

QString DialogStartPath(const FileDialogState &state)
{
    const QString folder = state.initialDir.isEmpty() ? Platform::PlayerFilesFolder() : state.initialDir;
    if (state.fileName.isEmpty())
        return folder;
    return QFileInfo(state.fileName).isAbsolute() ? state.fileName : QDir(folder).filePath(state.fileName);
}

QString QtFilterFromPipeFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i);
        const QString pattern = parts.at(i + 1);
        // Qt reads the patterns from the parentheses of each entry.
        if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
            entries << description;
        else
            entries << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

PromptAnswer QtPrompts::message(const QString &text, const QString &title, PromptIcon icon,
                                PromptButtons buttons)
{
    QMessageBox box(toQtIcon(icon), title, text, toQtButtons(buttons), m_parent);
    box.setTextFormat(Qt::PlainText);
    // Every answer but OK and Cancel (Enter and Escape) has its Alt key, as the program's own buttons do.
    for (QAbstractButton *button : box.buttons()) {
        if (const QString keyed = keyedText(box.standardButton(button)); !keyed.isEmpty())
            button->setText(keyed);
    }
    if (const QString link = m_explainer ? m_explainer(text) : QString(); !link.isEmpty()) {
        box.setTextFormat(Qt::RichText);
        box.setText(text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"))
                    + QStringLiteral("<p><a href=\"%1\">What does this mean?</a></p>").arg(link));
    }
    if (buttons == PromptButtons::OverwriteSaveAsCancel) {
        QPushButton *overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole);
        QPushButton *saveAs = box.addButton(QStringLiteral("Save &As..."), QMessageBox::AcceptRole);
        box.setDefaultButton(saveAs);
        box.exec();
        return box.clickedButton() == overwrite ? PromptAnswer::Overwrite
             : box.clickedButton() == saveAs    ? PromptAnswer::SaveAs
                                                : PromptAnswer::Cancel;
    }
    if (buttons == PromptButtons::RestoreNotNowDelete) {
        QPushButton *restore = box.addButton(QStringLiteral("&Restore"), QMessageBox::AcceptRole);
        QPushButton *notNow = box.addButton(QStringLiteral("&Not now"), QMessageBox::RejectRole);
        QPushButton *remove = box.addButton(QStringLiteral("&Delete"), QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.setEscapeButton(notNow);
        box.exec();
        return box.clickedButton() == restore ? PromptAnswer::Restore
             : box.clickedButton() == remove  ? PromptAnswer::Delete
                                              : PromptAnswer::NotNow;
    }
    if (buttons == PromptButtons::RemoveCancel) {
        QPushButton *remove = box.addButton(QStringLiteral("&Remove"), QMessageBox::DestructiveRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == remove ? PromptAnswer::Remove : PromptAnswer::Cancel;
    }
    return fromQtButton(box.exec());
}

QString QtPrompts::input(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : QString();
}

bool QtPrompts::openFile(FileDialogState &state)
{
    const QString path = QFileDialog::getOpenFileName(m_parent, state.title, DialogStartPath(state),
                                                      QtFilterFromPipeFilter(state.filter));
    if (path.isEmpty())
        return false;
    state.fileName = QDir::toNativeSeparators(path);
    return true;
}

bool QtPrompts::saveFile(FileDialogState &state)
{
    // The commands ask their own overwrite question: never ask twice.
    const QString path = QFileDialog::getSaveFileName(m_parent, state.title, DialogStartPath(state),
                                                      QtFilterFromPipeFilter(state.filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return false;
    state.fileName = QDir::toNativeSeparators(path);
    return true;
}

QString QtPrompts::browseFolder(const QString &title)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, title);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}
