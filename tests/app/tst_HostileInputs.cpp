#include "FileFixtures.h"
#include "WindowUnderTest.h"

#include "animation/AnimationFile.h"
#include "colors/PreviewBoxWidget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTreeView>

// Inputs a user may throw at the program by accident or on purpose: each must
// end with a clear message or a sound result, within the limits, and leave the
// user's files as they were.
class HostileInputsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { open = std::make_unique<WindowUnderTest>(); window = &open->window; }
    void cleanup() { open.reset(); }

    void hugeClipboardText()
    {
        const QString text = QString(1024 * 1024, QLatin1Char('x')) + QStringLiteral("\r\n^1tail");
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(window->list(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window->model().lines(), QVector<AnimationLine>{NameLine(text)});
        // The list shows the start of it; editing in place gets all of it.
        const QModelIndex cell = window->model().index(0, AnimationModel::TextColumn);
        QCOMPARE(cell.data(Qt::DisplayRole).toString().size(), qsizetype(AnimationModel::MaxShownCharacters));
        QCOMPARE(cell.data(Qt::EditRole).toString(), text);
    }

    void longTextInThePreviewBox()
    {
        QString text;
        for (int i = 0; text.size() < 100000; ++i)
            text += QStringLiteral("^%1ab").arg(i % 6 + 1);
        window->model().appendLines(LinesFromTexts({text}));
        QCOMPARE(window->previewBox()->toPlainText().size(), qsizetype(text.size() * 2 / 4));
        // Typing at the end still writes the whole text back, codes included.
        window->previewBox()->setFocus();
        window->previewBox()->moveCursor(QTextCursor::End);
        QTest::keyClicks(window->previewBox(), "z");
        QCOMPARE(window->model().line(0).text, text + QLatin1Char('z'));
    }

    // A blank settings file starts afresh silently, a corrupt one is told of; neither is overwritten.
    void settingsFile()
    {
        for (const QByteArray &content : {QByteArray(" \n"), QByteArray("{\"HKEY_CURRENT_USER\": {\"keys\": [")}) {
            QVERIFY(WriteFileBytes(open->store.path(), content));
            open->store.reopen();
            FakePrompts startPrompts;
            MainWindow fresh(*open->store.store, &startPrompts);
            QCOMPARE(fresh.settings().name, QString());
            QCOMPARE(startPrompts.messages.size(), content.startsWith('{') ? 1 : 0);
            QCOMPARE(ReadFileBytes(open->store.path()), content);
        }
    }

private:
    std::unique_ptr<WindowUnderTest> open;
    MainWindow *window = nullptr;
};

QTEST_MAIN(HostileInputsTest)
#include "tst_HostileInputs.moc"
