// The design window's table of turns, fitted to the width it is given, and
// the clipboard: the whole table or the selected cells, tab-separated.
#include "ui/design_window.h"

#include "calc/winding.h"
#include "pages/coil_columns.h"
#include "ui/form_widgets.h"
#include "ui/widget_fields.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <climits>

namespace spirelle {
namespace {

// What the rows sort by when a header is clicked: the cell's number (a wire's place for the wire).
constexpr int kSortRole = Qt::UserRole + 1;

// A header in two lines, its unit below: "L (µH)" -> "L\n(µH)".
QString HeaderText(const std::string &header)
{
    return ToQString(header).replace(QStringLiteral(" ("), QStringLiteral("\n("));
}

} // namespace

int DesignWindow::designRow(const QModelIndex &index) const
{
    // The wire's cell sorts by the wire's place, counted from 1.
    return index.isValid() ? m_model->index(index.row(), 0).data(kSortRole).toInt() - 1 : -1;
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
    // A click on a header sorts the rows by its numbers (by Q, say), again the other way round.
    m_model->setSortRole(kSortRole);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);

    // Room for the widest texts the columns usually hold, so the window does not
    // grow once the first design appears.
    const design::View headers = design::Design(WidgetFields(this), separators()); // the headers, fields still empty
    QList<QStandardItem *> sample;
    for (const CoilColumn &column : RealCoilColumns())
        if (Shows(Face::Design, column))
            sample.append(new QStandardItem(ToQString(column.widest)));
    sample.append(new QStandardItem(QStringLiteral("too long")));                  // the row's note
    sample.first()->setText(sample.first()->text() + QStringLiteral(" (best Q)")); // the best row's wire
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
    m_table->setMinimumSize(width,
                            m_table->horizontalHeader()->sizeHint().height() + rows * m_table->rowHeight(0) +
                                2 * m_table->frameWidth());
    m_model->removeRows(0, m_model->rowCount());
}

void DesignWindow::showRows(const design::View &view)
{
    QStringList headers;
    for (const std::string &header : view.headers)
        headers << HeaderText(header);
    m_model->clear();
    m_model->setHorizontalHeaderLabels(headers);
    for (const std::vector<design::Cell> &cells : view.rows) {
        QList<QStandardItem *> items;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto *item = new QStandardItem(ToQString(cells[c].text));
            item->setToolTip(ToQString(cells[c].whole));
            item->setData(cells[c].sortKey, kSortRole);
            item->setEditable(false);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        m_model->appendRow(items);
    }
    const QHeaderView *header = m_table->horizontalHeader();
    m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    fitColumns();
    m_copyText = ToQString(design::CopyText(view));
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

void DesignWindow::copyTable()
{
    if (m_copyText.isEmpty() || m_stale)
        return;
    QApplication::clipboard()->setText(m_copyText);
    // Said in words beside the button, and to a screen reader, for a few seconds.
    m_copied->setText(QStringLiteral("Table copied, with its inputs"));
    m_copied->setAccessibleName(m_copied->text());
    QAccessibleEvent said(m_copied, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&said);
    QTimer::singleShot(4000, m_copied, [label = m_copied] { label->clear(); });
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
            cells << (m_table->selectionModel()->isSelected(m_model->index(r, c))
                          ? m_model->index(r, c).data().toString()
                          : QString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

} // namespace spirelle
