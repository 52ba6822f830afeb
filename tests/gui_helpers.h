#pragma once

// Helpers for driving the real widgets as a person would.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace spirelle::testing {

template <class Widget = QWidget>
Widget *Child(QWidget *root, const char *name)
{
    auto *widget = root->findChild<Widget *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget named %s", name);
    return widget;
}

// Clicks into the box, selects all and types the text over it.
inline void TypeInto(QWidget *root, const char *name, const QString &text)
{
    auto *box = Child<QLineEdit>(root, name);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

inline void ClickButton(QWidget *root, const char *name)
{
    QTest::mouseClick(Child<QPushButton>(root, name), Qt::LeftButton);
}

inline QString TextOf(QWidget *root, const char *name) { return Child<QLineEdit>(root, name)->text(); }

// Runs the action and returns the text of the message box it opened (closed
// with OK), or a null string when it opened none.
inline QString MessageBoxFrom(const std::function<void()> &action)
{
    QString text;
    QTimer::singleShot(0, qApp, [&text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            QTest::keyClick(box, Qt::Key_Return); // OK is its default button
        }
    });
    action();
    QCoreApplication::processEvents(); // the timer fires now if no box held it
    return text;
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
