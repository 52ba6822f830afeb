// The design window: its parts put together, and what it says about the
// inputs, the message, the verdict and a greyed table; the form is built in
// design_form.cpp, the table and the clipboard in design_table.cpp.
#include "ui/design_window.h"

#include "ui/form_widgets.h"
#include "ui/taps_panel.h"
#include "ui/widget_fields.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include <cmath>

namespace spirelle {
namespace {

// Greyed text: the text colour moved towards the ground until it reads at
// 7:1 as specified, which small smoothed glyphs still draw above 4.5:1,
// clearly dimmer than the ordinary text at 13:1 or more.
QColor Dimmed(const QColor &text, const QColor &ground)
{
    constexpr double kSpecified = 7.0;
    QColor best = text;
    for (int step = 0; step <= 100; ++step) {
        const double t = step / 100.0;
        const auto mix = [t](int from, int to) { return int(std::lround(from + t * (to - from))); };
        const QColor mixed(mix(text.red(), ground.red()), mix(text.green(), ground.green()),
                           mix(text.blue(), ground.blue()));
        if (ContrastRatio(mixed, ground) < kSpecified)
            break;
        best = mixed;
    }
    return best;
}

// The bad field's frame: a red that stands at 3:1 or more against a light or a dark box.
QString BadFrameStyle(const QPalette &palette)
{
    const bool dark = RelativeLuminance(palette.color(QPalette::Base)) < 0.2;
    return QStringLiteral("QLineEdit { border: 2px solid %1; border-radius: 2px; padding: 1px; }")
        .arg(dark ? QStringLiteral("#ff7070") : QStringLiteral("#c80000"));
}

} // namespace

DesignWindow::DesignWindow(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)
{
    using namespace design::control;
    setObjectName(ToQString(kWindow));
    setWindowTitle(QStringLiteral("Design a coil for a band"));
    const QLocale locale;
    m_decimal = locale.decimalPoint().toStdString();
    m_group = locale.groupSeparator().toStdString();

    QList<QWidget *> order; // the inputs, as the keyboard goes through them
    QLayout *columns = createForm(order);

    m_message = new QLabel(this);
    m_message->setObjectName(ToQString(kMessage));
    m_message->setWordWrap(true);
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(ToQString(kVerdict));
    m_verdict->setAccessibleName(QStringLiteral("Verdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    createTable();
    m_copy = new QPushButton(QStringLiteral("Copy &table"), this);
    m_copy->setObjectName(ToQString(kCopy));
    m_copy->setAutoDefault(false); // Enter in a field presses nothing
    connect(m_copy, &QPushButton::clicked, this, &DesignWindow::copyTable);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_message);
    layout->addWidget(m_verdict);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_copy, 0, Qt::AlignRight);
    m_taps = new TapsPanel(this);
    layout->addWidget(m_taps, 1);
    // The row a user selects keeps its taps; the table's rows made afresh leave no row current.
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_taps->setRow(current.row());
            });

    order << m_table << m_copy << m_taps->keyboardOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The first texts; each preset list then shows the preset its two fields hold.
    for (const auto &[name, text] : design::InitialTexts(separators())) {
        if (auto *box = findChild<QLineEdit *>(ToQString(name)))
            box->setText(ToQString(text));
        else if (auto *list = findChild<QComboBox *>(ToQString(name)))
            list->setCurrentIndex(list->findText(ToQString(text)));
    }
    connect(m_units, &QComboBox::currentIndexChanged, this, [this] { applyUnits(true); });
    applyUnits(false);
    order.first()->setFocus();
}

void DesignWindow::recompute()
{
    if (!m_model)
        return; // still being built
    showView(design::Design(WidgetFields(this), separators()));
    if (!m_taps)
        return;
    if (m_taps->row() >= 0 && m_taps->row() < m_model->rowCount() && !m_stale)
        m_table->setCurrentIndex(m_model->index(m_taps->row(), 0));
    m_taps->recompute();
}

void DesignWindow::showView(const design::View &view)
{
    if (!view.good) {
        auto *field = findChild<QLineEdit *>(ToQString(view.badField));
        // The empty diameter of a window just opened is a hint, not a mistake.
        const bool mistake = m_hadGood || !field || !field->text().trimmed().isEmpty();
        QString message = ToQString(view.message);
        if (m_hadGood)
            message += QStringLiteral(" The table is still for the last good inputs.");
        markBad(mistake ? field : nullptr, message);
        greyTable(m_hadGood);
        return;
    }
    markBad(nullptr, {});
    m_hadGood = true;
    showRows(view);
    QStringList verdict;
    for (const std::string &line : view.verdict)
        verdict << ToQString(line);
    const QString text = verdict.join(QLatin1Char('\n'));
    if (m_verdict->text() != text) {
        m_verdict->setText(text);
        m_verdict->setAccessibleDescription(text); // a screen reader announces the change
    }
    greyTable(false);
}

void DesignWindow::markBad(QLineEdit *field, const QString &message)
{
    if (m_bad && m_bad != field) {
        m_bad->setStyleSheet({});
        m_bad->setAccessibleDescription({});
    }
    m_bad = field;
    if (field) {
        field->setStyleSheet(BadFrameStyle(field->palette()));
        field->setAccessibleDescription(message);
    }
    m_message->setText(message);
}

void DesignWindow::greyTable(bool stale)
{
    m_stale = stale;
    QPalette palette = QApplication::palette(m_table);
    QPalette label = QApplication::palette(m_verdict);
    if (stale) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Text,
                             Dimmed(palette.color(group, QPalette::Text), palette.color(group, QPalette::Base)));
            label.setColor(group, QPalette::WindowText,
                           Dimmed(label.color(group, QPalette::WindowText), label.color(group, QPalette::Window)));
        }
    }
    m_table->setPalette(palette);
    m_verdict->setPalette(label);
    // Grey and slanted: plainly not the design of what the fields now say.
    QFont font = QApplication::font(m_table);
    font.setItalic(stale);
    m_table->setFont(font);
    m_verdict->setFont(font);
    m_table->setAccessibleDescription(stale ? QStringLiteral("Not for the current inputs: the last good design")
                                            : QString());
    m_copy->setEnabled(m_hadGood && !stale);
}

void DesignWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_model) {
        // A desktop that turns dark: the grey and the red are worked out again for it.
        greyTable(m_stale);
        if (m_bad)
            m_bad->setStyleSheet(BadFrameStyle(QApplication::palette(m_bad)));
    }
}

void ShowDesignWindow(QPointer<DesignWindow> &window)
{
    if (!window) {
        window = new DesignWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->QDialog::show();
    window->raise();
    window->activateWindow();
}

} // namespace spirelle
