#include "ui/design_window.h"

#include "calc/winding.h"
#include "pages/coil_columns.h"
#include "ui/form_widgets.h"
#include "ui/widget_fields.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <climits>
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

// A header in two lines, its unit below: "L (µH)" -> "L\n(µH)".
QString HeaderText(const std::string &header)
{
    return ToQString(header).replace(QStringLiteral(" ("), QStringLiteral("\n("));
}

QLabel *Caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
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

    auto *columns = new QHBoxLayout;
    const auto group = [&](const QString &title, std::string_view name) {
        auto *box = new QGroupBox(title, this);
        box->setObjectName(ToQString(name));
        columns->addWidget(box, 0, Qt::AlignTop);
        auto *grid = new QGridLayout(box);
        grid->setColumnStretch(1, 1);
        return grid;
    };
    // Each field is a row: caption (its buddy), box, unit.
    const auto row = [](QGridLayout *grid, QWidget *caption, QWidget *field, QWidget *unit) {
        const int r = grid->rowCount();
        grid->addWidget(caption, r, 0);
        grid->addWidget(field, r, 1);
        if (unit)
            grid->addWidget(unit, r, 2);
    };

    const auto unit = [this](const QString &text) { return new QLabel(text, this); };
    QGridLayout *form = group(QStringLiteral("Coil form"), kFormGroup);
    QLineEdit *diameter = addField(kDiameter, QStringLiteral("Form diameter"));
    m_units = new QComboBox(this);
    m_units->setObjectName(ToQString(kUnits));
    m_units->addItems({ToQString(design::kInch), ToQString(design::kMillimetre)});
    m_units->setAccessibleName(QStringLiteral("Unit of length"));
    row(form, Caption(QStringLiteral("Form &diameter:"), diameter, this), diameter, m_units);
    form->addWidget(new QLabel(QStringLiteral("Custom wire (optional):"), this), form->rowCount(), 0, 1, 3);
    QLineEdit *od = addField(kWireOd, QStringLiteral("Custom wire outside diameter"));
    QLineEdit *bare = addField(kWireBare, QStringLiteral("Custom wire bare diameter"));
    m_lengthUnitLabels = {unit({}), unit({})};
    row(form, Caption(QStringLiteral("&Outside:"), od, this), od, m_lengthUnitLabels[0]);
    row(form, Caption(QStringLiteral("Ba&re:"), bare, this), bare, m_lengthUnitLabels[1]);
    m_lengthFields = {diameter, od, bare};

    QGridLayout *capacitor = group(QStringLiteral("Variable capacitor"), kCapacitorGroup);
    QLineEdit *cmin = addField(kCmin, QStringLiteral("CMIN, pF"));
    QLineEdit *cmax = addField(kCmax, QStringLiteral("CMAX, pF"));
    QLineEdit *stray = addField(kStray, QStringLiteral("Stray capacitance, pF"));
    QComboBox *capacitors = addPresets(kCapacitors, QStringLiteral("Capacitor"), design::kCapacitors, cmin, cmax);
    row(capacitor, Caption(QStringLiteral("&Capacitor:"), capacitors, this), capacitors, nullptr);
    row(capacitor, Caption(QStringLiteral("CM&IN:"), cmin, this), cmin, unit(QStringLiteral("pF")));
    row(capacitor, Caption(QStringLiteral("CMA&X:"), cmax, this), cmax, unit(QStringLiteral("pF")));
    row(capacitor, Caption(QStringLiteral("&Stray:"), stray, this), stray, unit(QStringLiteral("pF")));

    QGridLayout *band = group(QStringLiteral("Band"), kBandGroup);
    QLineEdit *low = addField(kBandLow, QStringLiteral("Band low end, kHz"));
    QLineEdit *high = addField(kBandHigh, QStringLiteral("Band high end, kHz"));
    QComboBox *bands = addPresets(kBands, QStringLiteral("Band"), design::kBands, low, high);
    row(band, Caption(QStringLiteral("&Band:"), bands, this), bands, nullptr);
    row(band, Caption(QStringLiteral("&Low end:"), low, this), low, unit(QStringLiteral("kHz")));
    row(band, Caption(QStringLiteral("&High end:"), high, this), high, unit(QStringLiteral("kHz")));

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

    // The keyboard goes as the eye reads: each group top to bottom, the groups left to right.
    QWidget *order[] = {diameter, m_units, od, bare, capacitors, cmin, cmax, stray, bands, low, high, m_table, m_copy};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (const auto &[name, text] : design::InitialTexts(separators()))
        if (auto *box = findChild<QLineEdit *>(ToQString(name)))
            box->setText(ToQString(text));
    capacitors->setCurrentIndex(2);
    connect(m_units, &QComboBox::currentIndexChanged, this, [this] { applyUnits(true); });
    applyUnits(false);
    diameter->setFocus();
}

QLineEdit *DesignWindow::addField(std::string_view name, const QString &spoken)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(ToQString(name));
    box->setAccessibleName(spoken);
    box->setProperty("spokenName", spoken);
    box->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")));
    connect(box, &QLineEdit::textChanged, this, &DesignWindow::recompute);
    return box;
}

