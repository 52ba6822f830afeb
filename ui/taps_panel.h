#pragma once

#include "pages/taps_panel.h"

#include <QGroupBox>
#include <QList>
#include <QPointer>

class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace spirelle {

// The design window's taps panel, under its table: the antenna's and the
// detector's fields and, for the selected row's coil, where to tap it and the
// loaded figures (pages/taps_panel.h does the work; this only draws it).
// Typed taps show their own figures.
class TapsPanel : public QGroupBox {
    Q_OBJECT
public:
    // `window` holds every field the panel reads, the design's inputs and its own.
    explicit TapsPanel(QWidget *window);

    // The table's row whose coil is tapped; -1 for none.
    void setRow(int row);
    int row() const { return m_row; }
    // The row's winding card with the taps shown marked; "" when none are shown.
    const std::string &drawing() const { return m_drawing; }
    void recompute();
    // The fields, then the table, as the keyboard goes.
    QList<QWidget *> keyboardOrder() const;

private:
    void markBad(QLineEdit *field, const QString &message);

    QWidget *m_window;
    int m_row = -1;
    QList<QLineEdit *> m_fields;
    QLabel *m_title = nullptr;
    QLabel *m_message = nullptr;
    QTableView *m_table = nullptr;
    QStandardItemModel *m_model = nullptr;
    QPointer<QLineEdit> m_bad;
    std::string m_drawing;
};

} // namespace spirelle
