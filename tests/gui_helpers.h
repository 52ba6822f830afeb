#pragma once

// Helpers for driving the real widgets as a person would.

#include "pages/controls.h"
#include "ui/form_widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <source_location>
#include <string>
#include <string_view>

namespace spirelle::testing {

template <class Widget = QWidget>
Widget *Child(QWidget *root, std::string_view name)
{
    auto *widget = root->findChild<Widget *>(ToQString(name));
    if (!widget)
        qFatal("no widget named %s", std::string(name).c_str());
    return widget;
}

// Clicks into the box, selects all and types the text over it.
inline void TypeInto(QWidget *root, std::string_view name, const QString &text)
{
    auto *box = Child<QLineEdit>(root, name);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        // QTest takes only Latin-1 keys; others come as a key with that text, as from an input method.
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline QString TextOf(QWidget *root, std::string_view name)
{
    return Child<QLineEdit>(root, name)->text();
}

// Runs the action; a message box it opens is read and closed with OK as soon
// as it shows (or after delayMs), so that no test waits for a press that never
// comes. Returns the box's text, or a null string when none opened.
inline QString MessageBoxFrom(const std::function<void()> &action, int delayMs = 0)
{
    QString text;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, qApp, [&text] {
        if (QPointer<QMessageBox> box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            // The icon says what kind of message it is to a screen reader too.
            if (auto *icon = box->findChild<QWidget *>(QStringLiteral("qt_msgboxex_icon_label")))
                text += icon->accessibleName().isEmpty() ? QStringLiteral(" [icon unnamed]") : QString();
            QTest::keyClick(box, Qt::Key_Return); // OK is its default button
            if (box && box->isVisible())
                box->done(QMessageBox::Ok);
        }
    });
    watcher.start(delayMs);
    action();
    return text;
}

// Clicks a button whose message box the test expects; returns the box's text
// (the box closed with OK), or a null string when none opened.
inline QString ClickForMessage(QWidget *root, std::string_view name)
{
    return MessageBoxFrom([&] { QTest::mouseClick(Child<QPushButton>(root, name), Qt::LeftButton); });
}

// Clicks a button that must open no message box. One that opens anyway is
// closed at once and fails the test with its text on the caller's line: a
// broken handler costs a second, not the test runner's timeout.
inline void ClickButton(QWidget *root, std::string_view name,
                        std::source_location where = std::source_location::current())
{
    const QString message = ClickForMessage(root, name);
    if (!message.isNull()) {
        const QString failure = QStringLiteral("%1 opened a message box: %2").arg(ToQString(name), message);
        QTest::qFail(qPrintable(failure), where.file_name(), static_cast<int>(where.line()));
    }
}

// The offscreen platform warns that it cannot raise windows or pass on size
// hints; those warnings say nothing about the program and drown the output.
inline void QuietOffscreenWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message.startsWith(QLatin1String("This plugin does not support")))
            return;
        if (previous)
            previous(type, context, message);
    });
}

} // namespace spirelle::testing
