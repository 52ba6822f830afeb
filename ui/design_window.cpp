// The design window: its parts put together, and what it says about the
// inputs, the message, the verdict and a greyed table; the form is built in
// design_form.cpp, the table and the clipboard in design_table.cpp.
#include "ui/design_window.h"

#include "ui/form_widgets.h"
#include "ui/print_drawing.h"
#include "ui/taps_panel.h"
#include "ui/widget_fields.h"

#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
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
    const QLocale locale; // the system's, or the default a test sets
    m_decimal = locale.decimalPoint().toStdString();
    m_group = locale.groupSeparator().toStdString();
    const bool mm = design::StartsInMillimetres(QLocale::territoryToCode(locale.territory()).toStdString());

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
    m_print = new QPushButton(QStringLiteral("Sa&ve for printing\u2026"), this);
    m_print->setObjectName(ToQString(kPrint));
    m_print->setAutoDefault(false);
    m_print->setToolTip(QStringLiteral("The selected row's form to cut out, or its winding card, at full size"));
    connect(m_print, &QPushButton::clicked, this, &DesignWindow::saveForPrinting);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { greyTable(m_stale); });
    m_copied = new QLabel(this);
    m_copied->setObjectName(ToQString(kCopied));

    // Everything but Copy table scrolls, so that the window shrinks below its
    // contents (a small screen, a large scale) and Copy table stays in view.
    auto *content = new QWidget;
    auto *inner = new QVBoxLayout(content);
    inner->addLayout(columns);
    inner->addWidget(m_message);
    inner->addWidget(m_verdict);
    inner->addWidget(m_table, 1);
    m_taps = new TapsPanel(this);
    inner->addWidget(m_taps);
    // The row a user selects keeps its taps; the table's rows made afresh leave no row current.
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_taps->setRow(designRow(current));
            });
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_copied);
    buttons->addWidget(m_print);
    buttons->addWidget(m_copy);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, layout->contentsMargins().bottom());
    layout->addWidget(scroll, 1);
    buttons->setContentsMargins(layout->contentsMargins().bottom(), 0, layout->contentsMargins().bottom(), 0);
    layout->addLayout(buttons);

    order << m_table << m_taps->keyboardOrder() << m_print << m_copy;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The first texts; each preset list then shows the preset its two fields hold.
    for (const auto &[name, text] : design::InitialTexts(separators(), mm)) {
        if (auto *box = findChild<QLineEdit *>(ToQString(name)))
            box->setText(ToQString(text));
        else if (auto *list = findChild<QComboBox *>(ToQString(name)))
            list->setCurrentIndex(list->findText(ToQString(text)));
    }
    connect(m_units, &QComboBox::currentIndexChanged, this, [this] { applyUnits(true); });
    m_mm = mm;
    applyUnits(false);
    order.first()->setFocus();
    // As large as the contents where the screen has room for them; smaller, it scrolls.
    const QSize room = screen() ? screen()->availableGeometry().size() * 0.9 : QSize(1024, 768);
    // (the verdict's three lines and a line of message are not there yet).
    const int margins = inner->contentsMargins().left() + inner->contentsMargins().right();
    const QSize wanted(std::max(content->sizeHint().width(), m_table->minimumWidth() + margins) +
                           scroll->verticalScrollBar()->sizeHint().width(),
                       content->sizeHint().height() + 5 * fontMetrics().lineSpacing() + m_copy->sizeHint().height() +
                           2 * layout->spacing());
    resize(wanted.boundedTo(room));
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
        // The empty diameter of a window just opened waits with its example: no message yet.
        const bool mistake = m_hadGood || !field || !field->text().trimmed().isEmpty();
        QString message = mistake ? ToQString(view.message) : QString();
        if (m_hadGood)
            message += QStringLiteral(" The table is still for the last good inputs.");
        markBad(mistake ? field : nullptr, message);
        greyTable(m_hadGood);
        return;
    }
    markBad(nullptr, {});
    m_hadGood = true;
    m_drawings = view.drawings;
    const QModelIndex chosen = m_table->currentIndex(); // kept across the new rows, for printing
    showRows(view);
    if (chosen.isValid() && chosen.row() < m_table->model()->rowCount())
        m_table->setCurrentIndex(m_table->model()->index(chosen.row(), chosen.column()));
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
    m_print->setEnabled(!stale && !selectedDrawing().empty());
}

const std::string &DesignWindow::selectedDrawing() const
{
    static const std::string kNone;
    const int row = designRow(m_table->currentIndex());
    return row >= 0 && std::size_t(row) < m_drawings.size() ? m_drawings[std::size_t(row)] : kNone;
}

void DesignWindow::saveForPrinting()
{
    // A solenoid's card with the taps the panel shows for its row marked.
    const bool tapped = m_taps->row() == designRow(m_table->currentIndex()) && !m_taps->drawing().empty();
    const std::string &svg = tapped ? m_taps->drawing() : selectedDrawing();
    if (m_stale || svg.empty())
        return;
    QString wire = m_table->currentIndex().siblingAtColumn(0).data().toString();
    wire.remove(QLatin1Char(' ')).remove(QLatin1Char('#'));
    SaveForPrinting(this, QByteArray::fromStdString(svg), QStringLiteral("coil-") + wire);
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
