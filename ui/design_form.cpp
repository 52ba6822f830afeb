// The design window's form: its group boxes, fields and lists, built from the
// one list of the design's inputs (design::kInputs), so that an input added
// there appears here with its caption, spoken name, unit and first text.
#include "ui/design_window.h"

#include "ui/form_widgets.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <map>

namespace spirelle {
namespace {

// A caption as the window shows it: "CM&IN" -> "CM&IN:", its mnemonic moving the focus to its buddy.
QLabel *Caption(std::string_view text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(ToQString(text) + QLatin1Char(':'), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

// The inputs that act on others: a preset list fills its fields, a size list
// the field before it, and the coil kind enables the inputs that are its own.
void DesignWindow::tieInputs(const std::map<std::string_view, QWidget *> &widgets)
{
    using namespace design;
    for (const Input &input : kInputs) {
        if (input.kind != Kind::Presets)
            continue;
        const auto [low, high] = PresetFields(input);
        tiePresets(static_cast<QComboBox *>(widgets.at(input.control)), input.presets,
                   static_cast<QLineEdit *>(widgets.at(low->control)),
                   static_cast<QLineEdit *>(widgets.at(high->control)));
    }
    for (std::size_t i = 1; i < std::size(kInputs); ++i)
        if (kInputs[i].kind == Kind::Sizes)
            tieSizes(static_cast<QComboBox *>(widgets.at(kInputs[i].control)),
                     static_cast<QLineEdit *>(widgets.at(kInputs[i - 1].control)));

    // An input for one coil kind is enabled only while that kind is chosen.
    auto *kinds = static_cast<QComboBox *>(widgets.at(control::kCoilKind));
    for (const Input &input : kInputs) {
        if (input.onlyFor.empty())
            continue;
        QWidget *widget = widgets.at(input.control);
        const QString kind = ToQString(input.onlyFor);
        const auto enable = [kinds, widget, kind] { widget->setEnabled(kinds->currentText() == kind); };
        connect(kinds, &QComboBox::currentIndexChanged, widget, enable);
        enable();
    }
}

QLayout *DesignWindow::createForm(QList<QWidget *> &keyboardOrder)
{
    using namespace design;
    // Every input's widget first, so that a preset list can be tied to the fields it fills.
    std::map<std::string_view, QWidget *> widgets;
    for (const Input &input : kInputs)
        widgets[input.control] = createInput(input);
    tieInputs(widgets);

    // Each group a box; each input a row of it: caption (its buddy), widget, unit.
    // The keyboard goes as the eye reads: each group top to bottom, the groups left to right.
    auto *columns = new QHBoxLayout;
    for (const FormGroup &formGroup : kGroups) {
        auto *box = new QGroupBox(ToQString(formGroup.title), this);
        box->setObjectName(ToQString(formGroup.control));
        columns->addWidget(box, 0, Qt::AlignTop);
        auto *grid = new QGridLayout(box);
        grid->setColumnStretch(1, 1);
        const std::vector<const Input *> rows = InputsOf(formGroup.group);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Input &input = *rows[i];
            QWidget *widget = widgets[input.control];
            keyboardOrder.append(widget);
            if (input.kind == Kind::Units)
                continue; // laid out beside the length before it
            if (!input.heading.empty())
                grid->addWidget(new QLabel(ToQString(input.heading) + QLatin1Char(':'), this), grid->rowCount(), 0, 1,
                                3);
            QWidget *unit = nullptr;
            if (i + 1 < rows.size() && rows[i + 1]->kind == Kind::Units) {
                unit = widgets[rows[i + 1]->control];
            } else if (input.unit == Unit::Length) {
                m_lengthUnitLabels.append(new QLabel(this)); // its text follows the unit list
                unit = m_lengthUnitLabels.last();
            } else if (input.unit != Unit::None) {
                unit = new QLabel(ToQString(UnitText(input.unit, false)), this);
            }
            const int r = grid->rowCount();
            grid->addWidget(Caption(input.caption, widget, this), r, 0);
            grid->addWidget(widget, r, 1);
            if (unit)
                grid->addWidget(unit, r, 2);
        }
    }
    return columns;
}

// The widget of one input: a text box for a number, a list for the units, the presets or the choices.
QWidget *DesignWindow::createInput(const design::Input &input)
{
    using design::Kind;
    QWidget *widget = nullptr;
    if (input.kind == Kind::Number) {
        auto *box = new QLineEdit(this);
        box->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")));
        connect(box, &QLineEdit::textChanged, this, &DesignWindow::recompute);
        if (input.unit == design::Unit::Length) {
            m_lengthFields.append({box, &input});
            connect(box, &QLineEdit::textEdited, this, [this, box] {
                if (!m_typed.contains(box))
                    m_typed.append(box);
            });
        }
        widget = box;
    } else {
        auto *list = new QComboBox(this);
        if (input.kind == Kind::Units) {
            list->addItems({ToQString(design::kInch), ToQString(design::kMillimetre)});
            m_units = list;
        } else if (input.kind == Kind::Sizes) {
            list->addItem(QStringLiteral("—"));
            for (const std::string &label : design::MetricWireLabels(separators()))
                list->addItem(ToQString(label));
        } else if (input.kind == Kind::Choice) {
            for (const std::string_view choice : input.choices)
                list->addItem(ToQString(choice));
            connect(list, &QComboBox::currentIndexChanged, this, &DesignWindow::recompute);
        } else {
            for (const design::Preset &preset : input.presets)
                list->addItem(ToQString(preset.label));
            list->addItem(ToQString(design::kCustom));
        }
        widget = list;
    }
    widget->setObjectName(ToQString(input.control));
    widget->setAccessibleName(ToQString(input.spoken));
    return widget;
}

// A choice fills the two fields; typing in them shows the preset they now match, or Custom.
void DesignWindow::tiePresets(QComboBox *list, std::span<const design::Preset> presets, QLineEdit *low, QLineEdit *high)
{
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
}

// A wire size chosen writes its name into the field; the field's text shows the size it names, or "—".
void DesignWindow::tieSizes(QComboBox *list, QLineEdit *field)
{
    const std::span<const double> sizes = design::kMetricWires;
    connect(list, &QComboBox::activated, this, [this, sizes, field](int index) {
        if (index < 1 || index > int(sizes.size()))
            return;
        m_typed.removeAll(field); // from a list: a name, whatever the unit
        field->setText(ToQString(design::MetricWireName(sizes[std::size_t(index - 1)], separators())));
    });
    connect(field, &QLineEdit::textChanged, list, [this, sizes, list, field] {
        int index = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i)
            if (field->text().trimmed() == ToQString(design::MetricWireName(sizes[i], separators())))
                index = int(i) + 1;
        list->setCurrentIndex(index);
    });
}

// Inches or millimetres: the unit beside each length, what a screen reader
// says with it and the example an empty field shows. When `convert`, a length
// the user typed keeps its number, which now means the new unit (a person who
// types 40 and then picks mm means 40 mm); a length from a preset, a link or an
// earlier conversion is converted, so that it stays the same length.
void DesignWindow::applyUnits(bool convert)
{
    const bool mm = m_units->currentText() == ToQString(design::kMillimetre);
    const bool changed = convert && mm != m_mm;
    m_mm = mm;
    for (QLabel *label : std::as_const(m_lengthUnitLabels))
        label->setText(ToQString(design::UnitText(design::Unit::Length, mm)));
    for (const auto &[field, input] : std::as_const(m_lengthFields)) {
        field->setAccessibleName(ToQString(input->spoken) + ToQString(design::SpokenUnit(input->unit, mm)));
        field->setPlaceholderText(ToQString(design::Placeholder(*input, mm, separators())));
        if (changed && !m_typed.contains(field) && !field->text().trimmed().isEmpty())
            field->setText(ToQString(design::ConvertLength(field->text().toStdString(), mm, separators())));
    }
    recompute();
}

} // namespace spirelle
