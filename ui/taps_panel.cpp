#include "ui/taps_panel.h"

#include "ui/form_widgets.h"
#include "ui/widget_fields.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace spirelle {

TapsPanel::TapsPanel(QWidget *window)
    : QGroupBox(QStringLiteral("Taps for the antenna and the detector"), window), m_window(window)
{
    using namespace design::control;
    setObjectName(ToQString(kTapsGroup));
    auto *grid = new QGridLayout;
    constexpr int kPerLine = 3;
    int i = 0;
    for (const design::TapsInput &input : design::kTapsInputs) {
        auto *field = new QLineEdit(ToQString(input.initial), this);
        field->setObjectName(ToQString(input.control));
        field->setAccessibleName(ToQString(input.spoken));
        auto *caption = new QLabel(ToQString(input.caption) + QLatin1Char(':'), this);
        caption->setBuddy(field);
        auto *unit = new QLabel(ToQString(input.unit), this);
        const int line = i / kPerLine, column = 3 * (i % kPerLine);
        grid->addWidget(caption, line, column);
        grid->addWidget(field, line, column + 1);
        grid->addWidget(unit, line, column + 2);
        connect(field, &QLineEdit::textChanged, this, &TapsPanel::recompute);
        m_fields << field;
        ++i;
    }
    m_title = new QLabel(this);
    m_title->setObjectName(ToQString(kTapsTitle));
    m_title->setWordWrap(true);
    m_message = new QLabel(this);
    m_message->setObjectName(ToQString(kTapsMessage));
    m_message->setWordWrap(true);
    m_table = new QTableView(this);
    m_table->setObjectName(ToQString(kTapsTable));
    m_table->setAccessibleName(QStringLiteral("Taps and loaded figures"));
    m_model = new QStandardItemModel(this);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed); // rows as the design's table has them
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The header and six rows: two choices at the band's three points.
    m_table->setMinimumHeight(fontMetrics().height() + 12 + 6 * (fontMetrics().height() + 6));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_title);
    layout->addWidget(m_message);
    layout->addWidget(m_table, 1);
}

QList<QWidget *> TapsPanel::keyboardOrder() const
{
    QList<QWidget *> order;
    for (QLineEdit *field : m_fields)
        order << field;
    order << m_table;
    return order;
}

void TapsPanel::setRow(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    recompute();
}

void TapsPanel::recompute()
{
    const QLocale locale;
    const std::string decimal = locale.decimalPoint().toStdString(), group = locale.groupSeparator().toStdString();
    const design::TapsView view = design::DesignTaps(WidgetFields(m_window), Separators(decimal, group), m_row);
    m_title->setText(ToQString(view.title));
    m_drawing = view.drawing;
    markBad(view.badField.empty() ? nullptr : findChild<QLineEdit *>(ToQString(view.badField)),
            ToQString(view.message));
    if (!view.badField.empty())
        return; // the last figures stay until the field is good again
    QStringList headers;
    for (const std::string &header : view.headers)
        headers << ToQString(header);
    m_model->clear();
    m_model->setHorizontalHeaderLabels(headers);
    for (const std::vector<std::string> &row : view.rows) {
        QList<QStandardItem *> items;
        for (const std::string &text : row) {
            auto *item = new QStandardItem(ToQString(text));
            item->setToolTip(item->text());
            items << item;
        }
        m_model->appendRow(items);
    }
    m_table->resizeColumnsToContents();
}

void TapsPanel::markBad(QLineEdit *field, const QString &message)
{
    if (m_bad && m_bad != field) {
        m_bad->setStyleSheet({});
        m_bad->setAccessibleDescription({});
    }
    m_bad = field;
    if (field) {
        const bool dark = RelativeLuminance(field->palette().color(QPalette::Base)) < 0.2;
        field->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid %1; border-radius: 2px; padding: 1px; }")
                                 .arg(dark ? QStringLiteral("#ff7070") : QStringLiteral("#c80000")));
        field->setAccessibleDescription(message);
    }
    m_message->setText(message);
}

} // namespace spirelle
