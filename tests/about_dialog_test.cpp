#include "ui/about_dialog.h"
#include "gui_helpers.h"
#include "ui/main_window.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

using namespace spirelle;
using namespace spirelle::testing;

// Counts the events of one type that reach an object.
class EventCounter : public QObject {
public:
    EventCounter(QObject *target, QEvent::Type type) : m_type(type) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == m_type ? 1 : 0;
        return false;
    }

private:
    QEvent::Type m_type;
};

class AboutDialogTest : public QObject {
    Q_OBJECT

private:
    static int countDialogs()
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += qobject_cast<AboutDialog *>(w) ? 1 : 0;
        return n;
    }

    // Lets deferred deletions run.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    AboutDialog *open(AboutDialogRef &ref)
    {
        ref.show();
        AboutDialog *dialog = ref.dialog();
        if (dialog && !QTest::qWaitForWindowActive(dialog))
            return nullptr;
        return dialog;
    }

    static QPlainTextEdit *credits(AboutDialog *d) { return Child<QPlainTextEdit>(d, control::kAboutCredits); }

private slots:
    void initTestCase() { QuietOffscreenWarnings(); }

    void storedTextHasEighteenCrLfLines()
    {
        const QString text = AboutDialog::creditsText();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 19); // 18 lines and what follows the last break
        QCOMPARE(lines.last(), QString());
        QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        QCOMPARE(lines[4], QString(44, QLatin1Char('-')));
        QVERIFY(lines[3].startsWith(QString(8, QLatin1Char(' '))) && lines[3][8] != QLatin1Char(' '));
        QCOMPARE(lines[17], QStringLiteral("V 1.0"));
        for (const int empty : {5, 10, 13, 16})
            QCOMPARE(lines[empty], QString());
    }

    void controlsAsTheTableSays()
    {
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        QCOMPARE(d->objectName(), ToQString(control::kAbout));
        QCOMPARE(d->windowTitle(), QStringLiteral("Spirelle"));
        QCOMPARE(d->size(), QSize(315, 379)); // 4725 x 5685 twips
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QVERIFY(!(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(Child<QLabel>(d, control::kAboutTitle)->text(), QStringLiteral("Spirelle"));
        QCOMPARE(Child<QLabel>(d, control::kAboutTitle)->geometry(), QRect(16, 6, 235, 27));
        QCOMPARE(Child<QLabel>(d, control::kAboutVersion)->text(), QStringLiteral("Version 1.0"));
        QCOMPARE(Child<QLabel>(d, control::kAboutVersion)->geometry(), QRect(16, 35, 259, 15));
        QCOMPARE(credits(d)->geometry(), QRect(12, 62, 289, 266));
        QCOMPARE(credits(d)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(credits(d)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(credits(d)->toPlainText(),
                 AboutDialog::creditsText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        auto *ok = Child<QPushButton>(d, control::kAboutOk);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(214, 345, 84, 23));
        QVERIFY(ok->isDefault());
        QVERIFY(ok->hasFocus());
        const QList<QWidget *> lines = d->findChildren<QWidget *>(ToQString(control::kAboutLine));
        QCOMPARE(lines.size(), 2);
        for (QWidget *line : lines) {
            const bool gray = line->property("index").toInt() == 1;
            QCOMPARE(line->geometry(), gray ? QRect(8, 336, 288, 1) : QRect(10, 337, 290, 2));
            QVERIFY(QAccessible::queryAccessibleInterface(line)
                        ->state()
                        .invisible); // decorative: hidden from screen readers
        }
        QVERIFY(QAccessible::queryAccessibleInterface(credits(d)->viewport())->state().invisible);
    }

    // Choosing About again while the dialog sits behind the main window leaves
    // one dialog, brought to the front and active. The offscreen platform keeps
    // no stacking order, so the raise is seen as the ZOrderChange Qt sends with it.
    void openingTwiceLeavesOneDialog()
    {
        AboutDialogRef ref;
        MainWindow window(ref);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAction *about = window.findChild<QAction *>(ToQString(control::kAboutItem));
        about->trigger();
        AboutDialog *first = ref.dialog();
        QVERIFY(first && QTest::qWaitForWindowActive(first));
        window.raise();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        EventCounter raised(first, QEvent::ZOrderChange);
        about->trigger();
        QCOMPARE(ref.dialog(), first);
        QCOMPARE(countDialogs(), 1);
        QVERIFY(QTest::qWaitForWindowActive(first, 1000));
        QCOMPARE(QApplication::activeWindow(), first);
        QVERIFY(raised.count > 0);
    }

    void okDiscardsTypingAndTheNextOpenShowsTheStoredText()
    {
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        credits(d)->setFocus();
        QTest::keyClicks(credits(d), QStringLiteral("scribble"));
        QVERIFY(credits(d)->toPlainText().contains(QStringLiteral("scribble")));
        ClickButton(d, control::kAboutOk);
        settle();
        QVERIFY(!ref.dialog());
        QCOMPARE(countDialogs(), 0);
        d = open(ref);
        QVERIFY(d);
        QVERIFY(!credits(d)->toPlainText().contains(QStringLiteral("scribble")));
    }

    void keysThatClose_data()
    {
        QTest::addColumn<bool>("inCredits");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on OK") << false << int(Qt::Key_Return);
        QTest::newRow("Esc on OK") << false << int(Qt::Key_Escape);
        QTest::newRow("Enter in text") << true << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in text") << true << int(Qt::Key_Enter);
        QTest::newRow("Esc in text") << true << int(Qt::Key_Escape);
    }

    void keysThatClose()
    {
        QFETCH(bool, inCredits);
        QFETCH(int, key);
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        QWidget *target = inCredits ? static_cast<QWidget *>(credits(d)) : QApplication::focusWidget();
        if (inCredits) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // OK, then the text
            QCOMPARE(QApplication::focusWidget(), target);
        }
        QTest::keyClick(target, Qt::Key(key));
        settle();
        QVERIFY(!ref.dialog());
    }

    void ctrlEnterInTheTextAddsALineBreak()
    {
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        credits(d)->setFocus();
        const int blocks = credits(d)->blockCount();
        QTest::keyClick(credits(d), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(ref.dialog());
        QCOMPARE(credits(d)->blockCount(), blocks + 1);
    }

    void showRightAfterOkLoadsANewDialog()
    {
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        QPointer<AboutDialog> closing(d);
        d->cmdOK_Click(); // its deletion is still pending
        ref.show();
        settle();
        QVERIFY(closing.isNull());
        QVERIFY(ref.dialog()->isVisible());
        QCOMPARE(countDialogs(), 1);
    }

    void titleBarCloseUnloadsToo()
    {
        AboutDialogRef ref;
        AboutDialog *d = open(ref);
        QVERIFY(d);
        d->close();
        settle();
        QVERIFY(!ref.dialog());
    }

    void mainWindowWorksWhileTheDialogIsOpen()
    {
        AboutDialogRef ref;
        MainWindow window(ref);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Child<QMenu>(&window, control::kMenu)->actions().last()->trigger();
        QVERIFY(ref.dialog() && ref.dialog()->isVisible());
        QVERIFY(!ref.dialog()->isModal());
        TypeInto(&window, control::kTurns, "20");
        TypeInto(&window, control::kDiameter, "1");
        ClickButton(&window, control::kCoilButton);
        QCOMPARE(TextOf(&window, control::kGaugeRows[0].inductanceField), QStringLiteral("8.77"));
        QVERIFY(ref.dialog()->isVisible());
    }

    // The program ends with its last window: the dialog is a window of its own,
    // not a child that the main window takes down with it. Runs the real event loop.
    void closingTheMainWindowFirstKeepsTheProgramRunning()
    {
        AboutDialogRef ref;
        auto *window = new MainWindow(ref);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->findChild<QAction *>(ToQString(control::kAboutItem))->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(ref.dialog()));
        QPointer<MainWindow> guard(window);

        bool runningAfterMainClosed = false;
        QTimer::singleShot(0, qApp, [window] { window->close(); });
        QTimer::singleShot(100, qApp, [&] {
            runningAfterMainClosed = guard.isNull() && ref.dialog() && ref.dialog()->isVisible();
            if (ref.dialog())
                ClickButton(ref.dialog(), control::kAboutOk);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0); // 2 would mean OK did not end the program
        QVERIFY(runningAfterMainClosed);
        QVERIFY(!ref.dialog() || !ref.dialog()->isVisible());
    }

    void hundredsOfCyclesLeaveNothingBehind()
    {
        AboutDialogRef ref;
        const int widgetsBefore = static_cast<int>(QApplication::allWidgets().size());
        for (int i = 0; i < 300; ++i) {
            ref.show();
            ref.show();
            QTest::keyClick(ref.dialog(), i % 2 ? Qt::Key_Escape : Qt::Key_Return);
            settle();
            QVERIFY(!ref.dialog());
        }
        QCOMPARE(countDialogs(), 0);
        QCOMPARE(static_cast<int>(QApplication::allWidgets().size()), widgetsBefore);
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
