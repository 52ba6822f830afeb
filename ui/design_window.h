#pragma once

#include "pages/design.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace spirelle {

class TapsPanel;

// frmDesign, "Design a coil for a band": the coil of each wire for a band and
// a variable capacitor, recomputed as the user types (pages/design.h does the
// work; this only draws it). Modeless and top-level, so that it outlives the
// main window if that closes first. A bad input marks its field and says what
// to type; the last good table stays, greyed, until the inputs are good again.
class DesignWindow : public QDialog {
    Q_OBJECT
public:
    explicit DesignWindow(QWidget *parent = nullptr);

public slots:
    void recompute();
    void copyTable();       // designCopy: the whole table, tab-separated, with its headers
    void saveForPrinting(); // designPrint: the selected row's form or winding card, as PDF or SVG

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The form (design_form.cpp): its groups, fields and lists, from design::kInputs.
    void tieInputs(const std::map<std::string_view, QWidget *> &widgets);
    QLayout *createForm(QList<QWidget *> &keyboardOrder);
    QWidget *createInput(const design::Input &input);
    void tiePresets(QComboBox *list, std::span<const design::Preset> presets, QLineEdit *low, QLineEdit *high);
    void tieSizes(QComboBox *list, QLineEdit *field);
    void applyUnits(bool convert);
    // The table and the clipboard (design_table.cpp).
    void createTable();
    void showRows(const design::View &view);
    void fitColumns();
    void copySelection();
    // What the window says (design_window.cpp).
    void showView(const design::View &view);
    void markBad(QLineEdit *field, const QString &message);
    void greyTable(bool stale);
    const std::string &selectedDrawing() const;    // the current row's; "" when it has none
    int designRow(const QModelIndex &index) const; // the row's place in design::View, whatever the sorting; -1: none
    Separators separators() const { return Separators(m_decimal, m_group); }

    std::string m_decimal, m_group; // the locale's, read once
    QComboBox *m_units = nullptr;
    QList<QLabel *> m_lengthUnitLabels;
    QList<std::pair<QLineEdit *, const design::Input *>> m_lengthFields;
    QList<QLineEdit *> m_typed; // lengths the user typed: a unit change keeps their numbers
    bool m_mm = false;          // the unit the lengths are in
    QLabel *m_message = nullptr;
    QLabel *m_verdict = nullptr;
    QTableView *m_table = nullptr;
    QStandardItemModel *m_model = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_print = nullptr;
    std::vector<std::string> m_drawings; // the shown rows' drawings (design::View)
    QLabel *m_copied = nullptr;          // says that the table was copied
    QPointer<QLineEdit> m_bad;
    bool m_hadGood = false; // a table has been shown since the window opened
    bool m_stale = false;   // the table is not for the current inputs
    QString m_copyText;     // the shown table's copy text
    // Under the table: the selected row's taps.
    TapsPanel *m_taps = nullptr;
};

// Brings the one design window to the front, creating it when there is none.
void ShowDesignWindow(QPointer<DesignWindow> &window);

} // namespace spirelle