QComboBox *DesignWindow::addPresets(std::string_view name, const QString &spoken, std::span<const design::Preset> presets,
                                    QLineEdit *low, QLineEdit *high)
{
    auto *list = new QComboBox(this);
    list->setObjectName(ToQString(name));
    list->setAccessibleName(spoken);
    for (const design::Preset &preset : presets)
        list->addItem(ToQString(preset.label));
    list->addItem(ToQString(design::kCustom));
    // A choice fills the two fields; typing in them shows the preset they now match, or Custom.
    connect(list, &QComboBox::activated, this, [this, presets, low, high](int index) {
        if (index < 0 || index >= int(presets.size()))
            return;
        const auto [lowText, highText] = design::PresetTexts(presets[std::size_t(index)], separators());
        low->setText(ToQString(lowText));
        high->setText(ToQString(highText));
    });
    const auto match = [this, presets, list, low, high] {
        const int index = design::MatchingPreset(presets, low->text().toStdString(), high->text().toStdString(),
                                                 separators());
        list->setCurrentIndex(index < 0 ? int(presets.size()) : index);
    };
    connect(low, &QLineEdit::textChanged, list, match);
    connect(high, &QLineEdit::textChanged, list, match);
    return list;
}

void DesignWindow::createTable()
{
    m_table = new QTableView(this);
    m_table->setObjectName(ToQString(design::control::kTable));
    m_table->setAccessibleName(QStringLiteral("Turns of each wire"));
    m_model = new QStandardItemModel(this);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setTabKeyNavigation(false); // Tab leaves the table for the next control
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_table->setWordWrap(false);
    m_table->installEventFilter(this); // the columns share the width it is given
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto *copy = new QAction(QStringLiteral("Copy"), m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &DesignWindow::copySelection);
    m_table->addAction(copy);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Room for the widest texts the columns usually hold, so the window does not
    // grow once the first design appears.
    const design::View headers = design::Design(WidgetFields(this), separators()); // the headers, fields still empty
    QList<QStandardItem *> sample;
    for (const CoilColumn &column : RealCoilColumns())
        sample.append(new QStandardItem(ToQString(column.widest)));
    QStringList labels;
    for (const std::string &header : headers.headers)
        labels << HeaderText(header);
    m_model->setHorizontalHeaderLabels(labels);
    m_model->appendRow(sample);
    m_table->resizeColumnsToContents();
    int width = 2 * m_table->frameWidth();
    for (int c = 0; c < m_model->columnCount(); ++c)
        width += m_table->columnWidth(c);
    const int rows = int(GaugeWires().size()) + 1; // and a custom wire
    m_table->setMinimumSize(width, m_table->horizontalHeader()->sizeHint().height() + rows * m_table->rowHeight(0) +
                                       2 * m_table->frameWidth());
    m_model->removeRows(0, m_model->rowCount());
}

void DesignWindow::applyUnits(bool convert)
{
    const bool mm = m_units->currentText() == ToQString(design::kMillimetre);
    for (QLabel *label : std::as_const(m_lengthUnitLabels))
        label->setText(mm ? QStringLiteral("mm") : QStringLiteral("in"));
    for (QLineEdit *field : std::as_const(m_lengthFields)) {
        field->setAccessibleName(field->property("spokenName").toString() +
                                 (mm ? QStringLiteral(", millimetres") : QStringLiteral(", inches")));
        if (convert && !field->text().trimmed().isEmpty())
            field->setText(ToQString(design::ConvertLength(field->text().toStdString(), mm, separators())));
    }
    recompute();
}

void DesignWindow::recompute()
{
    if (!m_model)
        return; // still being built
    showView(design::Design(WidgetFields(this), separators()));
}

void DesignWindow::showView(const design::View &view)
{
    QStringList headers;
    for (const std::string &header : view.headers)
        headers << HeaderText(header);
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
    m_model->clear();
    m_model->setHorizontalHeaderLabels(headers);
    for (const std::vector<design::Cell> &cells : view.rows) {
        QList<QStandardItem *> items;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto *item = new QStandardItem(ToQString(cells[c].text));
            item->setToolTip(ToQString(cells[c].whole));
            item->setEditable(false);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        m_model->appendRow(items);
    }
    fitColumns();
    QStringList verdict;
    for (const std::string &line : view.verdict)
        verdict << ToQString(line);
    const QString text = verdict.join(QLatin1Char('\n'));
    if (m_verdict->text() != text) {
        m_verdict->setText(text);
        m_verdict->setAccessibleDescription(text); // a screen reader announces the change
    }
    m_copyText = ToQString(design::CopyText(view));
    greyTable(false);
}

void DesignWindow::fitColumns()
{
    m_table->resizeColumnsToContents();
    const int columns = m_model->columnCount();
    int used = 0;
    for (int c = 0; c < columns; ++c)
        used += m_table->columnWidth(c);
    const int spare = m_table->viewport()->width() - used;
    if (columns == 0 || spare <= 0)
        return;
    for (int c = 0; c < columns; ++c)
        m_table->setColumnWidth(c, m_table->columnWidth(c) + spare / columns + (c < spare % columns ? 1 : 0));
}

bool DesignWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
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
            palette.setColor(group, QPalette::Text, Dimmed(palette.color(group, QPalette::Text),
                                                           palette.color(group, QPalette::Base)));
            label.setColor(group, QPalette::WindowText, Dimmed(label.color(group, QPalette::WindowText),
                                                               label.color(group, QPalette::Window)));
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

void DesignWindow::copyTable()
{
    if (!m_copyText.isEmpty() && !m_stale)
        QApplication::clipboard()->setText(m_copyText);
}

void DesignWindow::copySelection()
{
    // The selected cells as a block of tab-separated lines, the rows and columns between included.
    const QModelIndexList selected = m_table->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QModelIndex &index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c)
            cells << (m_table->selectionModel()->isSelected(m_model->index(r, c)) ? m_model->index(r, c).data().toString()
                                                                                 : QString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
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
